// The windows at start: every named component, the start screen, menu, information dialog,
// help page, sounds and the close handler.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "GuiTest.h"
#include "gui/calibration/CalibrationLengthWindow.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/ResultWindow.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/kit/DataFiles.h"
#include "gui/kit/HelpPage.h"
#include "gui/kit/Sound.h"
#include "gui/manual/ManualControlWindow.h"
#include "gui/manual/ManualOverlay.h"
#include "gui/shell/InformationDialog.h"

namespace zebak::gui::test {

using WindowSetTest = GuiTest;

TEST_F(WindowSetTest, EveryNamedComponentExistsWithItsKind) {
    for (const char* name :
         {"Image1", "Label1", "Label2", "Label3", "Label5", "labelbremse", "Label7"})
        part<QLabel>(name);
    for (const char* name :
         {"Film_Laden", "ManuellBtn", "AutomatischBtn", "suchbereicheinschraenken", "AnalyseBtn",
          "EichenBtn", "FilmAnalyseBtn", "DiagrammBtn"})
        part<QPushButton>(name);
    for (const char* name : {"Panel1", "Panel2", "Panel3", "Panel4", "MediaPlayer1"})
        part<QWidget>(name);
    for (const char* name : {"ScrollBar1", "ScrollBar2", "ScrollBar3", "ScrollBarBremse"})
        part<QScrollBar>(name);
    for (const char* name :
         {"SpeedButton1", "SpeedButton2", "btPlay", "btPause", "btStop", "btNext", "btPrev"})
        part<QToolButton>(name);
    for (const char* name : {"tabelle1", "Tabelle2"}) part<QTableView>(name);
    for (const char* name : {"Memo1", "Memo2"}) part<QPlainTextEdit>(name);
    part<QSpinBox>("SpinEdit1");
    part<QTimer>("Timer1");
    part<QTabWidget>("PageControl1");
    part<QMenuBar>("Menue");
    for (const char* name : {"Filmladen1", "Beenden1", "Stroboskopbild1", "ZebakHilfe1", "Info1"})
        part<QAction>(name);

    const SecondaryWindows& n = windows->secondary();
    const std::vector<std::pair<QWidget*, QString>> captions = {
        {&mainWindow(), "Zebak3.51"},       {n.displayWindow, "Form3"},
        {n.resultWindow, "Suchergebnisse"}, {n.calibrationWindow, "Kalibrierung"},
        {n.manualWindow, "Manuell"},        {n.overlayWindow, "Form7"},
        {n.evaluationWindow, "Auswertung"}, {n.infoDialog, "Information"}};
    for (const auto& [w, caption] : captions) EXPECT_EQ(w->windowTitle(), caption);
    EXPECT_NE(n.displayWindow->findChild<QWidget*>("Panel1"), nullptr);
    EXPECT_NE(n.manualWindow->findChild<QLabel*>("Label3"), nullptr);
    EXPECT_NE(n.infoDialog->findChild<QPushButton*>("BitBtn1"), nullptr);
    EXPECT_TRUE(n.displayWindow->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(n.displayWindow->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(WindowSetTest, StartScreenShowsOnlyPictureButtonAndMenu) {
    EXPECT_EQ(QApplication::applicationName(), "Zebak3");
    EXPECT_TRUE(mainWindow().windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(part<QLabel>("Image1")->isVisible());
    EXPECT_FALSE(part<QLabel>("Image1")->pixmap().isNull());
    EXPECT_TRUE(part<QPushButton>("Film_Laden")->isVisible());
    EXPECT_EQ(part<QPushButton>("Film_Laden")->text(), "&Film Laden");
    for (const char* name : {"Panel1", "Panel2", "Panel3", "Panel4", "PageControl1", "tabelle1",
                             "Tabelle2", "AnalyseBtn", "FilmAnalyseBtn", "DiagrammBtn"})
        EXPECT_FALSE(part<QWidget>(name)->isVisible()) << name;
    const SecondaryWindows& n = windows->secondary();
    for (QWidget* w : std::initializer_list<QWidget*>{
             n.displayWindow, n.resultWindow, n.calibrationWindow, n.manualWindow, n.overlayWindow,
             n.evaluationWindow, n.infoDialog})
        EXPECT_FALSE(w->isVisible()) << w->windowTitle().toStdString();
    EXPECT_FALSE(part<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(part<QAction>("Stroboskopbild1")->isEnabled());
    EXPECT_EQ(part<QAction>("Filmladen1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_EQ(part<QSpinBox>("SpinEdit1")->value(), 25);
    EXPECT_EQ(part<QSpinBox>("SpinEdit1")->minimum(), 1);

    const ProgramState& s = mainWindow().state();
    EXPECT_EQ(s.slot(1).Farbe, (Rgb{100, 100, 100}));
    EXPECT_EQ(s.slot(2).Farbe, (Rgb{100, 100, 100}));
    EXPECT_EQ(s.Eichfaktor, 1.0);
    EXPECT_TRUE(s.Filmname.empty());
}

TEST_F(WindowSetTest, CancelledDialogBeforeTheFirstFilmDoesNothing) {
    part<QPushButton>("Film_Laden")->click();  // no scripted file: the dialog is cancelled
    EXPECT_TRUE(part<QPushButton>("Film_Laden")->isVisible());
    EXPECT_EQ(mainWindow().film(), nullptr);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowSetTest, InfoDialogShowsWithoutWaitingAndClosesOnOk) {
    part<QAction>("Info1")->trigger();
    InformationDialog* info = windows->secondary().infoDialog;
    ASSERT_TRUE(info->isVisible());
    EXPECT_EQ(info->size(), QSize(382, 356));
    EXPECT_TRUE(info->windowFlags() & Qt::WindowStaysOnTopHint);
    const QString texte =
        info->findChild<QLabel*>("Label1")->text() + info->findChild<QLabel*>("Label2")->text();
    EXPECT_TRUE(texte.contains("3.51"));
    EXPECT_TRUE(texte.contains("28.05.2003"));
    // The two links lead to the program's own help pages and its licence, no placeholder.
    const QString hilfe = info->findChild<QLabel*>("Label6")->text();
    const QString lizenz = info->findChild<QLabel*>("Label9")->text();
    EXPECT_TRUE(hilfe.contains(helpPageUrl().toString(QUrl::FullyEncoded))) << hilfe.toStdString();
    EXPECT_TRUE(lizenz.contains(InformationDialog::licenceUrl().toString(QUrl::FullyEncoded)));
    EXPECT_TRUE(lizenz.contains("GPL-3.0-or-later"));
    for (QLabel* l : info->findChildren<QLabel*>())
        EXPECT_FALSE(l->text().contains("example")) << l->objectName().toStdString();
    info->findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_FALSE(info->isVisible());
}

TEST_F(WindowSetTest, HelpPageIsResolvedAgainstTheWorkingDirectory) {
    const QString vorher = QDir::currentPath();
    QTemporaryDir ordner;
    ASSERT_TRUE(QDir::setCurrent(ordner.path()));
    const QString pfad = helpPageUrl().toLocalFile();
    QDir::setCurrent(vorher);
    EXPECT_EQ(pfad, QDir(ordner.path()).absoluteFilePath("hilfe/index.html"));
    EXPECT_TRUE(QFile::exists(QStringLiteral(ZEBAK_SOURCE_DIR "/hilfe/index.html")));
}

// Installed, the help, demo and licence lie in ../share/zebak beside the program's folder;
// a copy in the working directory (a checkout) comes first.
TEST_F(WindowSetTest, DataFilesAreFoundBesideTheInstalledProgram) {
    QTemporaryDir prefix;
    QTemporaryDir elsewhere;
    const QString bin = prefix.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(prefix.filePath("share/zebak/hilfe")));
    QFile page(prefix.filePath("share/zebak/hilfe/index.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    const QString hilfe = QStringLiteral("hilfe/index.html");
    EXPECT_EQ(dataFilePath(hilfe, elsewhere.path(), bin), page.fileName());
    EXPECT_EQ(dataFilePath(hilfe, QStringLiteral(ZEBAK_SOURCE_DIR), bin),
              QStringLiteral(ZEBAK_SOURCE_DIR "/hilfe/index.html"));
    EXPECT_EQ(dataFilePath(QStringLiteral("demo/demo.avi"), elsewhere.path(), bin),
              QDir(elsewhere.path()).absoluteFilePath("demo/demo.avi"));
}

// F1 in the main window and in the evaluation window: a page no program opens, or one that is
// missing, is named with its path.
TEST_F(WindowSetTest, AHelpPageThatCannotBeOpenedIsNamed) {
    const QString vorher = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral(ZEBAK_SOURCE_DIR)));
    const QString page = QDir::current().absoluteFilePath("hilfe/index.html");
    part<QAction>("ZebakHilfe1")->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_EQ(dialogs.openedUrls.size(), 1u);
    EXPECT_EQ(dialogs.openedUrls[0], QUrl::fromLocalFile(page));
    dialogs.oeffnenGelingt = false;
    windows->secondary().evaluationWindow->findChild<QAction*>("ZebakHilfe1")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
    EXPECT_TRUE(dialogs.messages[0].text.contains(page)) << dialogs.messages[0].text.toStdString();
    QTemporaryDir ordner;
    ASSERT_TRUE(QDir::setCurrent(ordner.path()));
    part<QAction>("ZebakHilfe1")->trigger();
    QDir::setCurrent(vorher);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              "Die Hilfe wurde nicht gefunden:\n" +
                  QDir(ordner.path()).absoluteFilePath("hilfe/index.html"));
    EXPECT_EQ(dialogs.openedUrls.size(), 2u);
}

TEST_F(WindowSetTest, SoundsAreBuiltInAndUnknownNamesAreIgnored) {
    Sound& sound = mainWindow().session().sound();
    for (const char* name : {"SNDFEHLER", "sndfehler2", "SndGefunden"})
        EXPECT_TRUE(Sound::exists(name)) << name;
    sound.play("sndfehler");  // silent without an audio device, but must not fail
    EXPECT_EQ(sound.lastPlayed(), "SNDFEHLER");
    sound.play("GIBTESNICHT");
    EXPECT_EQ(sound.lastPlayed(), "SNDFEHLER");
}

TEST_F(WindowSetTest, CloseReleasesAnOpenPixelContextAndEndsTheProgram) {
    QSignalSpy ende(&mainWindow(), &MainWindow::closed);
    mainWindow().session().openPixelContext();
    ASSERT_TRUE(mainWindow().state().KontextOffen);
    part<QAction>("Beenden1")->trigger();
    EXPECT_FALSE(mainWindow().state().KontextOffen);
    EXPECT_FALSE(mainWindow().isVisible());
    EXPECT_EQ(ende.count(), 1);
}

}  // namespace zebak::gui::test
