// The one place of the windows that names the decoder's frame source: the program's opener.
#include "gui/kit/Session.h"
#include "media/FfmsFrameSource.h"

namespace zebak::gui {

FilmOpener decoderFilmOpener() {
    return
        [](const std::string& path, const FilmProgress& progress) -> std::unique_ptr<FrameSource> {
            try {
                return FfmsFrameSource::open(path, progress);
            } catch (const FilmOpenCancelled&) {
                return nullptr;  // the user's own choice: no error
            }
        };
}

}  // namespace zebak::gui
