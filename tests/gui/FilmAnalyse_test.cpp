// The film and still-frame analyses run from the main window: the tables equal what the
// headless tool writes for the same film and settings, the windows during and after a run,
// stopping a run, the found indicator, the crosses and the result window's picture.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>
#include <set>

#include "GuiTest.h"
#include "core/FilmAnalysis.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/ResultWindow.h"
#include "gui/kit/PositionTableModel.h"
#include "gui/kit/Sound.h"
#include "gui/tracking/GuiHost.h"
#include "media/FfmsFrameSource.h"
#include "support/Process.h"

/// Readable cell texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zebak::gui::test {

namespace {

const QString kDemo = QStringLiteral(ZEBAK_SOURCE_DIR "/resources/demo/demo.avi");
const QString kBoxes = QStringLiteral(ZEBAK_TRACK_FILMS "/boxes-mjpeg.avi");
const QString kBoxesExakt = QStringLiteral(ZEBAK_TRACK_FILMS "/boxes-ffv1.avi");
constexpr Rgb kBall{225, 32, 26};

using Zeilen = std::vector<std::vector<QString>>;

/// The rows of one slot as zebak-analyse track prints them, or an empty list with a failure.
std::map<int, Zeilen> trackZeilen(const QString& film, const std::string& optionen) {
    const auto r = zebak::test::runCommand(std::string(ZEBAK_ANALYSE) + " track " +
                                           zebak::test::shellQuote(film.toStdString()) + " " +
                                           optionen + " 2>/dev/null");
    EXPECT_EQ(r.status, 0) << optionen;
    const QJsonObject tabellen =
        QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object()["tables"].toObject();
    std::map<int, Zeilen> aus;
    for (const QString& slot : tabellen.keys())
        for (const QJsonValue zeile : tabellen[slot].toArray()) {
            std::vector<QString> zellen;
            for (const QJsonValue zelle : zeile.toArray()) zellen.push_back(zelle.toString());
            aus[slot.toInt()].push_back(zellen);
        }
    return aus;
}

/// Samples of what the windows showed while a run handled its events.
struct Probe {
    int runden = 0;
    std::set<QString> panel5Texte;
    bool panel5ImmerSichtbar = true;
    bool abbrechenImmerSichtbar = true;
    bool immerSanduhr = true;
    std::set<std::pair<int, int>> anzeigeGroessen;
    int tabelleZeilenMitte = -1;
};

}  // namespace

class FilmAnalyseTest : public GuiTest {
  protected:
    /// Loads the film and chooses automatic mode.
    void automatisch(const QString& path) {
        ASSERT_TRUE(mainWindow().loadFilm(path));
        part<QPushButton>("AutomatischBtn")->click();
    }
    /// A colour as picked on the display window.
    void farbe(SlotNumber slot, Rgb c) {
        mainWindow().state().colour(slot).picked = c;
        mainWindow().state().colour(slot).assigned = true;
        // "Farbe N analysieren" through its box, so the panel and the state agree.
        part<QWidget>("Panel3")
            ->findChild<QCheckBox*>(slot == 1 ? "CheckBox1" : "CheckBox2")
            ->setChecked(true);
    }
    /// Presses "Filmanalyse"; `waehrend` runs at every round of events the analysis handles.
    void filmanalyse(const std::function<void(Probe&)>& waehrend = {}) {
        QTimer takt;
        takt.setInterval(0);
        QObject::connect(&takt, &QTimer::timeout, [&] {
            ++probe.runden;
            probe.panel5Texte.insert(part<QLabel>("Panel5")->text());
            probe.panel5ImmerSichtbar &= part<QLabel>("Panel5")->isVisible();
            probe.abbrechenImmerSichtbar &= part<QPushButton>("AbbrechenBtn")->isVisible();
            const QCursor* c = QApplication::overrideCursor();
            probe.immerSanduhr &= c != nullptr && c->shape() == Qt::WaitCursor;
            const QSize s = windows->secondary().displayWindow->clientSize();
            probe.anzeigeGroessen.insert({s.width(), s.height()});
            if (waehrend) waehrend(probe);
        });
        takt.start();
        QTest::mouseClick(part<QPushButton>("FilmAnalyseBtn"), Qt::LeftButton);
        takt.stop();
    }
    /// The cells of a table as the main window shows them, data rows only.
    Zeilen tabelle(SlotNumber slot) {
        const QAbstractItemModel* m =
            part<PositionTable>(slot == 1 ? "tabelle1" : "Tabelle2")->model();
        Zeilen aus;
        for (int r = 0; r < m->rowCount(); ++r) {
            std::vector<QString> zellen;
            for (int c = 0; c < 3; ++c) zellen.push_back(m->data(m->index(r, c)).toString());
            aus.push_back(zellen);
        }
        return aus;
    }
    /// Rows the table shows, counted like the grid's rows (the header row included).
    int tabellenZeilen(const char* name) {
        return part<PositionTable>(name)->model()->rowCount() + 1;
    }
    bool fertigAufgeraeumt() {
        return !part<QPushButton>("AbbrechenBtn")->isVisible() &&
               !part<QLabel>("Panel5")->isVisible() && QApplication::overrideCursor() == nullptr;
    }

    Probe probe;
};

TEST_F(FilmAnalyseTest, TablesEqualTheHeadlessToolInEveryMode) {
    struct Fall {
        const char* name;
        QString film;
        std::string optionen;
        std::function<void(MainWindow&, Measurement&)> einstellen;
        int neinAntworten = 0;
    };
    const Fall cases[] = {
        // First, while the refined centre still holds its start value: it is kept from one
        // analysis to the next, and a fresh headless run starts from 0.
        {"second search finds nothing and the answer is No", kBoxes,
         "--colour1 230,40,40 --tolerance1 60 --refine1 --refine-tolerance1 0 "
         "--on-refine-miss stop",
         [](MainWindow&, Measurement& s) {
             s.settings(1).tolerance = 60;
             s.settings(1).refine = true;
             s.settings(1).refineTolerance = 0;
         },
         40},
        {"simple, left part of the frame only: the ball leaves it", kDemo,
         "--colour1 225,32,26 --mode1 simple --area 0,40,300,470",
         [](MainWindow&, Measurement& s) {
             s.settings(1).mode = SearchMode::Simple;
             s.area.left = 0;
             s.area.top = 40;
             s.area.right = 300;
             s.area.bottom = 470;
         }},
        {"predicted position in a restricted sequence", kDemo,
         "--colour1 225,32,26 --from 5 --to 40 --deviation1 30",
         [](MainWindow& f, Measurement& s) {
             s.settings(1).deviationPx = 30;
             f.findChild<QScrollBar*>("ScrollBar3")->setValue(40);
             f.findChild<QScrollBar*>("ScrollBar2")->setValue(5);
         }},
        {"two colours, second search and adoption, simple then predicted", kBoxes,
         "--colour1 230,40,40 --colour2 40,40,230 --tolerance1 60 --tolerance2 60 "
         "--refine1 --adopt1 --refine2 --adopt2 --object-size2 5 --mode1 simple",
         [](MainWindow& f, Measurement& s) {
             for (SlotNumber n : {1, 2}) {
                 s.settings(n).tolerance = 60;
                 s.settings(n).refine = true;
                 s.settings(n).adoptColour = true;
             }
             s.settings(2).objectSizePx = 5;
             s.settings(1).mode = SearchMode::Simple;
             // A round of events on every frame, so the probe also sees the second pass.
             f.findChild<QScrollBar*>("ScrollBarBremse")->setValue(1);
         }},
    };
    for (const Fall& fall : cases) {
        SCOPED_TRACE(fall.name);
        automatisch(fall.film);
        Measurement& s = mainWindow().state();
        const std::map<int, Zeilen> erwartet = trackZeilen(fall.film, fall.optionen);
        s.slotSettings = {};  // the pages' start values, as the headless tool has them
        farbe(1, fall.film == kDemo ? kBall : Rgb{230, 40, 40});
        part<QWidget>("Panel3")->findChild<QCheckBox*>("CheckBox2")->setChecked(false);
        if (erwartet.count(2) != 0) farbe(2, Rgb{40, 40, 230});
        fall.einstellen(mainWindow(), s);
        dialogs.messages.clear();
        for (int i = 0; i < fall.neinAntworten; ++i) dialogs.answers.push_back(QMessageBox::No);

        probe = Probe{};
        filmanalyse();
        part<QScrollBar>("ScrollBarBremse")->setValue(0);

        ASSERT_FALSE(erwartet.empty());
        // "Abbrechen" and the indicator stay for the whole command, also when the simple loop
        // of colour 1 hides them on its way out before colour 2's pass.
        EXPECT_TRUE(probe.abbrechenImmerSichtbar);
        EXPECT_TRUE(probe.panel5ImmerSichtbar);
        EXPECT_TRUE(probe.immerSanduhr);
        for (const auto& [slot, zeilen] : erwartet) {
            EXPECT_EQ(tabelle(slot), zeilen) << "slot " << slot;
            EXPECT_EQ(static_cast<int>(zeilen.size()), s.grid(slot).rowCount() - 1);
        }
        EXPECT_EQ(part<PositionTable>("Tabelle2")->isVisible(), erwartet.count(2) != 0);
        EXPECT_TRUE(fertigAufgeraeumt());
        if (fall.neinAntworten > 0) {
            ASSERT_FALSE(dialogs.messages.empty());
            EXPECT_EQ(dialogs.messages.front().kind, MessageKind::Warning);
            EXPECT_EQ(dialogs.messages.front().text,
                      "Bei Zweitsuche keinen Punkt gefunden. Fehlerhafte Weiterführung?");
            // The window comes back after the question.
            EXPECT_TRUE(windows->secondary().resultWindow->isVisible());
        }
        dialogs.answers.clear();
    }
}

TEST_F(FilmAnalyseTest, AFilmSlowerThanAFramePerSecondGivesTheHeadlessToolsRows) {
    // 0.4 frames per second: both take 25 for the time column.
    const QString langsam = film("langsam.avi");
    automatisch(langsam);
    EXPECT_EQ(part<QSpinBox>("SpinEdit1")->value(), 25);
    mainWindow().state().slotSettings = {};
    farbe(1, Rgb{230, 40, 40});
    mainWindow().state().settings(1).mode = SearchMode::Simple;
    mainWindow().state().settings(1).tolerance = 5;
    filmanalyse();
    const std::map<int, Zeilen> erwartet =
        trackZeilen(langsam, "--colour1 230,40,40 --tolerance1 5 --mode1 simple");
    ASSERT_EQ(erwartet.count(1), 1u);
    ASSERT_EQ(erwartet.at(1).size(), 12u);
    EXPECT_EQ(erwartet.at(1).at(1).at(0), "0.04");
    EXPECT_EQ(tabelle(1), erwartet.at(1));
}

TEST_F(FilmAnalyseTest, WindowsDuringAndAfterARunOnA640By480Film) {
    automatisch(kDemo);
    farbe(1, kBall);
    part<QScrollBar>("ScrollBarBremse")->setValue(5);  // every frame gets its round of events
    const Measurement& s = mainWindow().state();
    const QSize vorher = windows->secondary().displayWindow->clientSize();
    ASSERT_EQ(vorher, QSize(384, 288));
    bool zeilenNurMehr = true;
    bool ladenGesperrt = true;
    int zeilenVorher = 0;
    int nochmalGedrueckt = 0;
    filmanalyse([&](Probe& p) {
        // The rows show up while the film runs, not only at its end.
        if (p.tabelleZeilenMitte < 0 && s.grid(1).rowCount() > 25)
            p.tabelleZeilenMitte = tabellenZeilen("tabelle1");
        // A second press while it runs does not start the film over (the tables would empty),
        // and no other film can be loaded under it.
        if (s.grid(1).rowCount() == 12 && !nochmalGedrueckt++)
            QTest::mouseClick(part<QPushButton>("FilmAnalyseBtn"), Qt::LeftButton);
        zeilenNurMehr &= s.grid(1).rowCount() >= zeilenVorher;
        zeilenVorher = s.grid(1).rowCount();
        ladenGesperrt &= !part<QAction>("Filmladen1")->isEnabled();
        EXPECT_TRUE(mainWindow().session().pixelContextOpen());
    });
    EXPECT_EQ(nochmalGedrueckt > 0, true);
    EXPECT_TRUE(zeilenNurMehr);
    EXPECT_TRUE(ladenGesperrt);
    EXPECT_TRUE(part<QAction>("Filmladen1")->isEnabled());
    EXPECT_FALSE(mainWindow().session().pixelContextOpen());

    EXPECT_GT(probe.runden, 45);
    // The whole frame at its shape, scaled down to the room left of the tables.
    ASSERT_EQ(probe.anzeigeGroessen.size(), 1u);
    const auto [shownWidth, shownHeight] = *probe.anzeigeGroessen.begin();
    EXPECT_LE(shownWidth, 640);
    EXPECT_NEAR(shownWidth * 480.0 / 640.0, shownHeight, 1.0);
    EXPECT_TRUE(probe.panel5ImmerSichtbar);
    EXPECT_TRUE(probe.abbrechenImmerSichtbar);
    EXPECT_TRUE(probe.immerSanduhr);
    EXPECT_EQ(probe.panel5Texte, std::set<QString>{"erkannt"});
    EXPECT_GT(probe.tabelleZeilenMitte, 20);
    EXPECT_LT(probe.tabelleZeilenMitte, 51);

    EXPECT_EQ(windows->secondary().displayWindow->clientSize(), vorher);
    EXPECT_TRUE(fertigAufgeraeumt());
    ResultWindow* ergebnis = windows->secondary().resultWindow;
    EXPECT_TRUE(ergebnis->isVisible());
    // On the screen and clear of the tables; the picture is the frame at full size.
    const QRect screen = ergebnis->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(ergebnis->frameGeometry()));
    const auto* table = part<QWidget>("tabelle1");
    EXPECT_FALSE(ergebnis->frameGeometry().intersects(
        QRect(table->mapToGlobal(QPoint(0, 0)), table->size())));
    EXPECT_EQ(ergebnis->bild().size(), QSize(640, 480));
    // The end bar stood at the frame count and moved back to the last frame.
    EXPECT_EQ(part<QScrollBar>("ScrollBar3")->value(), 49);
    EXPECT_EQ(tabellenZeilen("tabelle1"), 51);
}

TEST_F(FilmAnalyseTest, FoundIndicatorTurnsRedWithTheErrorSoundWhereTheObjectIsMissing) {
    automatisch(kDemo);
    farbe(1, kBall);
    Measurement& s = mainWindow().state();
    s.settings(1).mode = SearchMode::Simple;
    s.area.right = 300;  // the ball leaves the area half way
    part<QScrollBar>("ScrollBarBremse")->setValue(2);
    std::vector<std::pair<int, QString>> gesehen;  // table rows written, indicator text
    filmanalyse([&](Probe&) {
        gesehen.emplace_back(s.grid(1).rowCount() - 1, part<QLabel>("Panel5")->text());
    });

    EXPECT_EQ(probe.panel5Texte, (std::set<QString>{"erkannt", "nicht erkannt"}));
    // Each frame's indicator agrees with its row: empty where the object was not found.
    for (const auto& [zeile, text] : gesehen) {
        if (zeile < 1) continue;
        EXPECT_EQ(s.grid(1).cell(zeile, 0).empty(), text == "nicht erkannt") << zeile;
    }
    QLabel* panel5 = part<QLabel>("Panel5");
    EXPECT_EQ(panel5->text(), "nicht erkannt");  // the last frame's state stays
    EXPECT_EQ(panel5->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(panel5->findChild<QLabel*>("Label8")->text(), "Objekt");
    EXPECT_EQ(mainWindow().session().sound().lastPlayed(), "SNDFEHLER");
    EXPECT_TRUE(fertigAufgeraeumt());
}

TEST_F(FilmAnalyseTest, AbbrechenOrAKeyInTheResultWindowStopsTheRun) {
    const std::vector<std::pair<const char*, std::function<void()>>> wege = {
        {"Abbrechen",
         [this] { QTest::mouseClick(part<QPushButton>("AbbrechenBtn"), Qt::LeftButton); }},
        {"key in the result window",
         [this] { QTest::keyClick(windows->secondary().resultWindow, Qt::Key_Escape); }},
        // Last: the program is closing and must not go on analysing unseen.
        {"closing the main window", [this] { mainWindow().close(); }},
    };
    for (const auto& [name, stoppen] : wege) {
        SCOPED_TRACE(name);
        automatisch(kDemo);
        farbe(1, kBall);
        part<QScrollBar>("ScrollBarBremse")->setValue(20);
        const Measurement& s = mainWindow().state();
        bool gestoppt = false;
        filmanalyse([&](Probe&) {
            if (!gestoppt && s.grid(1).rowCount() > 6) {
                gestoppt = true;
                stoppen();
            }
        });
        EXPECT_TRUE(gestoppt);
        EXPECT_TRUE(mainWindow().session().runControl().stopRequested);
        // Stopped after the frame at hand: far from the film's 50 rows.
        EXPECT_GE(s.grid(1).rowCount(), 7);
        EXPECT_LE(s.grid(1).rowCount(), 10);
        EXPECT_EQ(tabellenZeilen("tabelle1"), s.grid(1).rowCount());
        EXPECT_TRUE(fertigAufgeraeumt());
        EXPECT_EQ(windows->secondary().displayWindow->clientSize(), QSize(384, 288));
    }
}

TEST_F(FilmAnalyseTest, ResultWindowShowsTheSearchesAndTheDisplayTheLastCross) {
    automatisch(kBoxesExakt);  // 160 x 120, shown 1:1; red box at (10 + 4n, 20 + 2n), 6 x 6
    farbe(1, Rgb{230, 40, 40});
    mainWindow().state().settings(1).tolerance = 2;
    filmanalyse();
    ASSERT_EQ(mainWindow().player().currentFrame(), 19);

    // The result window paints exactly the picture the searches drew.
    ResultWindow* ergebnis = windows->secondary().resultWindow;
    const QImage gemalt = ergebnis->grab().toImage().convertToFormat(QImage::Format_RGB888);
    const QImage bild = ergebnis->bild();
    ASSERT_EQ(bild.size(), QSize(160, 120));
    EXPECT_EQ(gemalt, bild);
    EXPECT_EQ(bild.pixelColor(10, 20), QColor(255, 0, 0));  // frame 0's box
    EXPECT_EQ(bild.pixelColor(12, 22), QColor(0, 0, 0));    // its centre marker
    EXPECT_EQ(bild.pixelColor(5, 5), QColor(255, 255, 255));

    // The white cross at the last centre (88, 60) lies on the live picture of the frame.
    const QImage anzeige = windows->secondary().displayWindow->grab().toImage();
    for (QPoint p : {QPoint(86, 60), QPoint(88, 58), QPoint(90, 60), QPoint(88, 62)})
        EXPECT_EQ(anzeige.pixelColor(p), QColor(255, 255, 255)) << p.x() << "," << p.y();
    EXPECT_EQ(anzeige.pixelColor(89, 61), QColor(230, 40, 40));

    // Another frame takes the cross away.
    mainWindow().player().goToFrame(3);
    const QImage danach = windows->secondary().displayWindow->grab().toImage();
    EXPECT_NE(danach.pixelColor(90, 60), QColor(255, 255, 255));
}

TEST_F(FilmAnalyseTest, AColourNotYetPickedStopsBeforeAnythingChanges) {
    automatisch(kDemo);
    farbe(1, kBall);
    // Colour 2 is to be analysed but was never picked.
    part<QWidget>("Panel3")->findChild<QCheckBox*>("CheckBox2")->setChecked(true);
    dialogs.messages.clear();
    filmanalyse();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().text.toStdString(), kKeineFarbe2);
    EXPECT_EQ(part<QTabWidget>("PageControl1")->currentIndex(), 1);
    EXPECT_EQ(probe.runden, 0);
    EXPECT_FALSE(part<PositionTable>("tabelle1")->isVisible());
    EXPECT_FALSE(windows->secondary().resultWindow->isVisible());
    EXPECT_TRUE(fertigAufgeraeumt());
}

TEST_F(FilmAnalyseTest, StillFrameAnalysisPaintsTheBallAndWritesNoRow) {
    automatisch(kDemo);
    farbe(1, kBall);
    mainWindow().player().goToFrame(10);
    QTest::mouseClick(part<QPushButton>("AnalyseBtn"), Qt::LeftButton);

    const QImage bild = windows->secondary().resultWindow->bild();
    ASSERT_EQ(bild.size(), QSize(640, 480));
    // The ball of frame 10 (t = 0.4 s) is near (140, 266); its pixels keep their own colour.
    const QColor mitte = bild.pixelColor(140, 266);
    EXPECT_GT(mitte.red(), 180);
    EXPECT_LT(mitte.green(), 80);
    EXPECT_EQ(bild.pixelColor(400, 100), QColor(255, 255, 255));
    EXPECT_TRUE(windows->secondary().resultWindow->isVisible());
    EXPECT_EQ(windows->secondary().displayWindow->clientSize(), QSize(384, 288));
    EXPECT_EQ(mainWindow().player().currentFrame(), 10);
    EXPECT_FALSE(part<PositionTable>("tabelle1")->isVisible());
    EXPECT_TRUE(fertigAufgeraeumt());
}

TEST_F(FilmAnalyseTest, LoadingAnotherFilmGivesTheResultWindowANewEmptyPicture) {
    automatisch(kDemo);
    farbe(1, kBall);
    mainWindow().player().goToFrame(10);
    QTest::mouseClick(part<QPushButton>("AnalyseBtn"), Qt::LeftButton);
    ASSERT_NE(windows->secondary().resultWindow->bild().pixelColor(140, 266),
              QColor(255, 255, 255));

    dialogs.openNames.push_back(kBoxes);
    part<QAction>("Filmladen1")->trigger();
    ASSERT_EQ(mainWindow().state().film.size.width, 160);
    ResultWindow* ergebnis = windows->secondary().resultWindow;
    EXPECT_FALSE(ergebnis->isVisible());
    // The new picture has the window's size, all white, until the next analysis sizes it.
    const QImage bild = ergebnis->bild();
    EXPECT_EQ(bild.size(), ergebnis->size());
    QImage weiss(bild.size(), QImage::Format_RGB888);
    weiss.fill(Qt::white);
    EXPECT_EQ(bild, weiss);
}

TEST_F(FilmAnalyseTest, AFilmThatBreaksOffDuringTheRunIsReportedAndTheWindowsComeBack) {
    QTemporaryDir ordner;
    const QString kopie = ordner.filePath(QStringLiteral("demo.avi"));
    ASSERT_TRUE(QFile::copy(kDemo, kopie));
    automatisch(kopie);
    farbe(1, kBall);
    // The file loses everything after its first frames while the film is open.
    QFile datei(kopie);
    ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
    ASSERT_TRUE(datei.resize(20000));
    datei.close();
    dialogs.messages.clear();
    filmanalyse();  // must not take the program down

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.messages.front().text.contains(kopie));
    EXPECT_LT(mainWindow().state().grid(1).rowCount(), 51);
    EXPECT_EQ(windows->secondary().displayWindow->clientSize(), QSize(384, 288));
    EXPECT_TRUE(fertigAufgeraeumt());
    EXPECT_TRUE(part<QAction>("Filmladen1")->isEnabled());
    EXPECT_FALSE(mainWindow().session().pixelContextOpen());
}

}  // namespace zebak::gui::test
