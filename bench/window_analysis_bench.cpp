// What the windows add to a film analysis: the real main window, offscreen, loads a film and
// runs "Filmanalyse" on it, and the headless tool `zebak-analyse track` analyses the same film
// with the same settings as a whole process. The runs alternate, so a busy moment of the
// machine falls on both; the medians are printed with their ratio.
//
// Usage: window_analysis_bench FILM R,G,B [TOLERANCE] [RUNS] [predict|simple]
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/WindowSet.h"

namespace {

struct Options {
    QString film;
    zebak::Rgb colour;
    int tolerance = 25;
    int runs = 5;
    bool simple = false;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

/// Seconds of one whole `zebak-analyse track` process; negative when it failed.
double toolRun(const Options& o) {
    const QString colour =
        QStringLiteral("%1,%2,%3").arg(o.colour.r).arg(o.colour.g).arg(o.colour.b);
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    tool.start(
        QStringLiteral(ZEBAK_ANALYSE),
        {QStringLiteral("track"), o.film, QStringLiteral("--colour1"), colour,
         QStringLiteral("--tolerance1"), QString::number(o.tolerance), QStringLiteral("--mode1"),
         o.simple ? QStringLiteral("simple") : QStringLiteral("predict")});
    if (!tool.waitForFinished(-1) || tool.exitCode() != 0) return -1.0;
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

struct WindowTimes {
    double load = -1.0;
    double analysis = -1.0;
    int rows = 0;
};

/// The main window, made afresh, loads the film and analyses it; the two steps are timed.
WindowTimes windowRun(const Options& o) {
    zebak::gui::Session session(std::make_unique<zebak::gui::QtDialogs>(),
                                zebak::gui::decoderFilmOpener());
    zebak::gui::WindowSet windows(session);
    zebak::gui::MainWindow& main = windows.mainWindow();
    main.showMaximized();
    QApplication::processEvents();
    WindowTimes t;
    QElapsedTimer clock;
    clock.start();
    if (!main.loadFilm(o.film, false)) return t;
    t.load = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    auto* automatic = main.findChild<QPushButton*>(QStringLiteral("AutomatischBtn"));
    auto* start = main.findChild<QPushButton*>(QStringLiteral("FilmAnalyseBtn"));
    auto* panel = main.findChild<QWidget*>(QStringLiteral("Panel3"));
    if (automatic == nullptr || start == nullptr || panel == nullptr) return t;
    automatic->click();
    zebak::Measurement& s = main.state();
    s.colour(1).picked = o.colour;
    s.colour(1).assigned = true;
    s.settings(1).tolerance = o.tolerance;
    s.settings(1).mode = o.simple ? zebak::SearchMode::Simple : zebak::SearchMode::Predicted;
    if (auto* box = panel->findChild<QCheckBox*>(QStringLiteral("CheckBox1")))
        box->setChecked(true);
    QApplication::processEvents();
    clock.restart();
    start->click();  // returns when the analysis is over
    t.analysis = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    t.rows = s.grid(1).rowCount() - 1;
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zebak::gui::setUpProgram();
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QApplication::arguments();
    int r = 0, g = 0, b = 0;
    if (args.size() < 3 ||
        std::sscanf(args.at(2).toLatin1().constData(), "%d,%d,%d", &r, &g, &b) != 3) {
        std::fprintf(
            stderr,
            "Aufruf: window_analysis_bench FILM R,G,B [TOLERANZ] [LAEUFE] [predict|simple]\n");
        return 2;
    }
    Options o;
    o.film = args.at(1);
    o.colour = zebak::Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                          static_cast<std::uint8_t>(b)};
    if (args.size() > 3) o.tolerance = args.at(3).toInt();
    if (args.size() > 4) o.runs = std::max(1, args.at(4).toInt());
    o.simple = args.size() > 5 && args.at(5) == QStringLiteral("simple");

    toolRun(o);  // the film's cache is made once, before any run counts
    std::vector<double> tool, load, analysis, whole;
    int rows = 0;
    for (int i = 0; i < o.runs; ++i) {
        const double t = toolRun(o);
        const WindowTimes w = windowRun(o);
        if (t < 0 || w.analysis < 0) {
            std::fprintf(stderr, "Lauf %d ist fehlgeschlagen.\n", i + 1);
            return 1;
        }
        tool.push_back(t);
        load.push_back(w.load);
        analysis.push_back(w.analysis);
        whole.push_back(w.load + w.analysis);
        rows = w.rows;
    }
    const double toolMedian = median(tool);
    std::printf("| %s, %s, %d rows, medians of %d runs | seconds | ratio to the tool |\n",
                qPrintable(o.film.section(QLatin1Char('/'), -1)), o.simple ? "simple" : "predict",
                rows, o.runs);
    std::printf("| --- | --- | --- |\n");
    std::printf("| zebak-analyse track (whole process) | %.3f | 1.00 |\n", toolMedian);
    std::printf("| window: load the film | %.3f | |\n", median(load));
    std::printf("| window: Filmanalyse | %.3f | %.2f |\n", median(analysis),
                toolMedian > 0 ? median(analysis) / toolMedian : 0.0);
    std::printf("| window: load and Filmanalyse | %.3f | %.2f |\n", median(whole),
                toolMedian > 0 ? median(whole) / toolMedian : 0.0);
    return 0;
}
