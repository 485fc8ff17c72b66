#include "ColumnReduction.h"

#include <algorithm>

ColumnReduction::ColumnReduction(uint32_t frames, int columns) : frames(std::max(frames, 1u)), columns(columns) {}

int ColumnReduction::column(uint32_t frame) const {
    return static_cast<int>(std::min<uint64_t>(uint64_t{frame} * columns / frames, columns - 1));
}

SvgPlot::Points ColumnReduction::steps(const Steps& values) const {
    SvgPlot::Points points;
    const auto add = [&](double x, double y) {
        if (points.empty() || points.back() != std::make_pair(x, y))
            points.emplace_back(x, y);
    };
    int current = -1;
    double x = 0, least = 0, greatest = 0, held = 0;
    // After the entry value, the extreme that the column does not leave at comes first.
    const auto leave = [&] {
        add(x, held == least ? greatest : least);
        add(x, held == least ? least : greatest);
        add(x, held);
    };
    for (const auto& [frame, value] : values) {
        const int c = column(frame);
        if (c != current) {
            if (current >= 0)
                leave();
            const double entry = current >= 0 ? held : value;
            current = c;
            x = frame;
            add(x, entry);
            least = greatest = entry;
        }
        least = std::min(least, value);
        greatest = std::max(greatest, value);
        held = value;
    }
    if (current >= 0) {
        leave();
        add(frames, held);
    }
    return points;
}

ColumnReduction::Spans ColumnReduction::spans(const Spans& on) const {
    const double gap = static_cast<double>(frames) / columns;
    Spans merged;
    for (const auto& span : on) {
        if (!merged.empty() && span.first - merged.back().second < gap)
            merged.back().second = std::max(merged.back().second, span.second);
        else
            merged.push_back(span);
    }
    return merged;
}
