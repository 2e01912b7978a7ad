#pragma once

#include <array>
#include <optional>

#include "core/Diagrams.h"

namespace zebak::gui {

/// Where the export sends the tables: "zu Excel", "Text-Format" or "Daten (*.csv)".
enum class ExportChoice { Excel, Text, Csv };

/// What the evaluation window shows: the menu's check marks and visibility, the chosen
/// diagrams, the smoothing strength and whether the lines are on. The parts decide from this,
/// never from their widgets, and bring their widgets in step with it.
struct EvaluationView {
    /// "&Diagramm" checked (the "Diagramme" group shown), else "&Phasenraum".
    bool diagramMode = true;
    /// "Farbe1" / "Farbe2": visible in the menu and checked (drawn).
    std::array<bool, 2> colourItemVisible{true, false};
    std::array<bool, 2> colourDrawn{true, false};
    /// "Tabelle1" / "Tabelle2": visible (only with two colours) and checked.
    std::array<bool, 2> tableItemVisible{false, false};
    std::array<bool, 2> tableChecked{true, false};
    /// The button chosen in the "Diagramme" group (none before the first opening).
    std::optional<Diagram> diagram;
    /// The button chosen in the "Phasenraum" group.
    Diagram phase = Diagram::XVX;
    /// Smoothing strength of the trend line: 1, 3, 5, 7 or 9.
    int strength = 5;
    /// Both line series shown ("Trendlinie aus" is the caption then).
    bool linesOn = true;
    /// The export panel's choice ("zu Excel" at start).
    ExportChoice exportTo = ExportChoice::Excel;

    bool drawn(int slot) const { return colourDrawn.at(static_cast<std::size_t>(slot - 1)); }
};

}  // namespace zebak::gui
