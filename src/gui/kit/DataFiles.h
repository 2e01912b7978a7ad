#pragma once

#include <QString>

namespace zebak::gui {

/// The file `relative` of the program's data (help pages, demo film, licence): in
/// `workingDir` when it is there, as when the program runs in its checkout; otherwise in
/// `programDir`/../share/zebak when it is there, as installed (and in the build tree, which
/// has the same layout); otherwise the path in `workingDir`, so a missing file is named
/// where it was looked for first.
QString dataFilePath(const QString& relative, const QString& workingDir, const QString& programDir);

/// The same for the running program: the current directory and the program's own folder.
QString dataFilePath(const QString& relative);

}  // namespace zebak::gui
