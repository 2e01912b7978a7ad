#include "gui/main/FilmLoading.h"

#include "core/FilmLoad.h"
#include "gui/app/Dialogs.h"
#include "gui/app/Session.h"
#include "gui/app/WidgetKit.h"
#include "gui/search/TForm3.h"

namespace zebak::gui {

std::unique_ptr<FrameSource> openWithProgress(Session& session, QWidget* parent,
                                              const QString& path) {
    std::unique_ptr<ProgressTask> progress =
        session.dialogs().beginProgress(parent, QStringLiteral("Film wird vorbereitet …"));
    const FilmProgress report = [&progress](double fraction) { return progress->update(fraction); };
    try {
        return session.openFilm(path.toStdString(), report);
    } catch (const std::exception& error) {
        progress.reset();
        session.dialogs().message(parent, MessageKind::Error, QString::fromUtf8(error.what()),
                                  QMessageBox::Ok);
        return nullptr;
    }
}

QString frameSizeText(const FilmDescription& film) {
    if (isReducedPal(film.nativeSize)) return QStringLiteral("720x576, verringert auf 360/288");
    return QStringLiteral("Abmessungen:%1/%2")
        .arg(film.nativeSize.width)
        .arg(film.nativeSize.height);
}

void Videooeffnen(TForm3* display, const FilmDescription& film, FrameSize analysis, QPoint at) {
    // A film taller than 288 rows is shown reduced; the picture is scaled into the window.
    const FrameSize shown = displayWindowSize(analysis);
    display->setClientSize(shown.width, shown.height);
    display->move(at);
    if (isReducedPal(film.nativeSize)) {
        display->Panel1()->setGeometry(shown.width - 1, shown.height - 1, 1, 1);
        display->Panel1()->show();
        pauseWithEvents(100);
    }
    display->show();
}

}  // namespace zebak::gui
