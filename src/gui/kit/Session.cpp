#include "gui/kit/Session.h"

#include "gui/kit/Dialogs.h"
#include "gui/kit/Sound.h"

namespace zebak::gui {

Session::Session(std::unique_ptr<Dialogs> dialogs, FilmOpener opener)
    : dialogs_(std::move(dialogs)), sound_(std::make_unique<Sound>()), opener_(std::move(opener)) {}

Session::~Session() = default;

std::unique_ptr<FrameSource> Session::openFilm(const std::string& path,
                                               const FilmProgress& progress) {
    return opener_(path, progress);
}

void Session::setFilm(std::unique_ptr<FrameSource> film) { film_ = std::move(film); }

}  // namespace zebak::gui
