#include "gui/shell/ProjectCommands.h"

#include <QFileInfo>
#include <algorithm>
#include <filesystem>

#include "core/FileWrite.h"
#include "core/ProjectFile.h"
#include "gui/display/FilmTimeFields.h"
#include "gui/display/PlayerPanel.h"
#include "gui/display/SequenceControls.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/shell/MainWindow.h"
#include "gui/tracking/PositionTables.h"
#include "gui/tracking/SettingsPages.h"
#include "media/FilmCache.h"

namespace zebak::gui {

namespace {

const QString kProjectFilter = QStringLiteral("Zebak-Analysen (*.zebak)");

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

bool isProjectFile(const QString& path) {
    return path.endsWith(QLatin1String(kProjectSuffix), Qt::CaseInsensitive);
}

ProjectCommands::ProjectCommands(MainWindow& window, EvaluationWindow* evaluation)
    : QObject(&window), window_(window), evaluation_(evaluation) {}

std::string ProjectCommands::currentText() const {
    return projectText(window_.session().state(), ProjectFilm{});
}

bool ProjectCommands::saveClicked() {
    Dialogs& dialogs = window_.session().dialogs();
    if (window_.film() == nullptr) {
        dialogs.message(&window_, MessageKind::Information,
                        QStringLiteral("Es ist noch kein Film geladen."), QMessageBox::Ok);
        return false;
    }
    QString path =
        dialogs.saveFileName(&window_, QStringLiteral("Analyse speichern"), kProjectFilter);
    if (path.isEmpty()) return false;
    if (!isProjectFile(path)) path += QLatin1String(kProjectSuffix);
    evaluation_->keepChoices();
    const Measurement& state = window_.session().state();
    try {
        writeProject(path.toStdString(), state,
                     projectFilmFacts(state.film.path, window_.player().frameCount()));
    } catch (const FileWriteError& e) {
        dialogs.message(&window_, MessageKind::Error, fromStd(e.what()), QMessageBox::Ok);
        return false;
    }
    path_ = path;
    savedText_ = currentText();
    showProjectName();
    return true;
}

void ProjectCommands::openClicked() {
    const QString path = window_.session().dialogs().openFileName(
        &window_, QStringLiteral("Analyse öffnen"), kProjectFilter);
    if (!path.isEmpty()) open(path);
}

QString ProjectCommands::locateFilm(const Project& project, const QString& path) {
    const std::string found = findProjectFilm(project, path.toStdString());
    if (!found.empty()) return fromStd(found);
    Dialogs& dialogs = window_.session().dialogs();
    const QString name =
        fromStd(std::filesystem::path(project.measurement.film.path).filename().string());
    dialogs.message(
        &window_, MessageKind::Information,
        breakableText(QStringLiteral("Film „%1“ nicht gefunden. Bitte suchen Sie ihn.").arg(name)),
        QMessageBox::Ok);
    return dialogs.openFilmName(&window_);
}

bool ProjectCommands::open(const QString& path) {
    if (!mayClose()) return false;
    Dialogs& dialogs = window_.session().dialogs();
    Project project;
    try {
        project = readProject(path.toStdString());
    } catch (const ProjectError& e) {
        dialogs.message(&window_, MessageKind::Error, breakableText(fromStd(e.what())),
                        QMessageBox::Ok);
        return false;
    }
    const QString film = locateFilm(project, path);
    if (film.isEmpty()) return false;
    const std::string digest = filmContentDigest(film.toStdString()).value_or("");
    if (!project.film.digest.empty() && digest != project.film.digest)
        dialogs.message(&window_, MessageKind::Warning,
                        breakableText(QStringLiteral("Der Film „%1“ ist nicht der, mit dem die "
                                                     "Analyse gemacht wurde. Die gespeicherten "
                                                     "Tabellen bleiben erhalten.")
                                          .arg(QFileInfo(film).fileName())),
                        QMessageBox::Ok);
    if (evaluation_->isVisible()) evaluation_->close();
    if (!window_.loadFilm(film, false)) return false;
    restore(project);
    path_ = path;
    savedText_ = currentText();
    showProjectName();
    return true;
}

void ProjectCommands::restore(const Project& project) {
    window_.chooseAutomatic();
    Measurement& s = window_.session().state();
    const Measurement& saved = project.measurement;
    // The film as it loaded now (path, size, frame times); everything else as saved. The
    // range is cut to the film, should it have fewer frames now.
    s.film.timing.framesPerSecond = saved.film.timing.framesPerSecond;
    s.film.timing.timesFromFilm =
        saved.film.timing.timesFromFilm && !s.film.timing.frameTimesS.empty();
    const int frames = window_.player().frameCount();
    s.range.end = std::clamp(saved.range.end, 0, frames);
    s.range.start = std::clamp(saved.range.start, 0, s.range.end);
    s.area = saved.area;
    s.calibration = saved.calibration;
    s.manualLine = saved.manualLine;
    s.colours = saved.colours;
    s.slotSettings = saved.slotSettings;
    s.display = saved.display;
    s.traces = saved.traces;
    s.tracks = saved.tracks;
    s.evaluation = saved.evaluation;
    s.evaluationChoices = saved.evaluationChoices;

    const FrameRange range = s.range;
    window_.player().times().showTiming();
    window_.player().sequence().setEndBar(range.end);
    window_.player().sequence().setStartBar(range.start);
    window_.pages().showSaved();
    PositionTables& tables = window_.tables();
    tables.refresh(1, -1);
    tables.refresh(2, -1);
    if (s.grid(1).rowCount() > 2 || s.grid(2).rowCount() > 2 || !s.grid(1).cell(1, 0).empty())
        tables.showPrepared();
    evaluation_->openSaved();
}

void ProjectCommands::forget() {
    path_.clear();
    savedText_.clear();
}

void ProjectCommands::showProjectName() {
    window_.setWindowTitle(QStringLiteral("ZEBAK - ") + QFileInfo(path_).fileName());
}

bool ProjectCommands::mayClose() {
    if (path_.isEmpty() || window_.film() == nullptr) return true;
    evaluation_->keepChoices();
    if (currentText() == savedText_) return true;
    const auto answer = window_.session().dialogs().message(
        &window_, MessageKind::Confirmation, QStringLiteral("Änderungen an der Analyse speichern?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel || answer == QMessageBox::NoButton) return false;
    if (answer != QMessageBox::Yes) return true;
    const Measurement& state = window_.session().state();
    try {
        writeProject(path_.toStdString(), state,
                     projectFilmFacts(state.film.path, window_.player().frameCount()));
    } catch (const FileWriteError& e) {
        window_.session().dialogs().message(&window_, MessageKind::Error, fromStd(e.what()),
                                            QMessageBox::Ok);
        return false;
    }
    savedText_ = currentText();
    return true;
}

}  // namespace zebak::gui
