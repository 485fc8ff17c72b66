#ifndef VORLAN_FILTER_H
#define VORLAN_FILTER_H

#include "Shared.h"
#include "VorlanExport.h"

#include <vector>

// Plain description of an axis filter. A default-made record means no filter.
struct VORLAN_API FilterInfo {
    double deadzone = 0.0;
    double saturationX = 1.0;
    double saturationY = 1.0;
    bool slider = false;
    bool invert = false;
    // One value: the bend of the exponential curve. Two or more: spline points.
    std::vector<double> curvature{0.0};

    bool isDefault() const;
};

// An axis filter: clamps the raw input to +-inRange, maps it onto a normalised
// travel 0..1 (from the centre outwards, or end to end for a slider), passes it
// through the response curve and scales the result to +-outRange.
class VORLAN_API Filter : public Mem::Shared {
public:
    Filter();
    Filter(double inRange, double outRange, double saturationX, double saturationY,
           double deadzoneX, double deadzoneY);
    Filter(const Filter&) = default;
    Filter& operator=(const Filter&) = default;
    ~Filter() override = default;

    double getValue(double x) const { return doGetValue(x); }

    double getInRange() const { return inRange; }
    void setInRange(double v) { inRange = v; }
    double getOutRange() const { return outRange; }
    void setOutRange(double v) { outRange = v; }
    double getSaturationX() const { return saturationX; }
    void setSaturationX(double v) { saturationX = v; }
    double getSaturationY() const { return saturationY; }
    void setSaturationY(double v) { saturationY = v; }
    double getDeadzoneX() const { return deadzoneX; }
    void setDeadzoneX(double v) { deadzoneX = v; }
    double getDeadzoneY() const { return deadzoneY; }
    void setDeadzoneY(double v) { deadzoneY = v; }
    bool isInverted() const { return inverted; }
    void invert(bool v) { inverted = v; }
    bool isSlider() const { return slider; }
    void setSlider(bool v) { slider = v; }

    const std::vector<double>& getCurvature() const { return curvature; }
    // An empty list becomes the single value 0.0: the list is never empty.
    void setCurvature(const std::vector<double>& values);

    FilterInfo getInfo() const;
    // Leaves inRange, outRange and deadzoneY alone; a cubic filter's table is
    // not rebuilt until its next build().
    void setInfo(const FilterInfo& info);

protected:
    double getCurveValue(double t) const { return doGetCurveValue(t); }

private:
    virtual double doGetValue(double x) const;
    virtual double doGetCurveValue(double t) const = 0;

    double inRange;
    double outRange;
    double saturationX;
    double saturationY;
    double deadzoneX;
    double deadzoneY;
    bool inverted = false;
    bool slider = false;
    std::vector<double> curvature{0.0};
};

// Exponential response curve, bent by the first curvature value.
class VORLAN_API SimpleFilter : public Filter {
public:
    SimpleFilter() = default;
    SimpleFilter(double inRange, double outRange, double saturationX, double saturationY,
                 double deadzoneX, double deadzoneY, double curvature);

private:
    double doGetCurveValue(double t) const override;
};

// Natural cubic spline through the curvature values, placed at equal spacing
// across the live range and sampled into a table by build().
class VORLAN_API CubicFilter : public Filter {
public:
    CubicFilter();
    explicit CubicFilter(const std::vector<double>& points);
    CubicFilter(double inRange, double outRange, double saturationX, double saturationY,
                double deadzoneX, double deadzoneY, const std::vector<double>& points, int n);

    // Resamples the curve into n table intervals from the current curvature,
    // dead zone and saturation.
    void build(int n);

private:
    double calcValue(const std::vector<double>& s, double x) const;
    double doGetCurveValue(double t) const override;

    std::vector<double> curveTable;
    double tableStep = 0.0;
    // Index of the table's last entry, kept by build for the per-event bound;
    // like tableStep, read only while the table holds entries.
    double lastIndex = 0.0;
};

// A new filter for the description, or null when it asks for no shaping.
VORLAN_API Filter* createFilter(const FilterInfo& info);

#endif
