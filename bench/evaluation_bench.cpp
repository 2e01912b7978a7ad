// What the evaluation of a 10,000-frame analysis costs: filling its three grids, and opening
// the window "Auswertung" until its x-y diagram is drawn. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "core/Kinematics.h"
#include "core/NumberText.h"
#include "gui/evaluation/DiagramChart.h"
#include "gui/evaluation/DiagramPanel.h"
#include "gui/evaluation/DiagrammView.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/WindowSet.h"
#include "gui/tracking/AnalysisCommands.h"

namespace {

constexpr int kFrames = 10000;

/// A thrown ball at 25 frames/s: x grows evenly, y is a parabola, in metres.
void fillThrow(zebak::PositionGrid& g) {
    g.setRowCount(kFrames + 1);
    for (int k = 0; k < kFrames; ++k) {
        const double t = k / 25.0;
        g.setCell(k + 1, 0, zebak::timeText(t));
        g.setCell(k + 1, 1, zebak::lengthText(0.5 * t));
        g.setCell(k + 1, 2, zebak::lengthText(std::fmod(3.0 * t - 4.905 * t * t, 7.0)));
    }
}

/// Filling the position, velocity and acceleration grids of one colour.
void FillGrids(benchmark::State& state) {
    zebak::PositionGrid g({"Zeit /s", "X1 /m", "Y1 /m"});
    fillThrow(g);
    for (auto _ : state) benchmark::DoNotOptimize(zebak::fillKinematics(1, g, 25));
}
BENCHMARK(FillGrids)->Unit(benchmark::kMillisecond);

/// "Auswertung" with one colour of 10,000 rows, until the chart has painted itself once.
void OpenEvaluationAndDrawXY(benchmark::State& state) {
    zebak::gui::Session session(std::make_unique<zebak::gui::QtDialogs>(),
                                zebak::gui::decoderFilmOpener());
    zebak::gui::WindowSet windows(session);
    zebak::Measurement& s = session.state();
    s.display.analyseColour1 = true;
    s.film.timing.framesPerSecond = 25;
    fillThrow(s.grid(1));
    zebak::gui::EvaluationWindow& evaluationWindow = *windows.secondary().evaluationWindow;
    QChartView* chart = evaluationWindow.diagrams().chart().chartView();
    QImage target(chart->size(), QImage::Format_ARGB32);
    for (auto _ : state) {
        windows.mainWindow().commands().evaluationButton()->click();
        QApplication::processEvents();
        QPainter painter(&target);
        chart->render(&painter);
        painter.end();
        state.PauseTiming();
        evaluationWindow.close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenEvaluationAndDrawXY)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
