// The evaluation window: its components, opening with one and two colours, the menu's
// rules, the diagrams and the trend line, edits and redraws, the point hint, closing, saving
// the diagram, and grids equal to what the headless tool prints for the same film.
#include <QAction>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>

#include "GuiTest.h"
#include "core/NumberText.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/ResultWindow.h"
#include "gui/evaluation/DiagramChart.h"
#include "gui/evaluation/DiagramPanel.h"
#include "gui/evaluation/DiagrammView.h"
#include "gui/evaluation/EvaluationGrid.h"
#include "gui/evaluation/EvaluationTables.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/evaluation/TrendLinePanel.h"
#include "gui/kit/Sound.h"
#include "support/Process.h"

namespace zebak::gui::test {

namespace {
/// Rows (t, x, y) of a table: x = 2 k, y = k^2 for frame k at 25 frames/s.
void fillTable(PositionGrid& g, int frames, double yScale) {
    g.setRowCount(frames + 1);
    for (int k = 0; k < frames; ++k) {
        g.setCell(k + 1, 0, timeText(k / 25.0));
        g.setCell(k + 1, 1, lengthText(2.0 * k));
        g.setCell(k + 1, 2, lengthText(yScale * k * k));
    }
}

std::vector<QPointF> pointsOf(const QXYSeries* s) {
    const QList<QPointF> p = s->points();
    return {p.begin(), p.end()};
}
}  // namespace

class AuswertungTest : public GuiTest {
  protected:
    EvaluationWindow& evaluationWindow() { return *windows->secondary().evaluationWindow; }
    DiagramChart& diagramChart() { return evaluationWindow().diagrams().chart(); }
    template <typename T>
    T* teil(const char* name) {
        T* w = evaluationWindow().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAction* menu(const char* name) { return teil<QAction>(name); }
    /// Analysed colours with hand-made tables, then "Auswertung".
    void openWindow(bool colour1, bool colour2, int frames = 6) {
        Measurement& s = mainWindow().state();
        s.display.analyseColour1 = colour1;
        s.display.analyseColour2 = colour2;
        fillTable(s.grid(1), frames, 1.0);
        fillTable(s.grid(2), frames, -1.0);
        mainWindow().commands().evaluationButton()->click();
    }
    QString zelle(const char* grid, int row, int column) {
        const auto* m = teil<QTableView>(grid)->model();
        return m->index(row - 1, column).data().toString();
    }
    void waehlen(const char* button) { teil<QRadioButton>(button)->click(); }
};

TEST_F(AuswertungTest, ComponentsExistWithTheirNamesAndKinds) {
    EXPECT_TRUE(evaluationWindow().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    openWindow(true, true);
    EXPECT_EQ(evaluationWindow().windowTitle(), "Auswertung");
    teil<QChartView>("Diagramm");
    for (const char* g : {"GroupBox1", "GroupBox2"}) teil<QGroupBox>(g);
    EXPECT_EQ(teil<QGroupBox>("GroupBox1")->title(), "Diagramme");
    EXPECT_EQ(teil<QGroupBox>("GroupBox2")->title(), "Phasenraum");
    for (const char* b : {"XY", "xt", "yt", "vt", "vxt", "vyt", "at", "axt", "ayt", "xvx", "yvy",
                          "rv", "va", "vxax", "vyay"})
        teil<QRadioButton>(b);
    EXPECT_FALSE(teil<QRadioButton>("rv")->isEnabled());
    EXPECT_EQ(teil<QRadioButton>("vxax")->text(), "vx - ax");
    for (const char* w : {"Panel1", "Panel2"}) teil<QFrame>(w);
    EXPECT_EQ(teil<QPushButton>("Trendlinie")->text(), "Trendlinie aus");
    EXPECT_EQ(teil<QLabel>("Label2")->text(), "Stärke der");
    EXPECT_EQ(teil<QLabel>("Label1")->text(), "Glättung:");
    EXPECT_EQ(teil<QSpinBox>("SpinEdit1")->value(), 5);
    EXPECT_EQ(teil<QPushButton>("SpeedButton2")->text(), "Exit");
    for (const char* s : {"ScrollBox1", "ScrollBox2"}) teil<QScrollArea>(s);
    for (const char* g :
         {"Tabelle1", "tabelle1v", "tabelle1a", "Tabelle2", "Tabelle2v", "Tabelle2a"})
        teil<QTableView>(g);
    for (const char* a :
         {"Speichern1", "Schliessen1", "Diagrammspeichern1", "Normalraum1", "Phasenraum1",
          "MenuFarbe1", "MenuFarbe2", "N5", "MenuTabelle1", "MenuTabelle2", "ZebakHilfe1", "Info1"})
        menu(a);
    EXPECT_EQ(menu("Speichern1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(menu("Schliessen1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(menu("ZebakHilfe1")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(menu("MenuFarbe1")->icon().isNull());
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(diagramChart().pointSeries(n)->objectName(), QStringLiteral("Series%1").arg(n));
    EXPECT_EQ(diagramChart().lineSeries(2)->objectName(), "Series6");
    EXPECT_FALSE(diagramChart().chartView()->chart()->legend()->isVisible());
    EXPECT_TRUE(diagramChart().axisX()->titleFont().bold());
    EXPECT_EQ(diagramChart().axisX()->titleFont().pixelSize(), 13);
}

TEST_F(AuswertungTest, OpeningWithOneOrTwoColoursSetsMenuTablesAndXYDiagram) {
    openWindow(true, false);
    EXPECT_TRUE(evaluationWindow().isVisible());
    EXPECT_TRUE(menu("MenuFarbe1")->isVisible() && menu("MenuFarbe1")->isChecked());
    EXPECT_FALSE(menu("MenuFarbe2")->isVisible());
    EXPECT_FALSE(menu("MenuTabelle1")->isVisible());
    EXPECT_FALSE(menu("N5")->isVisible());
    EXPECT_TRUE(teil<QScrollArea>("ScrollBox1")->isVisible());
    EXPECT_FALSE(teil<QScrollArea>("ScrollBox2")->isVisible());
    EXPECT_TRUE(teil<QRadioButton>("XY")->isChecked());
    EXPECT_EQ(diagramChart().axisY()->titleText(), "y /m");
    EXPECT_EQ(diagramChart().pointSeries(3)->count(), 6);
    EXPECT_EQ(diagramChart().pointSeries(4)->count(), 0);
    EXPECT_EQ(zelle("Tabelle1", 2, 1), "0.04");
    EXPECT_EQ(zelle("tabelle1v", 2, 2), "50");
    EXPECT_EQ(zelle("tabelle1a", 2, 3), "1250");
    auto* v = teil<EvaluationGrid>("tabelle1v");
    EXPECT_EQ(v->rowHeight(0), v->verticalHeader()->defaultSectionSize() / 2);
    EXPECT_EQ(v->headerColour(), QColor(205, 51, 51));
    EXPECT_EQ(v->currentIndex().row(), 5) << "the last row is current";
    evaluationWindow().close();

    openWindow(true, true);
    for (const char* a : {"MenuFarbe1", "MenuFarbe2", "MenuTabelle1", "MenuTabelle2", "N5"})
        EXPECT_TRUE(menu(a)->isVisible()) << a;
    EXPECT_TRUE(menu("MenuTabelle1")->isChecked());
    EXPECT_FALSE(menu("MenuTabelle2")->isChecked());
    EXPECT_EQ(diagramChart().pointSeries(4)->count(), 6);
    EXPECT_EQ(teil<EvaluationGrid>("Tabelle2a")->headerColour(), QColor(51, 102, 255));
    evaluationWindow().close();

    openWindow(false, true);
    EXPECT_FALSE(menu("MenuFarbe1")->isVisible());
    EXPECT_TRUE(menu("MenuFarbe2")->isChecked());
    EXPECT_FALSE(teil<QScrollArea>("ScrollBox1")->isVisible());
    EXPECT_TRUE(teil<QScrollArea>("ScrollBox2")->isVisible());
    EXPECT_EQ(diagramChart().pointSeries(3)->count(), 0);
    EXPECT_EQ(diagramChart().pointSeries(4)->count(), 6);
    evaluationWindow().close();

    // Too few rows: the main window's message, and the window stays closed.
    openWindow(true, false, 2);
    EXPECT_FALSE(evaluationWindow().isVisible());
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, "Es sind noch nicht genug Messwerte erfasst worden.");
}

TEST_F(AuswertungTest, TableItemsShowTheHoldersAloneOrSideBySide) {
    openWindow(true, true);
    auto* box1 = teil<QScrollArea>("ScrollBox1");
    auto* box2 = teil<QScrollArea>("ScrollBox2");
    // One holder takes the width of the tables' area, two a half each with a gap between.
    const int full = box1->parentWidget()->width();
    const int half = (full - 12) / 2;
    menu("MenuTabelle2")->trigger();  // (on, off): side by side
    EXPECT_TRUE(menu("MenuTabelle2")->isChecked());
    EXPECT_TRUE(box2->isVisible());
    EXPECT_EQ(box1->width(), half);
    EXPECT_EQ(box2->x(), full - half);
    menu("MenuTabelle1")->trigger();  // (on, on): table 1 goes, table 2 full width
    EXPECT_FALSE(box1->isVisible());
    EXPECT_EQ(box2->width(), full);
    EXPECT_EQ(box2->x(), 0);
    menu("MenuTabelle1")->trigger();  // (off, on): side by side again
    EXPECT_TRUE(box1->isVisible());
    EXPECT_EQ(box2->x(), full - half);
    menu("MenuTabelle2")->trigger();  // (on, on): table 2 goes
    EXPECT_FALSE(box2->isVisible());
    EXPECT_EQ(box1->width(), full);
    menu("MenuTabelle1")->trigger();  // (on, off): table 1 hidden, nothing shown
    EXPECT_FALSE(box1->isVisible());
    EXPECT_FALSE(menu("MenuTabelle1")->isChecked());
    menu("MenuTabelle2")->trigger();  // (off, off): table 2 alone
    EXPECT_TRUE(box2->isVisible());
    EXPECT_EQ(box2->width(), full);
    evaluationWindow().close();
    EXPECT_EQ(box1->width(), full);
    EXPECT_EQ(box2->x(), 0);
}

TEST_F(AuswertungTest, DiagramsTitlesColoursAndPhaseSpace) {
    openWindow(true, true);
    waehlen("vyt");
    EXPECT_EQ(diagramChart().axisY()->titleText(), "v_y / (m/s)") << "colour 2's titles stay";
    EXPECT_EQ(diagramChart().axisX()->titleText(), "t / s");
    EXPECT_EQ(diagramChart().pointSeries(1)->count(), 5);
    EXPECT_EQ(diagramChart().pointSeries(2)->count(), 5);
    menu("MenuFarbe2")->trigger();
    EXPECT_FALSE(menu("MenuFarbe2")->isChecked());
    EXPECT_EQ(diagramChart().axisY()->titleText(), "v_y /(m/s)");
    EXPECT_EQ(diagramChart().axisX()->titleText(), "t /(s)");
    EXPECT_EQ(diagramChart().pointSeries(2)->count(), 0);
    menu("MenuFarbe1")->trigger();
    EXPECT_EQ(diagramChart().pointSeries(1)->count(), 0) << "both off: the chart is empty";
    EXPECT_EQ(diagramChart().axisY()->titleText(), "v_y /(m/s)") << "the titles stay";
    menu("MenuFarbe1")->trigger();

    menu("Phasenraum1")->trigger();
    EXPECT_TRUE(menu("Phasenraum1")->isChecked());
    EXPECT_FALSE(menu("Normalraum1")->isChecked());
    EXPECT_TRUE(teil<QGroupBox>("GroupBox2")->isVisible());
    EXPECT_FALSE(teil<QGroupBox>("GroupBox1")->isVisible());
    EXPECT_FALSE(teil<QFrame>("Panel2")->isVisible());
    // x - vx: position of row k with the velocity of row k + 1 (x = 2 k: vx 50 throughout).
    EXPECT_EQ(pointsOf(diagramChart().pointSeries(3)),
              (std::vector<QPointF>{{0, 50}, {2, 50}, {4, 50}, {6, 50}, {8, 50}}));
    EXPECT_EQ(diagramChart().axisY()->titleText(), "v_x /(m/s)");
    waehlen("va");
    EXPECT_EQ(diagramChart().axisX()->titleText(), "v /(m/s)");
    // A double click draws the diagram last chosen in the "Diagramme" group.
    QTest::mouseDClick(diagramChart().chartView()->viewport(), Qt::LeftButton);
    EXPECT_EQ(diagramChart().axisY()->titleText(), "v_y /(m/s)");
    menu("Normalraum1")->trigger();
    EXPECT_TRUE(teil<QFrame>("Panel2")->isVisible());
    EXPECT_TRUE(teil<QRadioButton>("XY")->isChecked());
}

TEST_F(AuswertungTest, ZoomIsResetByEveryChoiceOfADiagram) {
    openWindow(true, false);
    QChart* chart = diagramChart().chartView()->chart();
    auto zoomIn = [&] {
        QWheelEvent wheel(QPointF(200, 200), QPointF(200, 200), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(diagramChart().chartView()->viewport(), &wheel);
    };
    const double span = diagramChart().axisX()->max() - diagramChart().axisX()->min();
    zoomIn();
    EXPECT_TRUE(chart->isZoomed());
    EXPECT_LT(diagramChart().axisX()->max() - diagramChart().axisX()->min(), span);
    menu("Phasenraum1")->trigger();
    EXPECT_FALSE(chart->isZoomed()) << "the phase space shows all its points";
    zoomIn();
    waehlen("yvy");
    EXPECT_FALSE(chart->isZoomed()) << "so does each of its buttons";
    zoomIn();
    menu("Normalraum1")->trigger();
    EXPECT_FALSE(chart->isZoomed());
    zoomIn();
    waehlen("xt");
    EXPECT_FALSE(chart->isZoomed());
}

TEST_F(AuswertungTest, TrendLineCaptionsAndStrengthRules) {
    openWindow(true, false, 12);
    auto* spin = teil<QSpinBox>("SpinEdit1");
    auto* line = diagramChart().lineSeries(1);
    waehlen("vyt");
    // Strength 5 on 12 velocity rows: centre rows 4 to 10.
    EXPECT_EQ(line->count(), 7);
    spin->setValue(7);
    EXPECT_EQ(line->count(), 5);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->value(), 9);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->value(), 9) << "a step beyond the limit stays at it";
    QTest::keyClicks(spin, "3");
    EXPECT_EQ(spin->value(), 9) << "the number cannot be typed";

    waehlen("xt");
    EXPECT_EQ(spin->value(), 1);
    EXPECT_EQ(pointsOf(line), pointsOf(diagramChart().pointSeries(1)))
        << "the line joins the points";
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->value(), 1) << "undone while x - t is chosen";
    waehlen("vt");
    EXPECT_EQ(spin->value(), 1);
    EXPECT_EQ(line->count(), 11) << "strength 1 joins rows 2 to R - 1";

    auto* button = teil<QPushButton>("Trendlinie");
    button->click();
    EXPECT_EQ(button->text(), "Trendlinie an");
    EXPECT_FALSE(line->isVisible());
    waehlen("at");
    EXPECT_FALSE(line->isVisible()) << "off stays when another diagram is chosen";
    button->click();
    EXPECT_EQ(button->text(), "Trendlinie aus");
    EXPECT_TRUE(line->isVisible());
}

TEST_F(AuswertungTest, EditingACellRedrawsFromTheTextsWithoutRecomputing) {
    openWindow(true, false);
    auto* grid = teil<QTableView>("Tabelle1");
    const QString before = zelle("tabelle1v", 3, 2);
    grid->setCurrentIndex(grid->model()->index(1, 2));  // x of row 2
    QTest::keyClicks(grid, "9");
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "9,5a");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(zelle("Tabelle1", 2, 2), "9.5") << "',' types '.', letters are swallowed";
    EXPECT_EQ(zelle("tabelle1v", 3, 2), before) << "velocities are not recomputed";
    QTest::keyClick(grid, Qt::Key_Down);
    const auto points = pointsOf(diagramChart().pointSeries(3));
    EXPECT_NE(std::find(points.begin(), points.end(), QPointF(9.5, 1)), points.end())
        << "the x-y diagram was redrawn from the edited text";
}

TEST_F(AuswertungTest, PointHintInTheLocaleForOneSecond) {
    EXPECT_EQ(pointHint(QPointF(0.04, 1.25), QLocale(QLocale::German)),
              "Abszisse: 0,04\nOrdinate: 1,25");
    EXPECT_EQ(pointHint(QPointF(1234.5, 0.1 + 0.2), QLocale(QLocale::German)),
              "Abszisse: 1234,5\nOrdinate: 0,3");
    QLocale::setDefault(QLocale(QLocale::German));
    openWindow(true, false);
    // A real click a pixel beside the point's marker names the point's own values.
    QChartView* view = diagramChart().chartView();
    view->resize(800, 500);
    QApplication::processEvents();
    const QPointF at = view->chart()->mapToPosition(QPointF(4, 4), diagramChart().pointSeries(3));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(at + QPointF(1, 1)));
    EXPECT_EQ(view->toolTip(), "Abszisse: 4\nOrdinate: 4");
    // The hint goes after a second.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return diagramChart().chartView()->toolTip().isEmpty(); }, 10000));
    // Far from every point, or after a drag (a zoom), no hint.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->mapFromScene(at + QPointF(30, -30)));
    EXPECT_EQ(view->toolTip(), "");
    const QPoint from = view->mapFromScene(at + QPointF(-40, -40));
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(view->mapFromScene(at)),
                     view->mapToGlobal(QPointF(view->mapFromScene(at))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(at));
    EXPECT_EQ(diagramChart().chartView()->toolTip(), "");
    QLocale::setDefault(QLocale::c());
}

TEST_F(AuswertungTest, PressesOnTheFreeAreaTabAndLineFeedBeep) {
    openWindow(true, false);
    const int before = session->sound().beeps();
    QTest::mouseClick(teil<QWidget>("Flaeche"), Qt::LeftButton, {}, QPoint(60, 585));
    EXPECT_EQ(session->sound().beeps(), before + 1);
    QApplication::setActiveWindow(&evaluationWindow());
    evaluationWindow().setFocus();
    QTest::keyClick(&evaluationWindow(), Qt::Key_Tab);
    QTest::keyClick(&evaluationWindow(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(session->sound().beeps(), before + 3);
    QTest::mouseClick(teil<QPushButton>("Trendlinie"), Qt::LeftButton);
    EXPECT_EQ(session->sound().beeps(), before + 3) << "a control takes its click";
}

TEST_F(AuswertungTest, ClosingEmptiesTheGridsAndResetsTheView) {
    openWindow(true, true);
    menu("MenuTabelle2")->trigger();
    menu("Phasenraum1")->trigger();
    teil<QPushButton>("SpeedButton2")->click();
    EXPECT_FALSE(evaluationWindow().isVisible());
    EXPECT_EQ(zelle("Tabelle1", 2, 1), "");
    EXPECT_EQ(zelle("tabelle1v", 2, 2), "");
    EXPECT_EQ(diagramChart().pointSeries(3)->count(), 0);
    EXPECT_TRUE(menu("Normalraum1")->isChecked());
    EXPECT_EQ(teil<QScrollArea>("ScrollBox2")->x(), 0);
    EXPECT_TRUE(evaluationWindow().view().diagramMode);
}

TEST_F(AuswertungTest, SavesTheDiagramAsPngAndReportsAFailedWrite) {
    openWindow(true, false);
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("xy.png"));
    dialogs.saveNames = {png, dir.filePath(QStringLiteral("fehlt/xy.png")), QString()};
    menu("Diagrammspeichern1")->trigger();
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(),
              diagramChart().chartView()->size() * diagramChart().chartView()->devicePixelRatioF());
    const auto count = dialogs.messages.size();
    menu("Diagrammspeichern1")->trigger();
    ASSERT_EQ(dialogs.messages.size(), count + 1);
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Error);
    menu("Diagrammspeichern1")->trigger();  // cancelled: nothing reported
    EXPECT_EQ(dialogs.messages.size(), count + 1);

    // A name ending in .svg gives a vector drawing with the axis titles as text; another
    // extension is refused with a message and writes nothing.
    const QString svg = dir.filePath(QStringLiteral("xy.svg"));
    dialogs.saveNames = {svg, dir.filePath(QStringLiteral("xy.gif"))};
    menu("Diagrammspeichern1")->trigger();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("<svg")) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains("<path")) << "the points are drawn as vector paths";
    EXPECT_EQ(dialogs.messages.size(), count + 1);
    menu("Diagrammspeichern1")->trigger();
    ASSERT_EQ(dialogs.messages.size(), count + 2);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("xy.gif"))));
}

TEST_F(AuswertungTest, GridsEqualTheHeadlessToolAfterAFilmAnalysis) {
    ASSERT_NO_FATAL_FAILURE(analyseBothBoxes());
    const QString film = boxesFilm();
    ASSERT_TRUE(windows->secondary().displayWindow->isVisible());
    ASSERT_TRUE(windows->secondary().resultWindow->isVisible());
    mainWindow().commands().evaluationButton()->click();
    ASSERT_TRUE(evaluationWindow().isVisible());
    // The windows that stay on top step aside while the evaluation is open.
    EXPECT_FALSE(windows->secondary().displayWindow->isVisible());
    EXPECT_FALSE(windows->secondary().resultWindow->isVisible());

    const auto r = zebak::test::runCommand(
        std::string(ZEBAK_ANALYSE) + " track " + zebak::test::shellQuote(film.toStdString()) +
        " --colour1 230,40,40 --colour2 40,40,230 --kinematics 2>/dev/null");
    ASSERT_EQ(r.status, 0);
    const QJsonObject k =
        QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object()["kinematics"].toObject();
    const char* names[2][3] = {{"Tabelle1", "tabelle1v", "tabelle1a"},
                               {"Tabelle2", "Tabelle2v", "Tabelle2a"}};
    const char* keys[3] = {"positions", "velocities", "accelerations"};
    for (int slot : {1, 2})
        for (int g = 0; g < 3; ++g) {
            const QJsonArray rows = k[QString::number(slot)].toObject()[keys[g]].toArray();
            auto* view = teil<QTableView>(names[slot - 1][g]);
            const auto* m = view->model();
            ASSERT_EQ(rows.size(), m->rowCount() + 1) << names[slot - 1][g];
            ASSERT_GT(rows.size(), 10);
            for (int c = 0; c < m->columnCount(); ++c)
                EXPECT_EQ(rows[0].toArray()[c].toString(),
                          m->headerData(c, Qt::Horizontal).toString());
            for (int row = 1; row < rows.size(); ++row)
                for (int c = 0; c < m->columnCount(); ++c)
                    EXPECT_EQ(rows[row].toArray()[c].toString(),
                              m->index(row - 1, c).data().toString())
                        << names[slot - 1][g] << " " << row << "," << c;
        }
    evaluationWindow().close();
    EXPECT_TRUE(windows->secondary().displayWindow->isVisible());
    EXPECT_TRUE(windows->secondary().resultWindow->isVisible());
}

}  // namespace zebak::gui::test
