// Program entry: sets up the application, creates the windows, loads a film named on the
// command line and runs until the main window is closed. "zebak --check [FILM]" checks an
// installation instead and ends by itself.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/ProgramCheck.h"
#include "gui/shell/WindowSet.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program speaks German, so Qt's own buttons do too ("Ja", "Nein", "Abbrechen").
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);
    zebak::gui::setUpProgram();
    // The secondary windows stay open in the background; the program ends with the main window.
    QApplication::setQuitOnLastWindowClosed(false);

    // The session comes before the first window and goes after the last.
    zebak::gui::Session session(std::make_unique<zebak::gui::QtDialogs>(),
                                zebak::gui::decoderFilmOpener());
    zebak::gui::WindowSet windows(session);
    zebak::gui::MainWindow& mainWindow = windows.mainWindow();
    QObject::connect(&mainWindow, &zebak::gui::MainWindow::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    // Without a window manager "maximised" has no effect, so the window takes the screen itself.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();

    const QStringList argumente = QApplication::arguments();
    if (argumente.size() > 1 && argumente.at(1) == QStringLiteral("--check")) {
        zebak::gui::startProgramCheck(
            mainWindow, argumente.size() > 2 ? argumente.at(2) : zebak::gui::demoFilmPath());
        return QApplication::exec();
    }
    // Opened once the event loop runs, so the window is on the screen while the film opens;
    // a project file opens with its film.
    if (argumente.size() > 1)
        QTimer::singleShot(0, &mainWindow,
                           [&mainWindow, file = argumente.at(1)] { mainWindow.openFile(file); });
    return QApplication::exec();
}
