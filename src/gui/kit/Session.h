#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/FrameSource.h"
#include "core/ProgramState.h"

namespace zebak::gui {

class Dialogs;
class Sound;

/// Progress while a film is prepared; false asks to cancel.
using FilmProgress = std::function<bool(const FilmOpenStatus& status)>;

/// Opens the film at a path. Returns nullptr when the preparation was cancelled through the
/// progress callback; throws std::exception with the decoder's own text when the film cannot
/// be opened.
using FilmOpener =
    std::function<std::unique_ptr<FrameSource>(const std::string& path, const FilmProgress&)>;

/// The program's session: the shared state, the open film, the dialogs, the sounds and the
/// film opener. It is created before the first window and destroyed after the last, so every
/// window and part may hold references into it for its whole life.
class Session {
  public:
    /// Takes the dialogs seam and the opener that turns a path into a film.
    Session(std::unique_ptr<Dialogs> dialogs, FilmOpener opener);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    /// The shared program state.
    ProgramState& state() { return state_; }
    const ProgramState& state() const { return state_; }
    /// Every modal question the program asks.
    Dialogs& dialogs() { return *dialogs_; }
    /// The three clips and the beep.
    Sound& sound() { return *sound_; }

    /// Opens a film through the opener without making it the session's film; nullptr on a
    /// cancel; throws when the film cannot be opened.
    std::unique_ptr<FrameSource> openFilm(const std::string& path, const FilmProgress& progress);
    /// Makes the film the open film; the previous one is closed.
    void setFilm(std::unique_ptr<FrameSource> film);
    /// The open film, nullptr before the first successful load.
    FrameSource* film() const { return film_.get(); }

    /// Kontextoeffnen / Kontextfreigeben: a routine reads the pixels of the displayed frame.
    void openPixelContext() { state_.KontextOffen = true; }
    /// `Kontextfreigeben`.
    void releasePixelContext() { state_.KontextOffen = false; }

  private:
    ProgramState state_;
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<Sound> sound_;
    FilmOpener opener_;
    std::unique_ptr<FrameSource> film_;
};

/// The opener of the program: films read frame-exactly through the decoder library.
FilmOpener decoderFilmOpener();

}  // namespace zebak::gui
