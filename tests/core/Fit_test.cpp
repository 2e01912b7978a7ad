// The fitted curves on exact data: noiseless points give the parameters exactly, noisy ones
// the parameters and standard errors of the normal equations, and fits that cannot be made
// say why.
#include "core/Fit.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace zebak {
namespace {

/// Points at 25 per second from t = t0, y = f(t) plus a known noise pattern of size `noise`.
template <typename F>
std::vector<DiagramPoint> sampled(int count, double t0, F f, double noise = 0.0) {
    constexpr std::array<double, 7> kPattern{0.9, -1.3, 0.4, 1.1, -0.7, -0.2, 0.8};
    std::vector<DiagramPoint> points;
    for (int i = 0; i < count; ++i) {
        const double t = t0 + i / 25.0;
        points.push_back({t, f(t) + noise * kPattern[static_cast<std::size_t>(i) % 7]});
    }
    return points;
}

/// The parabola by the normal equations solved with Gauss-Jordan elimination, and the
/// diagonal of their inverse: the textbook least-squares fit.
struct Textbook {
    std::array<double, 3> params;
    std::array<double, 3> inverseDiagonal;
};
Textbook normalEquations(const std::vector<DiagramPoint>& points) {
    double m[3][7] = {};
    for (const auto& p : points) {
        const double row[3] = {p.x * p.x, p.x, 1.0};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) m[i][j] += row[i] * row[j];
            m[i][3] += row[i] * p.y;
        }
    }
    for (int i = 0; i < 3; ++i) m[i][4 + i] = 1.0;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (j == i) continue;
            const double f = m[j][i] / m[i][i];
            for (int c = 0; c < 7; ++c) m[j][c] -= f * m[i][c];
        }
    }
    Textbook t{};
    for (int i = 0; i < 3; ++i) {
        t.params[static_cast<std::size_t>(i)] = m[i][3] / m[i][i];
        t.inverseDiagonal[static_cast<std::size_t>(i)] = m[i][4 + i] / m[i][i];
    }
    return t;
}

TEST(Ausgleichskurve, NoiselessPointsGiveTheParametersExactly) {
    const auto line =
        fitPoints(FitModel::Line, sampled(6, 0.5, [](double t) { return 2 * t - 1; }));
    ASSERT_TRUE(line.ok()) << line.error;
    EXPECT_NEAR(line.params[0], 2.0, 1e-12);
    EXPECT_NEAR(line.params[1], -1.0, 1e-12);
    EXPECT_NEAR(line.errors[0], 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(line.r2, 1.0);
    EXPECT_EQ(line.n, 6);

    const auto fall = sampled(20, 0.0, [](double t) { return -4.9 * t * t + 3 * t + 2; });
    const auto parabola = fitPoints(FitModel::Parabola, fall);
    ASSERT_TRUE(parabola.ok());
    EXPECT_NEAR(parabola.params[0], -4.9, 1e-10);
    EXPECT_NEAR(parabola.params[1], 3.0, 1e-10);
    EXPECT_NEAR(parabola.params[2], 2.0, 1e-10);
    const auto g = fitGravity(Diagram::YT, parabola);
    ASSERT_TRUE(g);
    EXPECT_NEAR(g->g, 9.8, 1e-9) << "y points upwards: a fall gives a positive g";
    EXPECT_FALSE(fitGravity(Diagram::XT, parabola));

    // A pendulum of period 1.7 s over 4 s, started a quarter period in, with a phase to find.
    const double omega = 2 * std::numbers::pi / 1.7;
    const auto swing =
        sampled(100, 0.4, [&](double t) { return 0.3 * std::sin(omega * t - 2.5) + 0.1; });
    const auto sine = fitPoints(FitModel::Sine, swing);
    ASSERT_TRUE(sine.ok()) << sine.error;
    EXPECT_NEAR(sine.params[0], 0.3, 1e-8);
    EXPECT_NEAR(sine.params[1], omega, 1e-8);
    EXPECT_NEAR(sine.params[2], -2.5, 1e-8);
    EXPECT_NEAR(sine.params[3], 0.1, 1e-8);
    EXPECT_NE(fitReport(Diagram::XT, sine).find("T = 2π/ω = 1.70"), std::string::npos);
}

TEST(Ausgleichskurve, NoisyPointsGiveTheTextbookErrors) {
    const auto points = sampled(
        40, 0.2, [](double t) { return -4.9 * t * t + 1.5 * t + 0.3; }, 0.01);
    const auto fit = fitPoints(FitModel::Parabola, points);
    ASSERT_TRUE(fit.ok());
    const Textbook book = normalEquations(points);
    double ssr = 0;
    for (const auto& p : points) {
        const double r = p.y - ((book.params[0] * p.x + book.params[1]) * p.x + book.params[2]);
        ssr += r * r;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(fit.params[i], book.params[i], 1e-9 * std::abs(book.params[i]));
        EXPECT_NEAR(fit.errors[i], std::sqrt(ssr / 37 * book.inverseDiagonal[i]),
                    1e-6 * fit.errors[i]);
    }
    EXPECT_GT(fit.r2, 0.999);
    const std::string report = fitReport(Diagram::YT, fit);
    EXPECT_NE(report.find("Parabel: y = a·t² + b·t + c\na = -4.9"), std::string::npos) << report;
    EXPECT_NE(report.find("\nn = 40\ng = 9.8"), std::string::npos) << report;
    EXPECT_NE(report.find(" m/s²"), std::string::npos);

    // The sine's period on a noisy swing stays well within half a percent.
    const double omega = 2 * std::numbers::pi / 2.1;
    const auto swing = sampled(
        150, 0.0, [&](double t) { return 0.2 * std::cos(omega * t); }, 0.02);
    const auto sine = fitPoints(FitModel::Sine, swing);
    ASSERT_TRUE(sine.ok());
    EXPECT_NEAR(sine.params[1], omega, 0.001 * omega);
    EXPECT_GT(sine.errors[1], 0.0);
}

TEST(Ausgleichskurve, FitsThatCannotBeMadeSaySo) {
    const auto two = sampled(2, 0.0, [](double t) { return t; });
    const auto few = fitPoints(FitModel::Parabola, two);
    EXPECT_FALSE(few.ok());
    EXPECT_EQ(few.error, "Zu wenige Punkte für eine Parabel: 2, nötig sind mindestens 3.");
    EXPECT_EQ(fitReport(Diagram::YT, few), few.error);
    EXPECT_TRUE(fitCurve(few, 0, 1, 10).empty());

    const auto flat = fitPoints(FitModel::Sine, sampled(50, 0.0, [](double) { return 0.7; }));
    EXPECT_FALSE(flat.ok());
    EXPECT_NE(flat.error.find("Kein Sinus möglich"), std::string::npos);
    // Half a swing does not cross the mean twice.
    const auto half =
        fitPoints(FitModel::Sine, sampled(20, 0.0, [](double t) { return std::sin(3.9 * t); }));
    EXPECT_FALSE(half.ok());

    const std::vector<DiagramPoint> oneTime{{1, 0}, {1, 1}, {1, 2}};
    EXPECT_FALSE(fitPoints(FitModel::Line, oneTime).ok()) << "all points at one time";
    // As many points as parameters: the curve goes through them, the errors are unknown.
    const auto exact = fitPoints(FitModel::Line, std::vector<DiagramPoint>{{0, 1}, {1, 3}});
    ASSERT_TRUE(exact.ok());
    EXPECT_TRUE(std::isnan(exact.errors[0]));
    EXPECT_NE(fitReport(Diagram::VYT, exact).find("m = 2 ± ?"), std::string::npos);
}

}  // namespace
}  // namespace zebak
