// The fitted curves of the evaluation window on the demo film's throw: the panel after y-t and
// "Parabel" with the same figures as the headless tool, a zoom choosing the points, the
// difference step filling the grids again, and fits that cannot be made.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QValueAxis>
#include <QWheelEvent>

#include "GuiTest.h"
#include "gui/evaluation/DiagramChart.h"
#include "gui/evaluation/DiagramPanel.h"
#include "gui/evaluation/DiagrammView.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/evaluation/FitPanel.h"
#include "support/Process.h"

namespace zebak::gui::test {

namespace {
const QString kDemo = QStringLiteral(ZEBAK_SOURCE_DIR "/resources/demo/demo.avi");

/// What the headless tool prints for the demo ball with the given extra options.
QJsonObject track(const std::string& options) {
    const auto r = zebak::test::runCommand(std::string(ZEBAK_ANALYSE) + " track " +
                                           zebak::test::shellQuote(kDemo.toStdString()) +
                                           " --colour1 225,32,26 " + options + " 2>/dev/null");
    EXPECT_EQ(r.status, 0) << options;
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}
}  // namespace

class AusgleichskurvenTest : public GuiTest {
  protected:
    EvaluationWindow& window() { return *windows->secondary().evaluationWindow; }
    FitPanel& fits() { return window().fits(); }
    DiagramChart& chart() { return window().diagrams().chart(); }
    /// The demo film loaded, its ball's table as the headless tool finds it, and the window.
    void openOnTheDemo(const QJsonArray& rows) {
        ASSERT_TRUE(mainWindow().loadFilm(kDemo));
        Measurement& s = mainWindow().state();
        s.display.analyseColour1 = true;
        PositionGrid& g = s.grid(1);
        g.setRowCount(static_cast<int>(rows.size()) + 1);
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < 3; ++c)
                g.setCell(r + 1, c, rows[r].toArray()[c].toString().toStdString());
        mainWindow().commands().evaluationButton()->click();
        ASSERT_TRUE(window().isVisible());
    }
    void choose(const char* diagram, const QString& model) {
        window().findChild<QRadioButton*>(diagram)->click();
        fits().modelField()->setCurrentText(model);
    }
    QString cell(const char* grid, int row, int column) {
        const auto* m = window().findChild<QTableView*>(grid)->model();
        return m->index(row - 1, column).data().toString();
    }
};

TEST_F(AusgleichskurvenTest, ParabolaOfTheThrowZoomAndDifferenceStep) {
    const QJsonObject tool = track("--fit y-t:parabel --fit vy-t:gerade --spread 3");
    const QJsonArray rows = tool["tables"].toObject()["1"].toArray();
    ASSERT_EQ(rows.size(), 50);
    ASSERT_NO_FATAL_FAILURE(openOnTheDemo(rows));
    EXPECT_TRUE(fits().resultPanel()->isHidden()) << "no model chosen yet";

    // y-t with its parabola: the tool's parameters (all rows, spread irrelevant) and g = -2a.
    choose("yt", QStringLiteral("Parabel"));
    const QJsonObject parabel = tool["fits"].toObject()["1"].toObject()["y-t"].toObject();
    const double a = parabel["params"].toArray()[0].toDouble();
    const double sa = parabel["errors"].toArray()[0].toDouble();
    ASSERT_TRUE(fits().resultPanel()->isVisible());
    const QString text = fits().resultText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Farbe 1, y - t:\nParabel: y = a·t² + b·t + c")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nn = 50\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(
        QStringLiteral("g = %1 ± %2 m/s²").arg(-2 * a, 0, 'f', 2).arg(2 * sa, 0, 'f', 2)))
        << text.toStdString();
    EXPECT_EQ(chart().fitSeries(1)->count(), 200);
    EXPECT_EQ(chart().fitSeries(2)->count(), 0);
    const QPointF mid = chart().fitSeries(1)->at(100);
    EXPECT_NEAR(mid.y(),
                (a * mid.x() + parabel["params"].toArray()[1].toDouble()) * mid.x() +
                    parabel["params"].toArray()[2].toDouble(),
                1e-6);
    fits().copyButton()->click();
    EXPECT_EQ(QApplication::clipboard()->text(), text);

    // A zoom fits the points it shows, and only those.
    QWheelEvent wheel(QPointF(300, 200), QPointF(300, 200), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(chart().chartView()->viewport(), &wheel);
    QCoreApplication::processEvents();
    int shown = 0;
    for (const QPointF& p : chart().pointSeries(1)->points())
        shown += p.x() >= chart().axisX()->min() && p.x() <= chart().axisX()->max() &&
                 p.y() >= chart().axisY()->min() && p.y() <= chart().axisY()->max();
    ASSERT_LT(shown, 50);
    EXPECT_TRUE(fits().resultText().contains(QStringLiteral("\nn = %1\n").arg(shown)))
        << fits().resultText().toStdString();

    // The difference step fills the grids again: velocities from rows 3 apart, and vy-t's
    // line gives the tool's g over the same differences.
    EXPECT_EQ(cell("tabelle1v", 2, 0), QStringLiteral("0-0.04"));
    fits().spreadField()->setValue(3);
    EXPECT_EQ(mainWindow().state().evaluationChoices.spread, 3);
    EXPECT_EQ(cell("tabelle1v", 2, 0), QString());
    EXPECT_EQ(cell("tabelle1v", 4, 0), QStringLiteral("0-0.12"));
    choose("vyt", QStringLiteral("Gerade"));
    const QJsonObject gerade = tool["fits"].toObject()["1"].toObject()["vy-t"].toObject();
    EXPECT_TRUE(fits().resultText().contains(
        QStringLiteral("\ng = %1").arg(-gerade["params"].toArray()[0].toDouble(), 0, 'f', 1)))
        << fits().resultText().toStdString();
    EXPECT_TRUE(
        fits().resultText().contains(QStringLiteral("\nn = %1\n").arg(gerade["n"].toInt())));

    // A throw has no full swing; x-y takes no fit, and the curves go with the panel.
    choose("yt", QStringLiteral("Sinus"));
    EXPECT_TRUE(fits().resultText().contains(QStringLiteral("Kein Sinus möglich")));
    EXPECT_EQ(chart().fitSeries(1)->count(), 0);
    fits().modelField()->setCurrentText(QStringLiteral("Parabel"));
    window().findChild<QRadioButton*>("XY")->click();
    EXPECT_TRUE(fits().resultPanel()->isHidden());
    EXPECT_EQ(chart().fitSeries(1)->count(), 0);
    fits().spreadField()->setValue(1);
    EXPECT_EQ(cell("tabelle1v", 2, 0), QStringLiteral("0-0.04"));
}

}  // namespace zebak::gui::test
