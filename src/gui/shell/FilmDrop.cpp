#include "gui/shell/FilmDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace zebak::gui {

namespace {

/// The one local file a drag brings; empty for anything else.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

FilmDrop::FilmDrop(QWidget* window, std::function<bool()> allowed,
                   std::function<void(const QString&)> load)
    : QObject(window), allowed_(std::move(allowed)), load_(std::move(load)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool FilmDrop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (allowed_() && !droppedFile(enter->mimeData()).isEmpty()) enter->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty() || !allowed_()) return true;
        drop->acceptProposedAction();
        load_(path);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zebak::gui
