#include "chart/natural_spline.h"

namespace somvix {

bool NaturalSpline::SetKnots(const double* abscissae, const double* ordinates, int count) {
    Clear();
    if (abscissae == nullptr || ordinates == nullptr || count < 2) {
        return false;
    }
    const auto n = static_cast<size_t>(count);
    m_x.assign(abscissae, abscissae + n);
    m_y.assign(ordinates, ordinates + n);
    for (size_t i = 1; i < n; ++i) {
        if (!(m_x[i] > m_x[i - 1])) {
            return false;
        }
    }
    // Tridiagonal system of the natural spline, solved by decomposition and back-substitution.
    m_y2.assign(n, 0.0);
    std::vector<double> u(n, 0.0);
    for (size_t i = 1; i + 1 < n; ++i) {
        const double sig = (m_x[i] - m_x[i - 1]) / (m_x[i + 1] - m_x[i - 1]);
        const double p = sig * m_y2[i - 1] + 2.0;
        m_y2[i] = (sig - 1.0) / p;
        const double slopeChange = (m_y[i + 1] - m_y[i]) / (m_x[i + 1] - m_x[i]) -
                                   (m_y[i] - m_y[i - 1]) / (m_x[i] - m_x[i - 1]);
        u[i] = (6.0 * slopeChange / (m_x[i + 1] - m_x[i - 1]) - sig * u[i - 1]) / p;
    }
    m_y2[n - 1] = 0.0;
    for (size_t k = n - 1; k-- > 0;) {
        m_y2[k] = m_y2[k] * m_y2[k + 1] + u[k];
    }
    m_bValid = true;
    return true;
}

void NaturalSpline::Clear() {
    m_x.clear();
    m_y.clear();
    m_y2.clear();
    m_bValid = false;
}

std::optional<double> NaturalSpline::Evaluate(double x) const {
    if (!m_bValid) {
        return std::nullopt;
    }
    size_t low = 0;
    size_t high = m_x.size() - 1;
    while (high - low > 1) {
        const size_t middle = (high + low) / 2;
        if (m_x[middle] > x) {
            high = middle;
        } else {
            low = middle;
        }
    }
    const double h = m_x[high] - m_x[low];
    const double a = (m_x[high] - x) / h;
    const double b = (x - m_x[low]) / h;
    return a * m_y[low] + b * m_y[high] +
           ((a * a * a - a) * m_y2[low] + (b * b * b - b) * m_y2[high]) * (h * h) / 6.0;
}

}  // namespace somvix
