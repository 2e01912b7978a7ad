#include "gui/shell/ProgramCheck.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "gui/kit/DataFiles.h"
#include "gui/kit/HelpPage.h"
#include "gui/shell/MainWindow.h"

namespace zebak::gui {

namespace {
/// A message box waits for a click that never comes; after this long the check fails.
constexpr int kPatienceMs = 120000;
}  // namespace

QString demoFilmPath() { return dataFilePath(QStringLiteral("demo/demo.avi")); }

void startProgramCheck(MainWindow& window, const QString& film) {
    auto* patience = new QTimer(&window);
    patience->setSingleShot(true);
    QObject::connect(patience, &QTimer::timeout, [] {
        std::fputs("zebak: Die Prüfung wartet auf eine Antwort in einem Dialog; abgebrochen.\n",
                   stderr);
        std::_Exit(1);
    });
    patience->start(kPatienceMs);
    QTimer::singleShot(0, &window, [&window, film] {
        QTextStream out(stdout);
        // A missing film is not handed to the loader, whose error box would wait.
        const bool opened = QFileInfo::exists(film) && window.loadFilm(film);
        const QString help = helpPageUrl().toLocalFile();
        const bool helpFound = QFileInfo::exists(help);
        out << (opened ? "Film geöffnet: " : "Film nicht geöffnet: ") << film << '\n'
            << (helpFound ? "Hilfe gefunden: " : "Hilfe nicht gefunden: ") << help << '\n';
        out.flush();
        QCoreApplication::exit(opened && helpFound ? 0 : 1);
    });
}

}  // namespace zebak::gui
