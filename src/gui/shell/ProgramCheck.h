#pragma once

#include <QString>

namespace zebak::gui {

class MainWindow;

/// `zebak --check [FILM]`: once the event loop runs, loads FILM (by default the demo film,
/// found as the help page is) into the main window the ordinary way, looks for the help
/// page, prints both on standard output and ends the program: 0 when the film opened and the
/// help page is there, 1 otherwise. It lets an installation be checked without a user.
void startProgramCheck(MainWindow& window, const QString& film);

/// The film `--check` loads when none is named: the demo film.
QString demoFilmPath();

}  // namespace zebak::gui
