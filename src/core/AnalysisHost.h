#pragma once

#include <string>

#include "ProgramState.h"

namespace zebak {

/// Kind of a typed message box; the platform supplies the caption
/// ("Information", "Warnung", "Bestätigung", "Fehler").
enum class DialogKind { Information, Warning, Confirmation, Error };

/// The buttons of a typed message box.
enum class DialogButtons { Ok, YesNo, YesAbort };

/// How a message box was closed. Callers test for one answer; anything else counts as the other.
enum class DialogAnswer { Ok, Yes, No, Abort, Closed };

/// The program's three WAVE clips.
enum class SoundClip { Fehler, Fehler2, Gefunden };

/// Everything the searches and loops need from a user interface. The GUI implements it with
/// windows and message boxes; the headless tool and the tests implement it without any.
/// No method is called per pixel: the loops draw into ProgramState::Suchergebnisbild (the
/// search result image) and tell the host once per frame that it changed.
class AnalysisHost {
  public:
    virtual ~AnalysisHost() = default;

    /// Waits `ms` milliseconds (0 to 1000) while processing pending events, at least once;
    /// this is where "Abbrechen" and key presses can set ProgramState::Abbruch.
    virtual void pause(int ms) = 0;
    /// A plain message box with an OK button.
    virtual void showMessage(const std::string& text) = 0;
    /// A typed message box; returns how the user closed it.
    virtual DialogAnswer messageDialog(DialogKind kind, const std::string& text,
                                       DialogButtons buttons) = 0;
    /// MessageBeep with type 0 (standard) or 1.
    virtual void messageBeep(int type) = 0;
    /// Plays one of the program's clips without waiting; silent without an audio device.
    virtual void playSound(SoundClip clip) = 0;

    /// The found indicator changed (the state's FoundIndicator already holds the new value).
    virtual void foundIndicatorChanged(FoundIndicator indicator) = 0;
    /// Shows or hides "Abbrechen" (AbbrechenBtn) while a loop runs.
    virtual void showAbortButton(bool visible) = 0;
    /// Shows or hides the found indicator Panel5 with its label "Objekt".
    virtual void showFoundIndicator(bool visible) = 0;
    /// Hourglass cursor on (true) or the default cursor (false).
    virtual void setBusyCursor(bool busy) = 0;

    /// The search result window: shown (and sized to the frame) or hidden.
    virtual void showResultWindow(bool visible) = 0;
    /// The search result image was drawn into; repaint the search result window.
    virtual void resultImageChanged() = 0;
    /// The display window at full frame size (true, during an analysis) or back at its
    /// normal, possibly reduced size (false).
    virtual void setDisplayFullSize(bool fullSize) = 0;
    /// Hides (false) or shows and repaints (true) the display window (second-search question).
    virtual void showDisplayWindow(bool visible) = 0;
    /// Paints a white cross of 5 by 5 pixels centred on (x, y), frame pixels, onto the live
    /// picture of the display window; it disappears when the window redraws.
    virtual void paintDisplayCross(int x, int y) = 0;

    /// The film now shows frame n: the position bar and the frame labels may follow.
    virtual void frameShown(int n) = 0;
    /// The end bar of the restricted sequence (ScrollBar3) was moved to `position`.
    virtual void endBarMoved(int position) = 0;
    /// The working colour of the slot changed or was rewritten (RGB edits), and when `swatch`
    /// is set the slot's swatch must be redrawn (its assigned mark is set in the state).
    virtual void workingColourChanged(SlotNumber slot, bool swatch) = 0;
    /// Show the settings page of the slot ("Farbe 1" / "Farbe 2") and make it the current slot.
    virtual void showSettingsPage(SlotNumber slot) = 0;
    /// The position tables were prepared (emptied, headers written) and are to be shown;
    /// Tabelle2 is shown only when colour 2 is analysed.
    virtual void positionTablesPrepared() = 0;
    /// A row of the slot's position table was written (the grid may have changed its size).
    virtual void positionRowWritten(SlotNumber slot, int row) = 0;
};

}  // namespace zebak
