#pragma once

#include <optional>
#include <string>

#include "Domain.h"
#include "FilmLoad.h"
#include "VideoSize.h"

namespace zebak {

/// The overlay's caption while manual capture runs.
inline constexpr const char* kManuelleAuswertung = "Manuelle Auswertung";
/// Asked on the first left click unless a calibration or origin move settled it (Yes, No).
inline constexpr const char* kKalibrierenFrage = "Möchten Sie zuerst den Bildschirm kalibrieren?";
/// " Auswertung" with three rows or fewer: the evaluation does not open.
inline constexpr const char* kZuWenigMesswerte =
    "Es sind noch nicht genug Messwerte erfasst worden.";
/// " Auswertung" with an empty x cell: a warning, and the evaluation opens all the same.
inline constexpr const char* kUebersprungen =
    "Mindestens ein Bild wurde übersprungen! Dadurch entstehen Lücken in den Datenreihen.";

/// What a manually captured row's texts depend on.
struct ManualRowRules {
    const FilmTiming& timing;
    /// The range start S: the frame of row 1.
    int start;
    const Calibration& calibration;
};

/// Records the click p for frame n into tabelle1's track (`zeileinsmemomanuell`). Row n - S + 1
/// gets t with 3 decimals, x = (px - origin.x) * factor and y = (origin.y - py - 1) * factor
/// with 5 decimals, none trimmed; the table grows to hold that row but never shrinks, and a
/// second click in a frame overwrites its row. Returns the row written, or 0 for a frame
/// before S (nothing is written).
int writeManualRow(TrackResult& track, const ManualRowRules& rules, int n, PixelPoint p);

/// The live mouse label of manual capture: "x: " (or "y: ") + the trimmed coordinate of the
/// picture pixel with 5 decimals + " Pixel" when uncalibrated (factor exactly 1) or " m".
std::string mouseLabelX(const Calibration& calibration, int px);
std::string mouseLabelY(const Calibration& calibration, int py);

/// What " Auswertung" of manual capture does with tabelle1.
struct ManualEvaluationCheck {
    /// The evaluation window opens.
    bool opens = false;
    /// Information box refusing it (kZuWenigMesswerte), empty when it opens.
    std::string refusal;
    /// Warning box shown before it opens (kUebersprungen), empty without gaps.
    std::string warning;
};

/// Checks tabelle1 before the evaluation opens: more than 3 rows are needed, and an empty x
/// cell in rows 1 to the last warns of a skipped frame.
ManualEvaluationCheck checkManualEvaluation(const PositionGrid& table);

/// Where a picture is shown on a screen: the largest rectangle of the picture's aspect ratio
/// that fits, centred, the rest black. Pixels of the screen.
struct PictureRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(PictureRect, PictureRect) = default;
};

/// The letterboxed place of a picture of size `picture` on a screen of size `screen`; an
/// empty picture or screen gives an empty rectangle.
PictureRect letterbox(FrameSize picture, FrameSize screen);

/// The pixel of the shown picture (0, 0 at its top-left corner) under a screen point; empty
/// for a point on the black border around it.
std::optional<PixelPoint> screenToPicture(PixelPoint screen, PictureRect shown);

}  // namespace zebak
