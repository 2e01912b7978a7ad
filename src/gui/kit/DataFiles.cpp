#include "gui/kit/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zebak::gui {

QString dataFilePath(const QString& relative, const QString& workingDir,
                     const QString& programDir) {
    const QString here = QDir(workingDir).absoluteFilePath(relative);
    if (QFileInfo::exists(here)) return here;
    const QString installed =
        QDir::cleanPath(QDir(programDir).absoluteFilePath(QStringLiteral("../share/zebak/")) +
                        QLatin1Char('/') + relative);
    if (QFileInfo::exists(installed)) return installed;
    return here;
}

QString dataFilePath(const QString& relative) {
    return dataFilePath(relative, QDir::currentPath(), QCoreApplication::applicationDirPath());
}

}  // namespace zebak::gui
