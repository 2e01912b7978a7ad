#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <memory>

class QUrl;
class QWidget;

namespace zebak::gui {

/// Kind of a typed message box; each kind has its own caption and icon.
enum class MessageKind { Plain, Information, Confirmation, Warning, Error };

/// A running progress display for a long step; update() returns false once the user cancels.
class ProgressTask {
  public:
    virtual ~ProgressTask() = default;
    /// Shows the fraction done (0.0 to 1.0) and a line on what is being done (may be empty);
    /// false when the user asked to cancel.
    virtual bool update(double fraction, const QString& detail) = 0;
};

/// What a save dialog for an export offers: its filters (each "Name(*.ext)"), the one chosen
/// at start, and the type added to a name typed without one. It asks before overwriting.
struct SaveFileOptions {
    QStringList filters;
    int chosenFilter = 0;
    QString defaultSuffix;
};

/// Every modal question the program asks the user: the file dialog, message boxes and
/// progress displays. The program uses QtDialogs; tests put in scripted answers.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    /// Asks for a film to open; returns the chosen path, or an empty text on cancel.
    virtual QString openFilmName(QWidget* parent) = 0;
    /// Asks for an existing file of the filter's types to open; an empty text on cancel.
    virtual QString openFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
    /// Asks for the name of a file to write; returns the path, or an empty text on cancel.
    virtual QString saveFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
    /// Asks for the name of an export file with the given filters; an empty text on cancel.
    virtual QString exportFileName(QWidget* parent, const SaveFileOptions& options) = 0;
    /// Hands a document to the desktop's application for its type; false when none took it.
    virtual bool openDocument(const QUrl& url) = 0;
    /// Shows a message box and returns the button that closed it (NoButton when closed
    /// otherwise). Callers test for one specific answer.
    virtual QMessageBox::StandardButton message(QWidget* parent, MessageKind kind,
                                                const QString& text,
                                                QMessageBox::StandardButtons buttons) = 0;
    /// Starts a progress display for a step that may take a while.
    virtual std::unique_ptr<ProgressTask> beginProgress(QWidget* parent, const QString& label) = 0;
    /// Called at every pause of a running analysis, stroboscope or range playback, just
    /// before its events are handled: the point where a click or key of the user takes
    /// effect. The program does nothing here; tests act at a known step of the run.
    virtual void loopPaused() {}
};

/// The filters of the film open dialog: the three classic film types first, then every film
/// type phones and cameras make, then all files.
QString filmFilter();

/// The text with places to break added inside long runs without spaces (a path, a long file
/// name), so a message box that shows it wraps to the screen instead of growing past it.
QString breakableText(const QString& text);

/// The real dialogs on the screen.
class QtDialogs final : public Dialogs {
  public:
    QString openFilmName(QWidget* parent) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    QString exportFileName(QWidget* parent, const SaveFileOptions& options) override;
    bool openDocument(const QUrl& url) override;
    QMessageBox::StandardButton message(QWidget* parent, MessageKind kind, const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    std::unique_ptr<ProgressTask> beginProgress(QWidget* parent, const QString& label) override;
};

}  // namespace zebak::gui
