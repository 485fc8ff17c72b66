#include "SvgPlot.h"

#include "Html.h"

#include <cmath>

namespace {

std::string fixed(double value) { return number(std::round(value * 10) / 10, 7); }

} // namespace

SvgPlot::SvgPlot(int width, int height, Range x, Range y, int left, int top)
    : width(width), height(height), left(left), right(width - 12), top(top), bottom(height - 40), x(x), y(y) {}

double SvgPlot::px(double value) const { return left + (value - x.low) / (x.high - x.low) * (right - left); }

double SvgPlot::py(double value) const { return bottom - (value - y.low) / (y.high - y.low) * (bottom - top); }

void SvgPlot::xAxis(const std::string& label, const std::vector<Tick>& ticks) {
    for (const Tick& tick : ticks) {
        const std::string at = fixed(px(tick.at));
        back << "<line class=\"grid\" x1=\"" << at << "\" y1=\"" << top << "\" x2=\"" << at << "\" y2=\"" << bottom
             << "\"/>";
        front << "<text class=\"tick\" x=\"" << at << "\" y=\"" << bottom + 14 << "\" text-anchor=\"middle\">"
              << escape(tick.text) << "</text>";
    }
    front << "<text class=\"label\" x=\"" << (left + right) / 2 << "\" y=\"" << height - 6
          << "\" text-anchor=\"middle\">" << escape(label) << "</text>";
}

void SvgPlot::yAxis(const std::string& label, const std::vector<Tick>& ticks) {
    for (const Tick& tick : ticks) {
        const std::string at = fixed(py(tick.at));
        back << "<line class=\"grid\" x1=\"" << left << "\" y1=\"" << at << "\" x2=\"" << right << "\" y2=\"" << at
             << "\"/>";
        front << "<text class=\"tick\" x=\"" << left - 4 << "\" y=\"" << at << "\" dy=\"4\" text-anchor=\"end\">"
              << escape(tick.text) << "</text>";
    }
    const int middle = (top + bottom) / 2;
    front << "<text class=\"label\" x=\"12\" y=\"" << middle << "\" text-anchor=\"middle\" transform=\"rotate(-90 12 "
          << middle << ")\">" << escape(label) << "</text>";
}

void SvgPlot::legend(const std::string& cssClass, const std::string& label) { legendEntries.emplace_back(cssClass, label); }

void SvgPlot::band(double x0, double x1, const std::string& cssClass, const std::string& title) {
    back << "<rect class=\"" << cssClass << "\" x=\"" << fixed(px(x0)) << "\" y=\"" << top << "\" width=\""
         << fixed(px(x1) - px(x0)) << "\" height=\"" << bottom - top << "\"><title>" << escape(title)
         << "</title></rect>";
}

void SvgPlot::vertical(double at, const std::string& cssClass, const std::string& title) {
    const std::string position = fixed(px(at));
    back << "<line class=\"" << cssClass << "\" x1=\"" << position << "\" y1=\"" << top << "\" x2=\"" << position
         << "\" y2=\"" << bottom << "\"><title>" << escape(title) << "</title></line>";
}

// The transform maps data units onto the plot area: x' = a x + e, y' = d y + f.
void SvgPlot::line(const Points& points, const std::string& cssClass, int digits, const std::string& attributes) {
    const double a = (right - left) / (x.high - x.low), d = -(bottom - top) / (y.high - y.low);
    data << "<polyline class=\"" << cssClass << "\" vector-effect=\"non-scaling-stroke\" transform=\"matrix("
         << number(a, 9) << " 0 0 " << number(d, 9) << ' ' << number(left - a * x.low, 9) << ' '
         << number(bottom - d * y.low, 9) << ")\"" << attributes << " points=\"";
    const char* separator = "";
    for (const auto& [u, v] : points) {
        data << separator << number(u, digits) << ',' << number(v, digits);
        separator = " ";
    }
    data << "\"/>";
}

void SvgPlot::bar(double x0, double x1, double y0, double y1, const std::string& cssClass) {
    data << "<rect class=\"" << cssClass << "\" x=\"" << fixed(px(x0)) << "\" y=\"" << fixed(py(y1)) << "\" width=\""
         << fixed(std::max(px(x1) - px(x0), 3.0)) << "\" height=\"" << fixed(py(y0) - py(y1)) << "\"/>";
}

std::string SvgPlot::svg(const std::string& label) const {
    std::ostringstream out;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << ' ' << height << "\"><title>" << escape(label) << "</title>"
        << back.str() << "<rect class=\"frame\" x=\"" << left << "\" y=\"" << top << "\" width=\"" << right - left
        << "\" height=\"" << bottom - top << "\"/>" << data.str() << front.str();
    int at = left, row = 14;
    for (const auto& [cssClass, text] : legendEntries) {
        const int room = 36 + static_cast<int>(text.size()) * 6;
        if (at != left && at + room > right) {
            at = left;
            row += 16;
        }
        out << "<g class=\"legend\"><line class=\"" << cssClass << "\" x1=\"" << at << "\" y1=\"" << row
            << "\" x2=\"" << at + 22 << "\" y2=\"" << row << "\"/><text x=\"" << at + 27 << "\" y=\"" << row + 4
            << "\">" << escape(text) << "</text></g>";
        at += room;
    }
    out << "</svg>";
    return out.str();
}

std::vector<SvgPlot::Tick> SvgPlot::ticks(Range range, int count) {
    const double raw = (range.high - range.low) / count;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude;
    for (const double factor : {2.0, 5.0, 10.0})
        if (step < raw)
            step = factor * magnitude;
    std::vector<Tick> values;
    for (double tick = std::ceil(range.low / step) * step; tick <= range.high + step * 1e-9; tick += step) {
        const double at = std::abs(tick) < step * 1e-9 ? 0.0 : tick;
        values.push_back({at, number(at)});
    }
    return values;
}
