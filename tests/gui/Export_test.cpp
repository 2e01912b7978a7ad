// The export panel of the evaluation window: its components, the text formats on the
// clipboard and in files (read back byte for byte), the question and the save dialog, failed
// writes, and "zu Excel" writing one workbook per colour that LibreOffice reads back.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTest.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/evaluation/ExportPanel.h"
#include "support/Process.h"
#include "support/SpreadsheetReader.h"

namespace zebak::gui::test {

namespace {
const QString kFrage = QStringLiteral(
    "Soll die Tabelle außer in der Zwischenablage noch in einer Datei gespeichert werden?");

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<fehlt>";
    return f.readAll();
}

/// Sets TMPDIR for the life of the object, so the user's temporary folder is a test's own.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(const QString& path)
        : old_(qgetenv("TMPDIR")), wasSet_(qEnvironmentVariableIsSet("TMPDIR")) {
        qputenv("TMPDIR", path.toLocal8Bit());
    }
    ~TemporaryFolder() {
        if (wasSet_)
            qputenv("TMPDIR", old_);
        else
            qunsetenv("TMPDIR");
    }

  private:
    QByteArray old_;
    bool wasSet_;
};
}  // namespace

class ExportTest : public GuiTest {
  protected:
    EvaluationWindow& evaluationWindow() { return *windows->secondary().evaluationWindow; }
    template <typename T>
    T* teil(const char* name) {
        T* w = evaluationWindow().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    /// Colour 1 at 0, 0.04 and 0.08 s with the middle row not found; colour 2 two rows.
    void openWindow(bool colour1, bool colour2) {
        Measurement& s = mainWindow().state();
        s.display.analyseColour1 = colour1;
        s.display.analyseColour2 = colour2;
        PositionGrid& t1 = s.grid(1);
        t1.setRowCount(4);
        t1.setCell(1, 0, "0"), t1.setCell(1, 1, "0.5"), t1.setCell(1, 2, "2");
        t1.setCell(3, 0, "0.08"), t1.setCell(3, 1, "0.75"), t1.setCell(3, 2, "1.25");
        PositionGrid& t2 = s.grid(2);
        t2.setRowCount(3);
        t2.setCell(1, 0, "0"), t2.setCell(1, 1, "3"), t2.setCell(1, 2, "-1.5");
        t2.setCell(2, 0, "0.04"), t2.setCell(2, 1, "3.25"), t2.setCell(2, 2, "-1.5");
        mainWindow().commands().evaluationButton()->click();
        // The clipboard as each message box appears.
        dialogs.beiMeldung = [this] {
            zwischenablage.push_back(QGuiApplication::clipboard()->text());
        };
    }
    void exportieren() { teil<QPushButton>("SpeedButton1")->click(); }
    std::vector<QString> zwischenablage;
    QTemporaryDir dir;
};

namespace {
const QString kText1 =
    QStringLiteral("t/(s)\tx/(m)\ty/(m)\r\n0\t0,5\t2\r\n\t\t\r\n0,08\t0,75\t1,25\r\n");
const QString kText2 = QStringLiteral("t/(s)\tx/(m)\ty/(m)\r\n0\t3\t-1,5\r\n0,04\t3,25\t-1,5\r\n");
const QString kCsv1 = QStringLiteral("t/(s),x/(m),y/(m)\r\n0,0.5,2\r\n,,\r\n0.08,0.75,1.25\r\n");
const QString kCsv2 = QStringLiteral("t/(s),x/(m),y/(m)\r\n0,3,-1.5\r\n0.04,3.25,-1.5\r\n");
}  // namespace

TEST_F(ExportTest, PanelComponentsAndTheMenuItem) {
    openWindow(true, false);
    auto* button = teil<QPushButton>("SpeedButton1");
    EXPECT_EQ(button->text(), "&Export");
    EXPECT_TRUE(button->font().bold());
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_EQ(button->parentWidget(), teil<QFrame>("Panel1"));
    const std::pair<const char*, const char*> radios[] = {{"RadioButton3", "zu Excel"},
                                                          {"RadioButton1", "Text-Format"},
                                                          {"RadioButton2", "Daten (*.csv)"}};
    for (const auto& [name, caption] : radios) {
        EXPECT_EQ(teil<QRadioButton>(name)->text(), QString::fromUtf8(caption));
        EXPECT_EQ(teil<QRadioButton>(name)->parentWidget(), teil<QFrame>("Panel1"));
    }
    EXPECT_TRUE(teil<QRadioButton>("RadioButton3")->isChecked());
    EXPECT_TRUE(teil<QAction>("Speichern1")->isEnabled());
    EXPECT_EQ(teil<QAction>("Speichern1")->text(), "&Speichern");
}

TEST_F(ExportTest, TextFormatOfBothColoursOnTheClipboardAndInFiles) {
    openWindow(true, true);
    // An edited cell with characters beyond ASCII: Windows-1252 in the file, Unicode on the
    // clipboard.
    auto* grid = teil<QTableView>("Tabelle1");
    grid->model()->setData(grid->model()->index(2, 3), QStringLiteral("1,25 µ€"));
    teil<QRadioButton>("RadioButton1")->click();
    const QString txt1 = dir.filePath("farbe1.txt");
    const QString txt2 = dir.filePath("farbe2.txt");
    dialogs.answers = {QMessageBox::Yes, QMessageBox::Yes};
    dialogs.saveNames = {txt1, txt2};
    // Another window came to the front over the dialog; the evaluation window comes back.
    dialogs.beiDialog = [this] { evaluationWindow().hide(); };
    exportieren();

    const QString edited = QString(kText1).replace("1,25\r\n", "1,25 µ€\r\n");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, kFrage);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(zwischenablage, (std::vector<QString>{edited, kText2}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), kText2);
    EXPECT_EQ(readAll(txt1), QByteArray("t/(s)\tx/(m)\ty/(m)\r\n0\t0,5\t2\r\n\t\t\r\n"
                                        "0,08\t0,75\t1,25 \xB5\x80\r\n"));
    EXPECT_EQ(readAll(txt2), kText2.toLatin1());
    ASSERT_EQ(dialogs.exportAnfragen.size(), 2u);
    EXPECT_EQ(dialogs.exportAnfragen[0].filters,
              (QStringList{QStringLiteral("Excel(*.txt)"), QStringLiteral("Daten(*.csv)")}));
    EXPECT_EQ(dialogs.exportAnfragen[0].chosenFilter, 0);
    EXPECT_EQ(dialogs.exportAnfragen[0].defaultSuffix, "txt");
    EXPECT_TRUE(evaluationWindow().isVisible());
}

TEST_F(ExportTest, NoAtColourOneKeepsItOnTheClipboardAndSkipsColourTwo) {
    openWindow(true, true);
    teil<QRadioButton>("RadioButton1")->click();
    dialogs.answers = {QMessageBox::No};
    exportieren();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.exportAnfragen.empty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), kText1);
}

TEST_F(ExportTest, CancelledDialogIsSilentAndGoesOnToColourTwo) {
    openWindow(true, true);
    teil<QRadioButton>("RadioButton2")->click();
    dialogs.answers = {QMessageBox::Yes, QMessageBox::No};
    teil<QAction>("Speichern1")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u) << "the question twice, nothing else";
    EXPECT_EQ(dialogs.messages[1].text, kFrage);
    EXPECT_EQ(zwischenablage, (std::vector<QString>{kCsv1, kCsv2}));
    ASSERT_EQ(dialogs.exportAnfragen.size(), 1u);
    EXPECT_EQ(dialogs.exportAnfragen[0].chosenFilter, 1);
    EXPECT_EQ(dialogs.exportAnfragen[0].defaultSuffix, "csv");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ExportTest, CsvOfTheCheckedColourOnlyAndAFailedWriteNamesTheFile) {
    openWindow(true, true);
    teil<QAction>("MenuFarbe1")->trigger();  // colour 1 no longer checked
    teil<QRadioButton>("RadioButton2")->click();
    const QString csv = dir.filePath("b.csv");
    dialogs.answers = {QMessageBox::Yes};
    dialogs.saveNames = {csv};
    exportieren();
    EXPECT_EQ(readAll(csv), kCsv2.toLatin1());
    EXPECT_EQ(dialogs.messages.size(), 1u);

    const QString missing = dir.filePath("fehlt/b.csv");
    dialogs.answers = {QMessageBox::Yes};
    dialogs.saveNames = {missing};
    exportieren();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.messages[2].text.contains(missing))
        << dialogs.messages[2].text.toStdString();
    EXPECT_TRUE(dialogs.messages[2].text.contains("den Ordner gibt es nicht"))
        << dialogs.messages[2].text.toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), kCsv2);
}

// A workbook that cannot be written gives the message alone. One that the desktop does not
// open stays where the message's next lines say, and the second colour's is written beside it.
TEST_F(ExportTest, ExcelFailuresShowTheMessageAndNameTheWorkbooksLeft) {
    openWindow(true, true);
    QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
    {
        TemporaryFolder temp(dir.filePath("fehlt"));
        exportieren();
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Excel konnte nicht gestartet werden !");
    EXPECT_TRUE(dialogs.openedUrls.empty());

    dialogs.oeffnenGelingt = false;
    {
        TemporaryFolder temp(dir.path());
        exportieren();
    }
    ASSERT_EQ(dialogs.messages.size(), 2u);
    // Both in the program's own folder, beside the one the desktop was given.
    ASSERT_EQ(dialogs.openedUrls.size(), 1u) << "colour 2 is not handed over after colour 1 failed";
    const QDir own = QFileInfo(dialogs.openedUrls[0].toLocalFile()).dir();
    const QString book1 = own.filePath("Zebak-Farbe1.xlsx"),
                  book2 = own.filePath("Zebak-Farbe2.xlsx");
    EXPECT_EQ(dialogs.messages[1].text,
              "Excel konnte nicht gestartet werden !\n"
              "Die Arbeitsmappe liegt unter " +
                  book1 +
                  "\n"
                  "Die Arbeitsmappe liegt unter " +
                  book2)
        << dialogs.messages[1].text.toStdString();
    EXPECT_TRUE(QFileInfo(book1).size() > 0 && QFileInfo(book2).size() > 0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "vorher");
}

TEST_F(ExportTest, ExcelWritesOneWorkbookPerColourAsTheHeadlessToolDoes) {
    ASSERT_NO_FATAL_FAILURE(analyseBothBoxes());
    const QString film = boxesFilm();
    Measurement& s = mainWindow().state();
    mainWindow().commands().evaluationButton()->click();
    ASSERT_TRUE(evaluationWindow().isVisible());
    {
        TemporaryFolder temp(dir.path());
        exportieren();
        exportieren();  // the names are taken now: new ones with a number
    }
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text.toStdString();
    const QStringList names = {"boxes-ffv1-Farbe1.xlsx", "boxes-ffv1-Farbe2.xlsx",
                               "boxes-ffv1-Farbe1-2.xlsx", "boxes-ffv1-Farbe2-2.xlsx"};
    ASSERT_EQ(dialogs.openedUrls.size(), 4u);
    // In a folder of the program's own in the temporary folder, which no one else may enter.
    const QDir own = QFileInfo(dialogs.openedUrls[0].toLocalFile()).dir();
    EXPECT_EQ(QFileInfo(own.path()).dir(), QDir(dir.path()));
    EXPECT_EQ(std::filesystem::status(own.path().toStdString()).permissions(),
              std::filesystem::perms::owner_all);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dialogs.openedUrls[static_cast<std::size_t>(i)],
                  QUrl::fromLocalFile(own.filePath(names[i])));

    std::vector<std::filesystem::path> books;
    for (int i = 0; i < 2; ++i) books.emplace_back(own.filePath(names[i]).toStdString());
    for (const char* slot : {"1", "2"}) {
        const std::string out = dir.filePath(QStringLiteral("cli%1.xlsx").arg(slot)).toStdString();
        const auto r = zebak::test::runCommand(
            std::string(ZEBAK_ANALYSE) + " track " + zebak::test::shellQuote(film.toStdString()) +
            " --colour1 230,40,40 --colour2 40,40,230 --format xlsx --slot " + slot + " -o " +
            zebak::test::shellQuote(out) + " 2>&1");
        ASSERT_EQ(r.status, 0) << r.out;
        books.emplace_back(out);
    }
    std::string error;
    const auto sheets = zebak::test::readWorkbooks(books, error);
    ASSERT_EQ(sheets.size(), 4u) << error;
    EXPECT_EQ(sheets[0], sheets[2]);
    EXPECT_EQ(sheets[1], sheets[3]);
    EXPECT_EQ(sheets[0][0][0] + sheets[0][0][1] + sheets[0][0][2], "\"t /s\"\"x /m\"\"y /m\"");
    EXPECT_EQ(sheets[0][0][4], "\"Zeitintervall /s\"");
    EXPECT_EQ(sheets[1][0][4], "\"Zeitintervall/s\"");
    const auto& positions = s.evaluationGrids(1).positions;
    ASSERT_EQ(sheets[0].size(), positions.size());
    EXPECT_GT(positions.size(), 10u);
    for (std::size_t r = 1; r < positions.size(); ++r) {
        if (positions[r][1].empty()) continue;
        EXPECT_EQ(sheets[0][r][0], positions[r][1]) << r;
    }
}

}  // namespace zebak::gui::test
