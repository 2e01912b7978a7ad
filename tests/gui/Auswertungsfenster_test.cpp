// The evaluation window as a teacher reads it: every header and cell in full, the grids in
// the height below the chart with a splitter between, axes that hug the data, every diagram
// choice showing all its points, and a saved SVG clipped to the plot.
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QHeaderView>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QWheelEvent>

#include "GuiTest.h"
#include "core/NumberText.h"
#include "gui/evaluation/DiagramChart.h"
#include "gui/evaluation/DiagramPanel.h"
#include "gui/evaluation/DiagrammView.h"
#include "gui/evaluation/EvaluationWindow.h"

namespace zebak::gui::test {

namespace {

class AuswertungsfensterTest : public GuiTest {
  protected:
    EvaluationWindow& evaluationWindow() { return *windows->secondary().evaluationWindow; }
    DiagramChart& chart() { return evaluationWindow().diagrams().chart(); }
    /// Colour 1 with long numbers: x from 15.25 to 530, y a parabola, 20 frames at 25/s.
    void openWindow() {
        Measurement& s = mainWindow().state();
        s.display.analyseColour1 = true;
        PositionGrid& g = s.grid(1);
        g.setRowCount(21);
        for (int k = 0; k < 20; ++k) {
            g.setCell(k + 1, 0, timeText(k / 25.0));
            g.setCell(k + 1, 1, lengthText(15.25 + 27.1234567 * k));
            g.setCell(k + 1, 2, lengthText(-159.612345 + 3.3 * k * (19 - k)));
        }
        mainWindow().commands().evaluationButton()->click();
        ASSERT_TRUE(evaluationWindow().isVisible());
    }
    void zoomIn() {
        QWheelEvent wheel(QPointF(300, 200), QPointF(300, 200), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(chart().chartView()->viewport(), &wheel);
        ASSERT_TRUE(chart().chartView()->chart()->isZoomed());
    }
    /// Every point of the four point series lies within both axes.
    bool allPointsShown() {
        int shown = 0;
        for (int n = 1; n <= 4; ++n)
            for (const QPointF& p : chart().pointSeries(n)->points()) {
                if (p.x() < chart().axisX()->min() || p.x() > chart().axisX()->max() ||
                    p.y() < chart().axisY()->min() || p.y() > chart().axisY()->max())
                    return false;
                ++shown;
            }
        return shown > 0;
    }
};

}  // namespace

TEST_F(AuswertungsfensterTest, EveryHeaderAndCellIsReadableInTheHeightBelowTheChart) {
    ASSERT_NO_FATAL_FAILURE(openWindow());
    for (const char* name : {"Tabelle1", "tabelle1v", "tabelle1a"}) {
        SCOPED_TRACE(name);
        auto* grid = evaluationWindow().findChild<QTableView*>(name);
        ASSERT_NE(grid, nullptr);
        const QAbstractItemModel* m = grid->model();
        const QFontMetrics cells(grid->font());
        for (int c = 0; c < m->columnCount(); ++c) {
            EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c))
                << m->headerData(c, Qt::Horizontal).toString().toStdString();
            for (int r = 0; r < m->rowCount(); ++r) {
                const QString text = m->index(r, c).data().toString();
                EXPECT_GT(grid->columnWidth(c), cells.horizontalAdvance(text) + 6)
                    << text.toStdString();
            }
        }
    }
    // The three grids stand side by side without overlapping.
    auto* pos = evaluationWindow().findChild<QTableView*>("Tabelle1");
    auto* vel = evaluationWindow().findChild<QTableView*>("tabelle1v");
    auto* acc = evaluationWindow().findChild<QTableView*>("tabelle1a");
    EXPECT_LE(pos->geometry().right(), vel->x());
    EXPECT_LE(vel->geometry().right(), acc->x());
    EXPECT_EQ(evaluationWindow()
                  .findChild<QTableView*>("tabelle1v")
                  ->model()
                  ->headerData(0, Qt::Horizontal),
              QStringLiteral("Zeitintervall /s"));

    // A splitter parts the chart from the tables, which reach down to the window's bottom.
    auto* splitter = evaluationWindow().findChild<QSplitter*>("Teiler");
    ASSERT_NE(splitter, nullptr);
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->widget(0), chart().chartView());
    auto* holder = evaluationWindow().findChild<QScrollArea*>("ScrollBox1");
    EXPECT_TRUE(splitter->widget(1)->isAncestorOf(holder));
    const QWidget* area = evaluationWindow().centralWidget();
    EXPECT_GE(holder->mapTo(area, QPoint(0, holder->height())).y(), area->height() - 10);
    const int before = holder->height();
    const QList<int> sizes = splitter->sizes();
    splitter->setSizes({sizes[0] - 100, sizes[1] + 100});
    EXPECT_EQ(holder->height(), before + 100) << "dragging the splitter up gives the tables room";
}

TEST_F(AuswertungsfensterTest, AxesHugTheDataAndEveryChoiceShowsAllItsPoints) {
    ASSERT_NO_FATAL_FAILURE(openWindow());
    // x from 15.25 to 530.6: not -500 to 1000.
    EXPECT_GT(chart().axisX()->min(), -10.0);
    EXPECT_LT(chart().axisX()->min(), 15.25);
    EXPECT_GT(chart().axisX()->max(), 530.6);
    EXPECT_LT(chart().axisX()->max(), 550.0);
    EXPECT_EQ(chart().axisX()->tickType(), QValueAxis::TicksDynamic);
    EXPECT_DOUBLE_EQ(chart().axisX()->tickInterval(), 100.0);
    EXPECT_TRUE(allPointsShown());

    // After a zoom, the phase space, each of its buttons and each diagram button show all.
    ASSERT_NO_FATAL_FAILURE(zoomIn());
    evaluationWindow().findChild<QAction*>("Phasenraum1")->trigger();
    EXPECT_FALSE(chart().chartView()->chart()->isZoomed());
    EXPECT_TRUE(allPointsShown());
    for (const char* button : {"yvy", "va", "xvx", "vt"}) {
        SCOPED_TRACE(button);
        if (QString(button) == "vt")
            evaluationWindow().findChild<QAction*>("Normalraum1")->trigger();
        ASSERT_NO_FATAL_FAILURE(zoomIn());
        evaluationWindow().findChild<QRadioButton*>(button)->click();
        EXPECT_FALSE(chart().chartView()->chart()->isZoomed());
        EXPECT_TRUE(allPointsShown());
    }
}

// A zoomed diagram saved as SVG draws no marker and no line outside the plot, as the PNG.
TEST_F(AuswertungsfensterTest, ASavedSvgIsClippedToThePlot) {
    ASSERT_NO_FATAL_FAILURE(openWindow());
    evaluationWindow().findChild<QRadioButton*>("xt")->click();  // points and a line through them
    ASSERT_NO_FATAL_FAILURE(zoomIn());
    ASSERT_NO_FATAL_FAILURE(zoomIn());
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("zoom.svg"));
    chart().saveDiagram(svg);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const QRectF plot = chart().chartView()->chart()->plotArea().adjusted(-5, -5, 5, 5);
    int inside = 0;
    // Markers are images at their top-left corner; lines are polylines of x,y pairs.
    const QRegularExpression image(
        QString::fromLatin1(R"re(<image[^>]* x="([-\d.]+)" y="([-\d.]+)")re"));
    for (auto it = image.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QPointF at(m.captured(1).toDouble() + 3.5, m.captured(2).toDouble() + 3.5);
        EXPECT_TRUE(plot.contains(at)) << at.x() << "," << at.y();
        ++inside;
    }
    const QRegularExpression line(QString::fromLatin1(R"re(<polyline[^>]* points="([^"]*)")re"));
    for (auto it = line.globalMatch(text); it.hasNext();) {
        for (const QString& pair : it.next().captured(1).split(' ', Qt::SkipEmptyParts)) {
            const QStringList xy = pair.split(',');
            ASSERT_EQ(xy.size(), 2);
            const QPointF p(xy[0].toDouble(), xy[1].toDouble());
            EXPECT_TRUE(plot.contains(p)) << p.x() << "," << p.y();
        }
    }
    EXPECT_GT(inside, 0) << text.left(3000).toStdString();
}

}  // namespace zebak::gui::test
