#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Diagrams.h"
#include "EvaluationChoices.h"

namespace zebak {

/// One "Ausgleichskurve" fitted by least squares to the points of a time diagram.
/// Either `error` holds the German message why no fit could be made (params and errors then
/// empty), or params hold the model's parameters in the order of its formula
/// (Gerade: m, b; Parabel: a, b, c; Sinus: A, ω, φ, c) with their standard errors, taken from
/// the residual variance and the covariance of the fit (NaN when there are only as many
/// points as parameters, which leaves no residual to estimate them from).
struct FitResult {
    FitModel model = FitModel::None;
    std::vector<double> params;
    std::vector<double> errors;
    /// Coefficient of determination 1 - SSR / SST (1 for points without spread).
    double r2 = 0.0;
    /// Number of points the fit was made from.
    int n = 0;
    std::string error;
    [[nodiscard]] bool ok() const { return error.empty() && !params.empty(); }
};

/// Number of parameters of a model (0 for None).
int parameterCount(FitModel model);

/// The model's German name: "keine", "Gerade", "Parabel", "Sinus".
std::string fitModelName(FitModel model);

/// Fits `model` to the points (x = time). Fewer points than parameters, points all at one
/// time and, for the sine, points that do not swing about their mean at least once (three
/// crossings of the mean, a full period) give a message instead. The sine starts from the period of
/// the crossings and a scan of nearby frequencies, then is refined by Levenberg-Marquardt.
FitResult fitPoints(FitModel model, std::span<const DiagramPoint> points);

/// The fitted curve's value at time t (NaN for a result without parameters).
double fitValue(const FitResult& fit, double t);

/// `samples` points of the fitted curve from t0 to t1, for drawing (empty without a fit).
std::vector<DiagramPoint> fitCurve(const FitResult& fit, double t0, double t1, int samples);

/// The rectangle a diagram shows: its x and y ranges.
struct DiagramRange {
    double x0, x1, y0, y1;
};

/// The points of `points` that lie within `range` (edges included): those a zoom shows.
std::vector<DiagramPoint> pointsWithin(std::span<const DiagramPoint> points,
                                       const DiagramRange& range);

/// g with its standard error where the fit gives it: a parabola of y - t (g = -2a) or a line
/// of vy - t (g = -m). The sign makes g positive for a fall, since y points upwards.
struct Gravity {
    double g = 0.0;
    double error = 0.0;
};
std::optional<Gravity> fitGravity(Diagram diagram, const FitResult& fit);

/// The panel's text: the formula, each parameter "± error", R², n and, where it applies,
/// "g = … ± … m/s²"; or the message of a failed fit.
std::string fitReport(Diagram diagram, const FitResult& fit);

}  // namespace zebak
