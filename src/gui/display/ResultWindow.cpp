#include "gui/display/ResultWindow.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include "core/AnalysisEvents.h"
#include "core/Measurement.h"
#include "gui/display/FrameImage.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/PngFile.h"

namespace zebak::gui {

namespace {

/// The search result image Image1: paints the state's result picture 1:1 at (0, 0) on white.
class ResultImage final : public QWidget {
  public:
    explicit ResultImage(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Image1"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    const RgbFrame* bild = nullptr;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (bild == nullptr || bild->empty()) return;
        // Borrows the picture's bytes for the length of this paint; no copy per frame.
        const QImage picture = borrowFrame(*bild);
        if (picture.size() == size()) {
            painter.drawImage(0, 0, picture);
            return;
        }
        // A frame larger than the window is shown whole, scaled down with its shape kept;
        // the picture itself keeps the frame's size. Smoothing only when it shrinks, so a
        // picture enlarged for a high-density screen stays sharp.
        const QSize shown = picture.size().scaled(size(), Qt::KeepAspectRatio);
        const qreal ratio = devicePixelRatioF();
        painter.setRenderHint(QPainter::SmoothPixmapTransform,
                              shown.width() * ratio < picture.width());
        painter.drawImage(QRect(QPoint(0, 0), shown), picture);
    }
};

}  // namespace

ResultWindow::ResultWindow(QWidget* parent)
    // A fixed frame with a title and only the close button; it stays above the main window.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Suchergebnisse"));
    setFocusPolicy(Qt::StrongFocus);
    QPalette weiss = palette();
    weiss.setColor(QPalette::Window, Qt::white);
    setPalette(weiss);
    setAutoFillBackground(true);
    image1_ = new ResultImage(this);
    setClientSize(400, 320);
}

void ResultWindow::attach(RgbFrame& image, RunControl& control, Dialogs& dialogs) {
    image_ = &image;
    control_ = &control;
    dialogs_ = &dialogs;
    static_cast<ResultImage*>(image1_)->bild = &image;
    image1_->update();
}

QImage ResultWindow::bild() const {
    if (image_ == nullptr || image_->empty()) return {};
    return borrowFrame(*image_).copy();
}

void ResultWindow::setClientSize(int w, int h) {
    setFixedSize(qMax(w, 1), qMax(h, 1));
    image1_->setGeometry(0, 0, width(), height());
}

void ResultWindow::imagecreate() {
    if (image_ != nullptr) {
        RgbFrame neu(width(), height());
        neu.fill(Rgb{255, 255, 255});
        *image_ = std::move(neu);
    }
    image1_->setGeometry(0, 0, width(), height());
    image1_->update();
}

void ResultWindow::pictureChanged() { image1_->update(); }

bool ResultWindow::hasPicture() const { return image_ != nullptr && !image_->empty(); }

void ResultWindow::savePicture() {
    if (!hasPicture() || dialogs_ == nullptr) return;
    // The picture is copied first: a running stroboscope must not change it while it is
    // written.
    const QImage picture = bild();
    const QString path = dialogs_->saveFileName(this, QStringLiteral("Bild speichern"),
                                                QStringLiteral("PNG-Bilder (*.png)"));
    if (path.isEmpty()) return;
    try {
        writePngFile(picture, path);
    } catch (const std::exception& e) {
        dialogs_->message(this, MessageKind::Error, QString::fromUtf8(e.what()), QMessageBox::Ok);
    }
}

void ResultWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* save = menu.addAction(QStringLiteral("Bild speichern …"));
    save->setObjectName(QStringLiteral("Bildspeichern2"));
    save->setEnabled(hasPicture());
    if (menu.exec(event->globalPos()) == save) savePicture();
}

void ResultWindow::keyPressEvent(QKeyEvent* event) {
    // Any key stops a running film analysis at its next check; outside a run it is harmless,
    // since every analysis clears the request when it starts.
    if (control_ != nullptr) control_->stopRequested = true;
    event->accept();
}

}  // namespace zebak::gui
