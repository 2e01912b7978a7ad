#include "Fit.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <unsupported/Eigen/LevenbergMarquardt>

namespace zebak {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Standard errors from the Jacobian (or design matrix) J of the fit and the residual sum
/// of squares: sqrt(diag(s² (JᵀJ)⁻¹)) with s² = SSR / (n - p), through J's QR so that the
/// normal equations are never formed. NaN where n = p or J lacks rank.
std::vector<double> standardErrors(const MatrixXd& j, double ssr) {
    const auto n = j.rows();
    const auto p = j.cols();
    std::vector<double> errors(static_cast<std::size_t>(p), kNaN);
    const Eigen::ColPivHouseholderQR<MatrixXd> qr(j);
    if (n <= p || qr.rank() < p) return errors;
    const MatrixXd r = qr.matrixR().topLeftCorner(p, p).triangularView<Eigen::Upper>();
    const MatrixXd rInv = r.triangularView<Eigen::Upper>().solve(MatrixXd::Identity(p, p));
    const MatrixXd cov = qr.colsPermutation() * (rInv * rInv.transpose()) *
                         qr.colsPermutation().transpose() * (ssr / static_cast<double>(n - p));
    for (Eigen::Index i = 0; i < p; ++i) errors[static_cast<std::size_t>(i)] = std::sqrt(cov(i, i));
    return errors;
}

/// R² of the residuals against the spread of y about its mean.
double determination(const VectorXd& y, double ssr) {
    const double sst = (y.array() - y.mean()).square().sum();
    return sst > 0.0 ? 1.0 - ssr / sst : 1.0;
}

/// Least squares y ≈ X·p for the polynomial models, columns t^(p-1) .. t^0.
FitResult polynomialFit(FitModel model, const VectorXd& t, const VectorXd& y) {
    const int p = parameterCount(model);
    MatrixXd x(t.size(), p);
    for (int c = 0; c < p; ++c) x.col(c) = t.array().pow(p - 1 - c);
    const Eigen::ColPivHouseholderQR<MatrixXd> qr(x);
    FitResult fit{model, {}, {}, 0.0, static_cast<int>(t.size()), {}};
    if (qr.rank() < p) {
        fit.error = "Keine " + fitModelName(model) +
                    " möglich: die Punkte liegen bei zu wenigen verschiedenen Zeiten.";
        return fit;
    }
    const VectorXd params = qr.solve(y);
    const double ssr = (x * params - y).squaredNorm();
    fit.params.assign(params.data(), params.data() + p);
    fit.errors = standardErrors(x, ssr);
    fit.r2 = determination(y, ssr);
    return fit;
}

/// Residuals and Jacobian of y = A·sin(ω·t + φ) + c for Levenberg-Marquardt.
struct SineResiduals : Eigen::DenseFunctor<double> {
    SineResiduals(const VectorXd& t, const VectorXd& y)
        : DenseFunctor<double>(4, static_cast<int>(t.size())), t_(t), y_(y) {}
    int operator()(const InputType& p, ValueType& f) const {
        f = p[0] * (p[1] * t_.array() + p[2]).sin() + p[3] - y_.array();
        return 0;
    }
    int df(const InputType& p, JacobianType& j) const {
        const Eigen::ArrayXd phase = p[1] * t_.array() + p[2];
        j.col(0) = phase.sin();
        j.col(1) = p[0] * t_.array() * phase.cos();
        j.col(2) = p[0] * phase.cos();
        j.col(3).setOnes();
        return 0;
    }

  private:
    const VectorXd& t_;
    const VectorXd& y_;
};

/// Times at which y crosses its mean, with a hysteresis of a third of the standard deviation
/// so that noise about the mean does not count; each crossing is placed by linear
/// interpolation at the last sign change before the hysteresis band was left.
std::vector<double> meanCrossings(const VectorXd& t, const VectorXd& y) {
    const double mean = y.mean();
    const double band = std::sqrt((y.array() - mean).square().mean()) / 3.0;
    std::vector<double> crossings;
    int side = 0;
    double lastChange = kNaN;
    for (Eigen::Index i = 0; i < y.size(); ++i) {
        const double d = y[i] - mean;
        if (i > 0 && (d >= 0) != (y[i - 1] - mean >= 0)) {
            const double d0 = y[i - 1] - mean;
            lastChange = t[i - 1] + (t[i] - t[i - 1]) * d0 / (d0 - d);
        }
        if (std::abs(d) <= band || band == 0.0) continue;
        const int now = d > 0 ? 1 : -1;
        if (side != 0 && now != side) crossings.push_back(lastChange);
        side = now;
    }
    return crossings;
}

/// For a fixed ω the sine is linear in (A cos φ, A sin φ, c): returns A, φ, c and the SSR.
std::pair<VectorXd, double> sineAtFrequency(const VectorXd& t, const VectorXd& y, double omega) {
    MatrixXd x(t.size(), 3);
    x.col(0) = (omega * t.array()).sin();
    x.col(1) = (omega * t.array()).cos();
    x.col(2).setOnes();
    const VectorXd q = x.colPivHouseholderQr().solve(y);
    VectorXd p(4);
    p << std::hypot(q[0], q[1]), omega, std::atan2(q[1], q[0]), q[2];
    return {p, (x * q - y).squaredNorm()};
}

/// A > 0, ω > 0 and φ in (-π, π] for the same curve.
void normaliseSine(VectorXd& p) {
    constexpr double kPi = std::numbers::pi;
    if (p[1] < 0) {
        p[1] = -p[1];
        p[2] = kPi - p[2];
        p[0] = -p[0];
    }
    if (p[0] < 0) {
        p[0] = -p[0];
        p[2] += kPi;
    }
    p[2] = std::remainder(p[2], 2 * kPi);
    if (p[2] <= -kPi) p[2] += 2 * kPi;
}

FitResult sineFit(const VectorXd& t, const VectorXd& y) {
    FitResult fit{FitModel::Sine, {}, {}, 0.0, static_cast<int>(t.size()), {}};
    const std::vector<double> crossings = meanCrossings(t, y);
    if (crossings.size() < 3) {
        fit.error =
            "Kein Sinus möglich: die Punkte schwingen nicht wenigstens einmal ganz um ihren "
            "Mittelwert.";
        return fit;
    }
    // Half a period lies between neighbouring crossings; a scan of ±30 % around that
    // frequency picks the start whose linear amplitude, phase and offset fit best.
    const double halfPeriod =
        (crossings.back() - crossings.front()) / static_cast<double>(crossings.size() - 1);
    const double omega0 = std::numbers::pi / halfPeriod;
    auto best = sineAtFrequency(t, y, omega0);
    for (int k = -60; k <= 60; ++k) {
        auto candidate = sineAtFrequency(t, y, omega0 * (1.0 + 0.005 * k));
        if (candidate.second < best.second) best = candidate;
    }
    VectorXd p = best.first;
    SineResiduals residuals(t, y);
    Eigen::LevenbergMarquardt<SineResiduals> lm(residuals);
    lm.minimize(p);
    VectorXd f(t.size());
    residuals(p, f);
    if (!p.allFinite() || !f.allFinite()) {
        fit.error = "Kein Sinus möglich: die Anpassung läuft nicht zusammen.";
        return fit;
    }
    normaliseSine(p);
    residuals(p, f);
    const double ssr = f.squaredNorm();
    MatrixXd j(t.size(), 4);
    residuals.df(p, j);
    fit.params.assign(p.data(), p.data() + 4);
    fit.errors = standardErrors(j, ssr);
    fit.r2 = determination(y, ssr);
    return fit;
}

/// A number rounded to the place of the error's second significant digit, or to six
/// significant digits when the error is unknown or zero.
std::string rounded(double value, double error) {
    char buffer[64];
    if (!std::isfinite(error) || error <= 0.0) {
        std::snprintf(buffer, sizeof buffer, "%.6g", value);
        return buffer;
    }
    const int decimals = std::clamp(1 - static_cast<int>(std::floor(std::log10(error))), 0, 12);
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string withError(double value, double error) {
    if (!std::isfinite(error)) return rounded(value, error) + " ± ?";
    return rounded(value, error) + " ± " + rounded(error, error);
}

}  // namespace

int parameterCount(FitModel model) {
    switch (model) {
        case FitModel::Line:
            return 2;
        case FitModel::Parabola:
            return 3;
        case FitModel::Sine:
            return 4;
        case FitModel::None:
            break;
    }
    return 0;
}

std::string fitModelName(FitModel model) {
    switch (model) {
        case FitModel::Line:
            return "Gerade";
        case FitModel::Parabola:
            return "Parabel";
        case FitModel::Sine:
            return "Sinus";
        case FitModel::None:
            break;
    }
    return "keine";
}

FitResult fitPoints(FitModel model, std::span<const DiagramPoint> points) {
    const int p = parameterCount(model);
    const auto n = static_cast<Eigen::Index>(points.size());
    if (p == 0) return FitResult{model, {}, {}, 0.0, static_cast<int>(n), "Keine Ausgleichskurve."};
    if (n < p) {
        return FitResult{model,
                         {},
                         {},
                         0.0,
                         static_cast<int>(n),
                         "Zu wenige Punkte für " +
                             std::string(model == FitModel::Sine ? "einen " : "eine ") +
                             fitModelName(model) + ": " + std::to_string(n) +
                             ", nötig sind mindestens " + std::to_string(p) + "."};
    }
    VectorXd t(n), y(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        t[i] = points[static_cast<std::size_t>(i)].x;
        y[i] = points[static_cast<std::size_t>(i)].y;
    }
    return model == FitModel::Sine ? sineFit(t, y) : polynomialFit(model, t, y);
}

double fitValue(const FitResult& fit, double t) {
    if (!fit.ok()) return kNaN;
    const std::vector<double>& p = fit.params;
    switch (fit.model) {
        case FitModel::Line:
            return p[0] * t + p[1];
        case FitModel::Parabola:
            return (p[0] * t + p[1]) * t + p[2];
        case FitModel::Sine:
            return p[0] * std::sin(p[1] * t + p[2]) + p[3];
        case FitModel::None:
            break;
    }
    return kNaN;
}

std::vector<DiagramPoint> fitCurve(const FitResult& fit, double t0, double t1, int samples) {
    std::vector<DiagramPoint> curve;
    if (!fit.ok() || samples < 2) return curve;
    curve.reserve(static_cast<std::size_t>(samples));
    for (int i = 0; i < samples; ++i) {
        const double t = t0 + (t1 - t0) * i / (samples - 1);
        curve.push_back({t, fitValue(fit, t)});
    }
    return curve;
}

std::vector<DiagramPoint> pointsWithin(std::span<const DiagramPoint> points,
                                       const DiagramRange& range) {
    std::vector<DiagramPoint> inside;
    for (const DiagramPoint& p : points)
        if (p.x >= range.x0 && p.x <= range.x1 && p.y >= range.y0 && p.y <= range.y1)
            inside.push_back(p);
    return inside;
}

std::optional<Gravity> fitGravity(Diagram diagram, const FitResult& fit) {
    if (!fit.ok()) return std::nullopt;
    if (diagram == Diagram::YT && fit.model == FitModel::Parabola)
        return Gravity{-2.0 * fit.params[0], 2.0 * fit.errors[0]};
    if (diagram == Diagram::VYT && fit.model == FitModel::Line)
        return Gravity{-fit.params[0], fit.errors[0]};
    return std::nullopt;
}

std::string fitReport(Diagram diagram, const FitResult& fit) {
    if (!fit.ok()) return fit.error;
    static const char* const kFormula[] = {"", "y = m·t + b", "y = a·t² + b·t + c",
                                           "y = A·sin(ω·t + φ) + c"};
    static const char* const kNames[][4] = {{}, {"m", "b"}, {"a", "b", "c"}, {"A", "ω", "φ", "c"}};
    const auto model = static_cast<std::size_t>(fit.model);
    std::string text = fitModelName(fit.model) + ": " + kFormula[model] + "\n";
    for (std::size_t i = 0; i < fit.params.size(); ++i)
        text +=
            std::string(kNames[model][i]) + " = " + withError(fit.params[i], fit.errors[i]) + "\n";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "R² = %.6f\nn = %d", fit.r2, fit.n);
    text += buffer;
    if (fit.model == FitModel::Sine) {
        // The period with its error carried from ω: σT = 2π σω / ω².
        const double omega = fit.params[1];
        const double period = 2 * std::numbers::pi / omega;
        text += "\nT = 2π/ω = " + withError(period, period * fit.errors[1] / omega) + " s";
    }
    if (const auto g = fitGravity(diagram, fit))
        text += "\ng = " + withError(g->g, g->error) + " m/s²";
    return text;
}

}  // namespace zebak
