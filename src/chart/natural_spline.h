#pragma once

#include <optional>
#include <vector>

namespace somvix {

// A natural cubic spline (second derivative zero at both end knots) through a few knots. The
// second derivatives are computed once, when the knots are set; an evaluation finds the knot
// interval by bisection and extrapolates arguments outside the knots with the first or last
// interval's cubic.
class NaturalSpline {
public:
    // Returns false, and leaves a spline whose every evaluation fails, for fewer than two knots
    // or abscissae that do not strictly increase (two equal abscissae make an interval of
    // zero width).
    bool SetKnots(const double* abscissae, const double* ordinates, int count);
    void Clear();

    // The spline's value at x; nothing when the knots are unusable.
    std::optional<double> Evaluate(double x) const;

    int KnotCount() const { return static_cast<int>(m_x.size()); }
    const std::vector<double>& SecondDerivatives() const { return m_y2; }

private:
    std::vector<double> m_x;
    std::vector<double> m_y;
    std::vector<double> m_y2;
    bool m_bValid = false;
};

}  // namespace somvix
