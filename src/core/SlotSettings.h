#pragma once

namespace zebak {

/// Search mode of a slot (`RadioGroup1` of the settings frame): "Einfach" or
/// "Position vorherbest.".
enum class SearchMode { Simple = 0, Predicted = 1 };

/// The search settings of one colour slot as its settings page (`TFrame1`, `SuchEinst1` or
/// `SuchEinst2`) shows them; the start values are those of the pages at program start. The
/// ranges of the numbers are in the limits table (AnalysisJob.h).
struct SlotSettings {
    /// "Einfach" or "Position vorherbest." (`RadioGroup1`).
    SearchMode mode = SearchMode::Predicted;
    /// "max. Farbtoleranz" (`FarbToleranz`).
    int tolerance = 40;
    /// "Mögl. Abweichung" (`SpinEdit1`): radius of the predicted-position disc, pixels.
    int deviationPx = 60;
    /// "gezielte Zweitsuche" (`CheckBox1`).
    bool refine = false;
    /// "Zweittoleranz" (`Zweit_Toleranz`).
    int refineTolerance = 60;
    /// "Objektgrösse" (`SpinEdit3`): diameter of the targeted search circle, pixels.
    int objectSizePx = 16;
    /// "Farbübernahme" (`CheckBox2`).
    bool adoptColour = false;
    /// "Objekt wiedersuchen": a predicted-position pass that loses the object (the disc finds
    /// nothing, or the first frames do) searches the whole area until it finds it again and
    /// predicts afresh from there. Off by default.
    bool reacquire = false;
    /// "Zusammenhängend": the centre comes from one connected region of matching pixels
    /// (the object) instead of from every matching pixel of the search area. Off by default.
    bool connected = false;
    /// "Subpixel": the centre is the mean of the matching pixels' coordinates, kept with its
    /// fraction, instead of the middle of their bounding box. Off by default.
    bool subpixel = false;
    /// Whether the centre comes from the marked pixels' regions rather than their box.
    bool usesRegions() const { return connected || subpixel; }
    friend constexpr bool operator==(const SlotSettings&, const SlotSettings&) = default;
};

/// What the result display panel (`Panel3`, "Anzeige der Suchergebnisse") asks for.
struct ResultDisplay {
    /// "Farbe 1 analysieren" (`CheckBox1`) and "Farbe 2 analysieren" (`CheckBox2`).
    bool analyseColour1 = true;
    bool analyseColour2 = false;
    /// `RadioGroup1`: false = "Mittelpunkt" (item 0), true = "gefundene Bildpunkte" (item 1).
    bool showFoundPixels = true;
    /// Centre marker: false = "+" (`RadioButton1`, a 5x5 cross), true = "." (`RadioButton2`).
    bool dotMarker = false;
    /// "Suchgebiete" (`CheckBox3`); offers the two boxes below.
    bool showSearchAreas = false;
    /// "Abweichung" (`CheckBox4`): draw the predicted-position disc in yellow.
    bool showDeviation = false;
    /// "Objektgrösse" (`CheckBox5`): draw the targeted search circle in aqua.
    bool showObjectSize = false;
    /// "Hintergrund" (`CheckBox6`): copy the current frame into the result image at the start.
    bool background = false;
    /// Brake (`ScrollBarBremse`): pause after each analysed frame, milliseconds, 0 to 1000.
    int brakeMs = 0;
    /// Whether slot n (1 or 2) is analysed.
    bool analyses(int slot) const { return slot == 2 ? analyseColour2 : analyseColour1; }
    friend constexpr bool operator==(const ResultDisplay&, const ResultDisplay&) = default;
};

}  // namespace zebak
