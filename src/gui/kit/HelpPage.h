#pragma once

#include <QUrl>

class QWidget;

namespace zebak::gui {

class Dialogs;

/// The help page: in the working directory, else beside the program (see dataFilePath).
QUrl helpPageUrl();

/// "Zebak &Hilfe": hands the help page to the desktop; a page that is missing or that no
/// program opens is named, with its path, in a warning box over `parent`.
void openHelpPage(Dialogs& dialogs, QWidget* parent);

}  // namespace zebak::gui
