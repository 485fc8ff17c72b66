#ifndef VORLAN_HOST_SVG_PLOT_H
#define VORLAN_HOST_SVG_PLOT_H

#include <sstream>
#include <string>
#include <utility>
#include <vector>

// One inline SVG chart: a plot area with data ranges, labelled axes with
// ticks, a legend above the area, and the shapes drawn in data units. Lines
// are drawn through a transform, so their points keep the data's own values
// (at the precision asked for) and their strokes keep their width. Looks come
// from CSS classes.
class SvgPlot {
public:
    struct Range {
        double low;
        double high;
    };
    using Points = std::vector<std::pair<double, double>>;
    struct Tick {
        double at;
        std::string text;
    };

    // `left` is the room for the y axis's tick texts, `top` for the legend's
    // rows (16 pixels each, from 30 for one).
    SvgPlot(int width, int height, Range x, Range y, int left = 56, int top = 30);

    // The plot area's width in pixels: one column per pixel.
    int columns() const { return right - left; }

    void xAxis(const std::string& label, const std::vector<Tick>& ticks);
    void yAxis(const std::string& label, const std::vector<Tick>& ticks);
    void legend(const std::string& cssClass, const std::string& label);

    // A shaded band across the whole height, from x0 to x1.
    void band(double x0, double x1, const std::string& cssClass, const std::string& title);
    void vertical(double x, const std::string& cssClass, const std::string& title);
    void line(const Points& points, const std::string& cssClass, int digits, const std::string& attributes = "");
    void bar(double x0, double x1, double y0, double y1, const std::string& cssClass);

    std::string svg(const std::string& label) const;

    // About `count` round tick values across the range, labelled with their values.
    static std::vector<Tick> ticks(Range range, int count);

private:
    double px(double x) const;
    double py(double y) const;

    int width, height;
    int left, right, top, bottom;  // the plot area, in pixels
    Range x, y;
    std::ostringstream back, data, front;  // drawn in this order
    std::vector<std::pair<std::string, std::string>> legendEntries;
};

#endif
