#pragma once

#include <array>
#include <vector>

#include "PositionGrid.h"
#include "RgbFrame.h"

namespace zebak {

/// Search mode of a slot (RadioGroup1 of the settings frame).
enum class SearchMode { Einfach = 0, PositionVorherbestimmt = 1 };

/// The search settings of one colour slot as its settings page (TFrame1, SuchEinst1 or
/// SuchEinst2) shows them; the start values are those of the pages at program start.
/// The GUI copies its controls in here; the loops read them anew where the controls were read.
struct SearchSettings {
    /// "Einfach" or "Position vorherbest." (RadioGroup1).
    SearchMode modus = SearchMode::PositionVorherbestimmt;
    /// "max. Farbtoleranz" (FarbToleranz), 0 to 255.
    int FarbToleranz = 40;
    /// "Mögl. Abweichung" (SpinEdit1): radius of the predicted-position disc, pixels.
    /// Slot 1's field is bounded to 0..500, slot 2's has no bounds (may be negative).
    int moeglicheAbweichung = 60;
    /// "gezielte Zweitsuche" (CheckBox1).
    bool gezielteZweitsuche = false;
    /// "Zweittoleranz" (Zweit_Toleranz), 0 to 255.
    int ZweitToleranz = 60;
    /// "Objektgrösse" (SpinEdit3): diameter of the targeted search circle, pixels.
    /// Slot 1's field is bounded to 0..500, slot 2's has no bounds (may be negative).
    int Objektgroesse = 16;
    /// "Farbübernahme" (CheckBox2).
    bool Farbuebernahme = false;
    /// "Objekt wiedersuchen": a predicted-position pass that loses the object (the disc finds
    /// nothing, or the first frames do) searches the whole area until it finds it again and
    /// predicts afresh from there. Off by default.
    bool reacquire = false;
};

/// What the result display panel (Panel3, "Anzeige der Suchergebnisse") asks for.
struct ResultDisplay {
    /// "Farbe 1 analysieren" (CheckBox1) and "Farbe 2 analysieren" (CheckBox2).
    bool farbe1Analysieren = true;
    bool farbe2Analysieren = false;
    /// RadioGroup1: false = "Mittelpunkt" (item 0), true = "gefundene Bildpunkte" (item 1).
    bool gefundeneBildpunkte = true;
    /// Centre marker: false = "+" (RadioButton1, a 5x5 cross), true = "." (RadioButton2).
    bool punktMarker = false;
    /// "Suchgebiete" (CheckBox3); offers the two boxes below.
    bool suchgebiete = false;
    /// "Abweichung" (CheckBox4): draw the predicted-position disc in yellow.
    bool abweichung = false;
    /// "Objektgrösse" (CheckBox5): draw the targeted search circle in aqua.
    bool objektgroesse = false;
    /// "Hintergrund" (CheckBox6): copy the current frame into the result image at the start.
    bool hintergrund = false;
    /// Brake (ScrollBarBremse): pause after each analysed frame, milliseconds, 0 to 1000.
    int bremseMs = 0;
};

/// The colour of the found indicator Panel5: green "erkannt" or red "nicht erkannt".
enum class FoundIndicator { Found, NotFound };

/// State of the colour search and the film analysis that is not a colour slot: the settings
/// pages, the result display options, the restricted sequence, the position tables and the
/// search result image. Plain data; the GUI keeps its controls in step with it.
struct AnalysisState {
    /// Settings of slot 1 and slot 2 (SuchEinst1, SuchEinst2); use settings(n).
    std::array<SearchSettings, 2> suchEinst{};
    ResultDisplay anzeige;
    /// Restricted sequence: first frame (ScrollBar2) and last frame (ScrollBar3) positions,
    /// 0 to the frame count.
    int sequenceStart = 0;
    int sequenceEnd = 0;
    /// "Bilder/s" (SpinEdit1 of the player panel): frames per second for the time column.
    /// Values below 1 are used as 1.
    int framesPerSecond = 25;
    /// "Zeiten aus dem Film": the time column takes each frame's time from the film
    /// (frameTimesS) instead of the frame distance and framesPerSecond.
    bool timesFromFilm = false;
    /// The loaded film's frame times in seconds, frame 0 at 0; empty when unknown.
    std::vector<double> frameTimesS;
    /// The found indicator; a row written while it is NotFound is left empty.
    FoundIndicator panel5 = FoundIndicator::Found;
    /// The position tables tabelle1 (colour 1) and Tabelle2 (colour 2); use tabelle(n).
    std::array<PositionGrid, 2> tabellen{PositionGrid({"Zeit /s", "X1 /m", "Y1 /m"}),
                                         PositionGrid({"Zeit /s", "X2 /m", "Y2 /m"})};
    /// The search result image (TForm4.Image1), frame pixels; the searches draw into it.
    RgbFrame Suchergebnisbild;
};

}  // namespace zebak
