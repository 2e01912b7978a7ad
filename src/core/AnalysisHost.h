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

/// What a loop asks or tells the user: pauses with event processing, message boxes, beeps
/// and the clips. Every host must answer these.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

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
};

/// What a loop shows on the windows: the found indicator, "Abbrechen", the cursor, the search
/// result window, the display window's size and crosses, and where the film stands. No
/// method is called per pixel: the loops draw into ProgramState::Suchergebnisbild and say
/// once per frame that it changed. A host without windows keeps the silent defaults.
class DisplayFeedback {
  public:
    virtual ~DisplayFeedback() = default;

    /// The found indicator changed (the state's FoundIndicator already holds the new value).
    virtual void foundIndicatorChanged(FoundIndicator) {}
    /// Shows or hides "Abbrechen" (AbbrechenBtn) while a loop runs.
    virtual void showAbortButton(bool) {}
    /// Shows or hides the found indicator Panel5 with its label "Objekt".
    virtual void showFoundIndicator(bool) {}
    /// Hourglass cursor on (true) or the default cursor (false).
    virtual void setBusyCursor(bool) {}
    /// The search result window: shown (and sized to the frame) or hidden.
    virtual void showResultWindow(bool) {}
    /// The search result image was drawn into; repaint the search result window.
    virtual void resultImageChanged() {}
    /// The display window at full frame size (true, during an analysis) or back at its
    /// normal, possibly reduced size (false).
    virtual void setDisplayFullSize(bool) {}
    /// Hides (false) or shows and repaints (true) the display window (second-search question).
    virtual void showDisplayWindow(bool) {}
    /// Paints a white cross of 5 by 5 pixels centred on (x, y), frame pixels, onto the live
    /// picture of the display window; it disappears when the window redraws.
    virtual void paintDisplayCross(int /*x*/, int /*y*/) {}
    /// The film now shows frame n: the position bar and the frame labels may follow.
    virtual void frameShown(int /*n*/) {}
    /// The end bar of the restricted sequence (ScrollBar3) was moved to `position`.
    virtual void endBarMoved(int /*position*/) {}
};

/// What a loop writes back into the main window's tables and settings pages. A host without
/// windows keeps the silent defaults.
class TableFeedback {
  public:
    virtual ~TableFeedback() = default;

    /// The working colour of the slot changed or was rewritten (RGB edits), and when `swatch`
    /// is set the slot's swatch must be redrawn (its assigned mark is set in the state).
    virtual void workingColourChanged(SlotNumber /*slot*/, bool /*swatch*/) {}
    /// Show the settings page of the slot ("Farbe 1" / "Farbe 2") and make it the current slot.
    virtual void showSettingsPage(SlotNumber /*slot*/) {}
    /// The position tables were prepared (emptied, headers written) and are to be shown;
    /// Tabelle2 is shown only when colour 2 is analysed.
    virtual void positionTablesPrepared() {}
    /// A row of the slot's position table was written (the grid may have changed its size).
    virtual void positionRowWritten(SlotNumber /*slot*/, int /*row*/) {}
};

/// Everything a loop may reach of a user interface, by concern; the three may be one object.
/// Routines that need only one concern take that part alone.
struct AnalysisHost {
    UserDialogs& dialogs;
    DisplayFeedback& display;
    TableFeedback& tables;
};

}  // namespace zebak
