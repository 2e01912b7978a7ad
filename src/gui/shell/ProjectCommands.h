#pragma once

#include <QObject>
#include <QString>
#include <string>

namespace zebak {
struct Project;
}

namespace zebak::gui {

class EvaluationWindow;
class MainWindow;

/// "Analyse speichern …" and "Analyse öffnen …" of the main window's menu: an analysis saved
/// as a project file and opened again with its film, settings, calibration, tables and
/// evaluation; and the question on closing a project with changes not saved.
class ProjectCommands : public QObject {
    Q_OBJECT
  public:
    ProjectCommands(MainWindow& window, EvaluationWindow* evaluation);

    /// "Analyse speichern …": asks for a name and writes the project; false on a cancel or
    /// a failed write (reported).
    bool saveClicked();
    /// "Analyse öffnen …": asks for a project file and opens it.
    void openClicked();
    /// Opens the project file at path; false when it was not opened (the message has been
    /// shown, or the user cancelled), the open analysis then unchanged.
    bool open(const QString& path);
    /// Closing the program: true when it may close. Asks "Änderungen an der Analyse
    /// speichern?" for a project whose values changed since it was saved or opened.
    bool mayClose();
    /// The analysis no longer belongs to a project file (another film was loaded).
    void forget();
    /// The project file the analysis was last saved to or opened from; empty when none.
    const QString& projectPath() const { return path_; }

  private:
    /// The film of the project, looked for beside it, at its full path, or asked for.
    QString locateFilm(const Project& project, const QString& path);
    void restore(const Project& project);
    void showProjectName();
    /// The project's text of the current values (without the film file's facts).
    std::string currentText() const;

    MainWindow& window_;
    EvaluationWindow* evaluation_;
    QString path_;
    /// currentText() when the project was last saved or opened.
    std::string savedText_;
};

/// True when the path names a project file (by its type).
bool isProjectFile(const QString& path);

}  // namespace zebak::gui
