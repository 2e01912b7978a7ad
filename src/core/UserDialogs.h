#pragma once

#include <string>

namespace zebak {

/// Kind of a typed message box; the platform supplies the caption
/// ("Information", "Warnung", "Bestätigung", "Fehler").
enum class DialogKind { Information, Warning, Confirmation, Error };

/// The buttons of a typed message box.
enum class DialogButtons { Ok, YesNo, YesAbort };

/// How a message box was closed. Callers test for one answer; anything else counts as the other.
enum class DialogAnswer { Ok, Yes, No, Abort, Closed };

/// The program's three WAVE clips (`Fehler`, `Fehler2`, `Gefunden`).
enum class SoundClip { Error, SecondError, Found };

/// What a loop asks or tells the user: pauses with event processing, message boxes, beeps
/// and the clips. Every host must answer these.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    /// Waits `ms` milliseconds (0 to 1000) while processing pending events, at least once;
    /// this is where "Abbrechen" and key presses can ask a run to stop.
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

}  // namespace zebak
