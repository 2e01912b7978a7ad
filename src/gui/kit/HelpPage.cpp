#include "gui/kit/HelpPage.h"

#include <QFileInfo>

#include "gui/kit/DataFiles.h"
#include "gui/kit/Dialogs.h"

namespace zebak::gui {

QUrl helpPageUrl() { return QUrl::fromLocalFile(dataFilePath(QStringLiteral("hilfe/index.html"))); }

void openHelpPage(Dialogs& dialogs, QWidget* parent) {
    // Without a word a missing page or a desktop without a browser would look like a dead key.
    const QUrl url = helpPageUrl();
    const QString path = url.toLocalFile();
    QString problem;
    if (!QFileInfo(path).isFile())
        problem = QStringLiteral("Die Hilfe wurde nicht gefunden:\n%1").arg(path);
    else if (!dialogs.openDocument(url))
        problem = QStringLiteral(
                      "Die Hilfe konnte nicht geöffnet werden. Sie steht in der Datei\n%1\n"
                      "und lässt sich mit jedem Web-Browser lesen.")
                      .arg(path);
    if (!problem.isEmpty()) dialogs.message(parent, MessageKind::Warning, problem, QMessageBox::Ok);
}

}  // namespace zebak::gui
