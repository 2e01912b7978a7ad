// The position tables on the screen: headers and rows from the program's grids, refreshes
// after written rows, cells typed through the number-key filter, when the tables appear, and
// the checks of "Auswertung".
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "GuiTest.h"

namespace zebak::gui::test {

class PositionstabellenTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        loadFilm("gui320.avi");
        part<QPushButton>("AutomatischBtn")->click();
    }
    QTableView* tabelle(int n) { return part<QTableView>(n == 1 ? "tabelle1" : "Tabelle2"); }
    PositionGrid& raster(int n) { return mainWindow().state().grid(n); }
    QString zelle(int n, int row, int column) {
        return tabelle(n)->model()->index(row - 1, column).data().toString();
    }
    QString kopf(int n, int column) {
        return tabelle(n)->model()->headerData(column, Qt::Horizontal).toString();
    }
    /// Types into cell (row, column) of tabelle1 the way a user does: the first key opens
    /// the cell's editor, the others go to the editor, Enter ends the edit.
    void tippen(int row, int column, const QString& text) {
        QTableView* t = tabelle(1);
        t->setCurrentIndex(t->model()->index(row - 1, column));
        QTest::keyClicks(t, text.left(1));
        if (auto* editor = t->findChild<QLineEdit*>()) {
            QTest::keyClicks(editor, text.mid(1));
            QTest::keyClick(editor, Qt::Key_Return);
            // The edit is taken over after the key, and the closed editor goes later still.
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
};

TEST_F(PositionstabellenTest, TablesShowTheGridsAndFollowWrittenRows) {
    EXPECT_FALSE(tabelle(1)->isVisible());
    EXPECT_FALSE(tabelle(2)->isVisible());
    EXPECT_EQ(kopf(1, 0), "Zeit /s");
    EXPECT_EQ(kopf(1, 1), "X1 /m");
    EXPECT_EQ(kopf(2, 2), "Y2 /m");
    EXPECT_EQ(tabelle(1)->model()->rowCount(), 1);

    // A row written far down grows the table; one written in place changes only its cells.
    raster(1).setRowCount(5);
    raster(1).setCell(4, 0, "0.12");
    raster(1).setCell(4, 2, "-3.5");
    mainWindow().tables().refresh(1, 4);
    EXPECT_EQ(tabelle(1)->model()->rowCount(), 4);
    EXPECT_EQ(zelle(1, 4, 0), "0.12");
    EXPECT_EQ(zelle(1, 4, 2), "-3.5");
    EXPECT_EQ(zelle(1, 3, 0), "");
    QSignalSpy geaendert(tabelle(1)->model(), &QAbstractItemModel::dataChanged);
    raster(1).setCell(2, 1, "7");
    mainWindow().tables().refresh(1, 2);
    EXPECT_EQ(geaendert.count(), 1);
    EXPECT_EQ(zelle(1, 2, 1), "7");
    // An earlier frame recorded after a seek back becomes the last row.
    raster(1).setRowCount(3);
    mainWindow().tables().refresh(1, 2);
    EXPECT_EQ(tabelle(1)->model()->rowCount(), 2);

    // Prepared tables come up: Tabelle2 only while colour 2 is analysed.
    mainWindow().tables().showPrepared();
    EXPECT_TRUE(tabelle(1)->isVisible());
    EXPECT_FALSE(tabelle(2)->isVisible());
    part<QWidget>("Panel3")->findChild<QCheckBox*>("CheckBox2")->click();
    mainWindow().tables().showPrepared();
    EXPECT_TRUE(tabelle(2)->isVisible());
}

TEST_F(PositionstabellenTest, CellsTakeOnlyNumberKeysAndACommaBecomesAPoint) {
    mainWindow().tables().showPrepared();
    raster(1).setRowCount(3);
    mainWindow().tables().refresh(1, -1);
    tippen(1, 1, "1,5");
    EXPECT_EQ(raster(1).cell(1, 1), "1.5");
    tippen(2, 2, "-0x.2a5");
    EXPECT_EQ(raster(1).cell(2, 2), "-0.25");
    // A letter does not even open the cell.
    tabelle(1)->setCurrentIndex(tabelle(1)->model()->index(0, 0));
    QTest::keyClick(tabelle(1), Qt::Key_A);
    EXPECT_EQ(tabelle(1)->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(raster(1).cell(1, 0), "");
}

TEST_F(PositionstabellenTest, EvaluationNeedsThreeDataRowsOfTheColourEvaluatedFirst) {
    const QString kZuWenig = QStringLiteral("Es sind noch nicht genug Messwerte erfasst worden.");
    auto* auswertung = part<QPushButton>("DiagrammBtn");
    auto* farbe1 = part<QWidget>("Panel3")->findChild<QCheckBox*>("CheckBox1");
    auto* farbe2 = part<QWidget>("Panel3")->findChild<QCheckBox*>("CheckBox2");
    raster(1).setRowCount(3);
    auswertung->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, kZuWenig);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
    raster(1).setRowCount(4);
    auswertung->click();
    EXPECT_EQ(dialogs.messages.size(), 1u);

    // With both colours only colour 1's table counts; colour 2 alone needs its own rows.
    farbe2->click();
    auswertung->click();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    farbe1->click();
    auswertung->click();
    EXPECT_EQ(dialogs.messages.size(), 2u);
    raster(2).setRowCount(4);
    auswertung->click();
    EXPECT_EQ(dialogs.messages.size(), 2u);
    farbe2->click();  // neither colour: nothing to check
    raster(2).setRowCount(2);
    auswertung->click();
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

}  // namespace zebak::gui::test
