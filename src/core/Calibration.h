#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Domain.h"
#include "FilmLoad.h"
#include "Measurement.h"
#include "PositionGrid.h"
#include "VideoSize.h"

namespace zebak {

// The texts of a calibration. The boxes show the line break of the error texts as one break.
/// Main window: the first click of the calibration line.
inline constexpr const char* kAnfangspunkt =
    "Bitte clicken sie auf den Anfangspunkt einer Strecke bekannten Ausmasses.";
/// Main window: the second click.
inline constexpr const char* kEndpunkt = "Bitte clicken sie auf den Endpunkt.";
/// Main window: whether the origin is to be clicked as well (Yes, No).
inline constexpr const char* kNullpunktFrage = "Möchten Sie noch den Nullpunkt verschieben?";
/// Manual capture: the first click of the calibration line.
inline constexpr const char* kManuellAnfangspunkt =
    "Bitte clicken Sie auf den Anfangspunkt einer Strecke bekannten Ausmasses.";
/// Manual capture: the second click.
inline constexpr const char* kManuellEndpunkt = "Bitte clicken Sie jetzt auf den Endpunkt.";
/// Manual capture: whether the time origin moves with the origin (Yes, No, Abort).
inline constexpr const char* kZeitNullpunktFrage =
    "Möchten Sie neben dem Koordinatennullpunkt auch den zeitlichen Nullpunkt verschieben?";
/// Manual capture: the rows were emptied because the time origin moved.
inline constexpr const char* kMesswerteGeloescht = "Die bisherigen Meswerte wurden gelöscht.";
/// Main window: no factor could be formed from the two clicks.
inline constexpr const char* kEichfehler = "Fehler!\nBitte wiederholen Sie die Eichung.";
/// Manual capture: no factor could be formed from the two clicks.
inline constexpr const char* kManuellEichfehler = "Fehler.\nBitte wiederholen Sie die Eichung.";
/// Rescaling found no previous factor to divide by.
inline constexpr const char* kEichfaktoraltNull =
    "Fehler!\nBitte wiederholen Sie die Eichung. (Eichfaktoralt=0?)";

/// Texts of information boxes to show, in order.
using Messages = std::vector<std::string>;

/// Rewrites (`Tabelleumrechnen`) the x and y cells of both tables (rows 1 to the last) from the
/// factor oldFactor to newFactor (metres per pixel), 5 decimals trimmed. Empty cells, cells
/// that hold no number and cells whose new value would not be a finite number keep their
/// text; the time column is not touched. An oldFactor of 0 gives kEichfaktoraltNull and
/// nothing is rewritten.
Messages rescaleTables(std::array<TrackResult, 2>& tables, double newFactor, double oldFactor);

/// Re-expresses (`Nullpunktumrechnen`) the x and y cells of the table (rows 1 to the last) from
/// the origin oldOrigin to newOrigin (pixels, y downward) at `factor` metres per pixel, 5
/// decimals trimmed; empty and non-number cells keep their text. A factor of 0 gives
/// kEichfehler and nothing is rewritten.
Messages moveTableOrigin(PositionGrid& table, double factor, PixelPoint oldOrigin,
                         PixelPoint newOrigin);

/// The length typed into the length window, metres: "." or "," as decimal separator. Empty
/// when the text cannot end the wait: empty, not a number, or 0. A negative length is taken.
std::optional<double> readLength(std::string_view text);

/// Which calibration runs: the main window's, the manual-capture one, or the origin move of
/// manual capture.
enum class CalibrationKind { Main, Manual, ManualOrigin };

/// What a running calibration waits for.
enum class CalibrationStep { Idle, StartPoint, EndPoint, Length, OriginQuestion, Origin };

/// What a calibration run changes: the calibration, the line it clicks (the main window's
/// `Eichpunkt` line or the manual overlay's `ManuellEichpunkt` line) and the tables it
/// rescales.
struct CalibrationTarget {
    Calibration& calibration;
    CalibrationLine& line;
    std::array<TrackResult, 2>& tracks;
};

/// The target of a run of this kind over the measurement.
inline CalibrationTarget calibrationTarget(Measurement& m, CalibrationKind kind) {
    return {m.calibration, kind == CalibrationKind::Main ? m.calibration.line : m.manualLine,
            m.tracks};
}

/// A calibration or origin move as a sequence of steps: the windows start it, feed it the
/// clicks, the typed length and the answer to the origin question, and show what it returns.
/// The step is the only record of what the next click means (`Eichschritt`,
/// `Kalibrierschritt`, `EichungLaeuft` of the old form); the value a step waits for reads -1
/// until it is clicked.
class CalibrationRun {
  public:
    /// Starts a run of this kind over a picture of this size (the pixels the clicks are in);
    /// `timeOriginToo` moves the time origin with the origin (ManualOrigin only). False, and
    /// nothing changes, while a run is going on.
    bool begin(CalibrationTarget target, CalibrationKind kind, FrameSize picture,
               bool timeOriginToo = false);
    /// True from begin() until the run ends or is abandoned.
    bool running() const { return step_ != CalibrationStep::Idle; }
    /// True while a run of this kind is going on.
    bool running(CalibrationKind kind) const { return running() && kind_ == kind; }
    /// The kind of the run going on or ended last.
    CalibrationKind kind() const { return kind_; }
    /// What the run waits for; Idle when none runs.
    CalibrationStep step() const { return step_; }
    /// True while the step waits for a click on the picture.
    bool awaitsClick() const;
    /// The instruction shown as the step begins (the two click requests); nullptr otherwise.
    const char* prompt() const;
    /// A click on the picture at `point` (pixels of the picture given to begin()). Taken only
    /// while a click is awaited; returns the messages the step's end shows.
    Messages click(CalibrationTarget target, PixelPoint point);
    /// The length typed: ends the length step and forms the factor (a failed factor keeps the
    /// old one and says so). False, and the wait goes on, unless the step awaits a length.
    bool length(CalibrationTarget target, double lengthM, Messages& messages);
    /// The answer to kNullpunktFrage: Yes awaits the origin click, No ends the run.
    Messages originAnswer(CalibrationTarget target, bool moveOrigin);
    /// True when the run that just ended moved the time origin: the frame shown is to become
    /// the start of the restricted sequence.
    bool timeOriginMoved() const { return timeOriginMoved_; }
    /// Ends a run at once (its window closes): the origin as before the move, the factor as it
    /// stands.
    void abandon(CalibrationTarget target);

  private:
    void enter(CalibrationTarget target, CalibrationStep step);
    void formFactor(CalibrationTarget target, Messages& messages) const;
    Messages finish(CalibrationTarget target);

    CalibrationKind kind_ = CalibrationKind::Main;
    CalibrationStep step_ = CalibrationStep::Idle;
    FrameSize picture_{};
    bool timeOriginToo_ = false;
    bool timeOriginMoved_ = false;
    PixelPoint originBefore_{};
    /// The factor before the run (`Eichfaktoralt`), to rescale the tables by.
    double previousFactor_ = 1.0;
    /// The origin before an origin move (`NullpunktAlt`).
    PixelPoint previousOrigin_{};
};

}  // namespace zebak
