#pragma once

#include <optional>

#include "Diagrams.h"

namespace zebak {

/// The model of the "Ausgleichskurve" drawn over a time diagram.
enum class FitModel {
    /// No fitted curve (the start value).
    None,
    /// "Gerade": y = m·t + b.
    Line,
    /// "Parabel": y = a·t² + b·t + c.
    Parabola,
    /// "Sinus": y = A·sin(ω·t + φ) + c.
    Sine
};

/// The evaluation window's choices that belong to the measurement rather than to the moment:
/// the diagram shown, the trend line's strength, the difference step and the fitted model.
/// The window keeps them here so that they outlive it and can be saved with the analysis.
struct EvaluationChoices {
    /// The diagram shown (none before the window was first opened).
    std::optional<Diagram> diagram;
    /// Smoothing strength of the trend line: 1, 3, 5, 7 or 9.
    int trendStrength = 5;
    /// "Differenz über n Bilder": rows apart of the differences, 1 to 50 (1 = each row).
    int spread = 1;
    /// "Ausgleichskurve": the model fitted to the time diagram shown.
    FitModel fit = FitModel::None;
    friend bool operator==(const EvaluationChoices&, const EvaluationChoices&) = default;
};

}  // namespace zebak
