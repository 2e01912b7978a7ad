#include "gui/display/FilmLoading.h"

#include <cmath>

#include "core/FilmLoad.h"
#include "gui/display/DisplayWindow.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

std::unique_ptr<FrameSource> openWithProgress(Session& session, QWidget* parent,
                                              const QString& path) {
    std::unique_ptr<ProgressTask> progress =
        session.dialogs().beginProgress(parent, QStringLiteral("Film wird vorbereitet …"));
    const FilmProgress report = [&progress](const FilmOpenStatus& status) {
        return progress->update(status.fraction,
                                QString::fromStdString(filmOpenProgressText(status)));
    };
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
    QString text;
    if (isReducedPal(film.nativeSize)) {
        text = QStringLiteral("720x576, verringert auf 360/288");
    } else {
        const FrameSize upright = uprightSize(film.nativeSize, film.rotationDeg);
        text = QStringLiteral("Abmessungen:%1/%2").arg(upright.width).arg(upright.height);
    }
    if (film.captureFps)
        text += QStringLiteral(", Aufnahme mit %1 Bilder/s").arg(std::lround(*film.captureFps));
    return text;
}

void tellLoadWarnings(Session& session, QWidget* parent, const FilmDescription& film) {
    for (const std::string& warning : film.warnings)
        session.dialogs().message(parent, MessageKind::Warning, QString::fromStdString(warning),
                                  QMessageBox::Ok);
}

bool askTimesFromFilm(Session& session, QWidget* parent, const FilmDescription& film) {
    if (!film.variableFrameRate) return false;
    const QString text =
        QStringLiteral(
            "Die Bilder dieses Films folgen nicht in gleichen Abständen aufeinander "
            "(zwischen %1 und %2 ms). Sollen die Zeiten aus dem Film übernommen "
            "werden?")
            .arg(std::lround(film.minFrameSeconds * 1000.0))
            .arg(std::lround(film.maxFrameSeconds * 1000.0));
    return session.dialogs().message(parent, MessageKind::Warning, text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void openVideo(DisplayWindow* display, const FilmDescription& film, FrameSize analysis, QPoint at) {
    // A film taller than 288 rows is shown reduced; the picture is scaled into the window.
    const FrameSize shown = displayWindowSize(analysis);
    display->setClientSize(shown.width, shown.height);
    display->move(at);
    if (isReducedPal(film.nativeSize)) {
        display->panel1()->setGeometry(shown.width - 1, shown.height - 1, 1, 1);
        display->panel1()->show();
        pauseWithEvents(100);
    }
    display->show();
}

}  // namespace zebak::gui
