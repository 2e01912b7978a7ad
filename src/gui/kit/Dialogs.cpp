#include "gui/kit/Dialogs.h"

#include "gui/kit/DesktopOpen.h"

#include <QApplication>
#include <QFileDialog>
#include <QProgressDialog>
#include <QUrl>

namespace zebak::gui {

QString filmFilter() {
    return QStringLiteral(
        "Filme (*.avi *.mov *.mpg);;"
        "Alle Filme (*.mp4 *.m4v *.mov *.3gp *.mkv *.webm *.mts *.m2ts *.avi *.mpg *.mpeg "
        "*.wmv);;"
        "Alle Dateien (*)");
}

QString QtDialogs::openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

QString QtDialogs::exportFileName(QWidget* parent, const SaveFileOptions& options) {
    QFileDialog dialog(parent, QStringLiteral("Speichern unter"));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(options.filters);
    if (options.chosenFilter >= 0 && options.chosenFilter < options.filters.size())
        dialog.selectNameFilter(options.filters.at(options.chosenFilter));
    dialog.setDefaultSuffix(options.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

bool QtDialogs::openDocument(const QUrl& url) { return openOnDesktop(url); }

QString QtDialogs::openFilmName(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filmFilter());
    dialog.setDefaultSuffix(QStringLiteral("avi"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

namespace {

QString captionOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information:
            return QStringLiteral("Information");
        case MessageKind::Confirmation:
            return QStringLiteral("Bestätigung");
        case MessageKind::Warning:
            return QStringLiteral("Warnung");
        case MessageKind::Error:
            return QStringLiteral("Fehler");
        case MessageKind::Plain:
            break;
    }
    return QApplication::applicationName();
}

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information:
            return QMessageBox::Information;
        case MessageKind::Confirmation:
            return QMessageBox::Question;
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Error:
            return QMessageBox::Critical;
        case MessageKind::Plain:
            break;
    }
    return QMessageBox::NoIcon;
}

/// Progress of opening a film in a cancellable dialog that appears only when the step is slow.
class DialogProgress final : public ProgressTask {
  public:
    DialogProgress(QWidget* parent, const QString& label)
        : label_(label), dialog_(label, QStringLiteral("Abbrechen"), 0, 1000, parent) {
        dialog_.setObjectName(QStringLiteral("FilmProgress"));
        dialog_.setWindowTitle(QApplication::applicationName());
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(300);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
        dialog_.setValue(0);
    }
    bool update(double fraction, const QString& detail) override {
        const QString text = detail.isEmpty() ? label_ : label_ + QLatin1Char('\n') + detail;
        if (text != dialog_.labelText()) dialog_.setLabelText(text);
        dialog_.setValue(static_cast<int>(fraction * 1000.0));
        QCoreApplication::processEvents();
        return !dialog_.wasCanceled();
    }

  private:
    QString label_;
    QProgressDialog dialog_;
};

}  // namespace

QString breakableText(const QString& text) {
    // A zero-width space is a place where a line may break; it shows nothing.
    constexpr int kLongestRun = 48;
    const QChar breakHere(0x200B);
    QString out;
    out.reserve(text.size() + text.size() / kLongestRun + 8);
    int run = 0;
    for (const QChar c : text) {
        out += c;
        run = c.isSpace() ? 0 : run + 1;
        if (run > 0 && (run >= kLongestRun || (c == QLatin1Char('/') && run > 8))) {
            out += breakHere;
            run = 0;
        }
    }
    return out;
}

QMessageBox::StandardButton QtDialogs::message(QWidget* parent, MessageKind kind,
                                               const QString& text,
                                               QMessageBox::StandardButtons buttons) {
    QMessageBox box(iconOf(kind), captionOf(kind), breakableText(text), buttons, parent);
    const int answer = box.exec();
    return static_cast<QMessageBox::StandardButton>(answer);
}

std::unique_ptr<ProgressTask> QtDialogs::beginProgress(QWidget* parent, const QString& label) {
    return std::make_unique<DialogProgress>(parent, label);
}

}  // namespace zebak::gui
