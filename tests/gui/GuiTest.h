#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QUrl>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "gui/display/DisplayInputRouter.h"
#include "gui/display/PlayerPanel.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/Sound.h"
#include "gui/kit/WidgetKit.h"
#include "gui/shell/MainMenu.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/WindowSet.h"
#include "gui/tracking/AnalysisCommands.h"
#include "gui/tracking/PositionTables.h"
#include "gui/tracking/SettingsPages.h"

namespace zebak::gui::test {

/// Path of a film made by make-gui-films.sh.
inline QString film(const char* name) {
    return QStringLiteral(ZEBAK_GUI_FILMS "/") + QString::fromLatin1(name);
}

/// One message box the program showed.
struct Meldung {
    MessageKind kind;
    QString text;
};

/// Dialogs that answer from a script and record what the user would have seen.
class ScriptedDialogs final : public Dialogs {
  public:
    /// File names the open dialog returns in turn; an empty one (or none left) is a cancel.
    std::deque<QString> openNames;
    /// Answers of the message boxes in turn; none left answers Ok.
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<Meldung> messages;
    /// Called as each message box appears, to look at the program while it waits.
    std::function<void()> beiMeldung;
    /// When set, every progress display reports a cancel on its first update.
    bool cancelProgress = false;
    int progressUpdates = 0;
    /// The lines shown under the progress label, in order (frames done, time left).
    QStringList progressDetails;

    QString openFilmName(QWidget*) override {
        if (openNames.empty()) return {};
        QString name = openNames.front();
        openNames.pop_front();
        return name;
    }
    /// The open dialog for other files answers from openNames too.
    QString openFileName(QWidget*, const QString&, const QString&) override {
        return openFilmName(nullptr);
    }
    /// File names the save dialog returns in turn; none left is a cancel.
    std::deque<QString> saveNames;
    QString saveFileName(QWidget*, const QString&, const QString&) override {
        if (saveNames.empty()) return {};
        QString name = saveNames.front();
        saveNames.pop_front();
        return name;
    }
    /// What each export save dialog offered, in turn; it answers from saveNames.
    std::vector<SaveFileOptions> exportAnfragen;
    /// Called while each export save dialog is open.
    std::function<void()> beiDialog;
    QString exportFileName(QWidget*, const SaveFileOptions& options) override {
        exportAnfragen.push_back(options);
        if (beiDialog) beiDialog();
        return saveFileName(nullptr, QString(), QString());
    }
    /// Documents handed to the desktop, and whether an application takes them.
    std::vector<QUrl> openedUrls;
    bool oeffnenGelingt = true;
    bool openDocument(const QUrl& url) override {
        openedUrls.push_back(url);
        return oeffnenGelingt;
    }
    QMessageBox::StandardButton message(QWidget*, MessageKind kind, const QString& text,
                                        QMessageBox::StandardButtons) override {
        messages.push_back({kind, text});
        if (beiMeldung) beiMeldung();
        if (answers.empty()) return QMessageBox::Ok;
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::unique_ptr<ProgressTask> beginProgress(QWidget*, const QString&) override;
    /// Pauses of running loops so far; onLoopPause, when set, runs at each with its number
    /// (1 for the first), so a test clicks or types at a known step of the run.
    int loopPauses = 0;
    std::function<void(int)> onLoopPause;
    void loopPaused() override {
        ++loopPauses;
        if (onLoopPause) onLoopPause(loopPauses);
    }
};

/// A test with a session over scripted dialogs, the program's eight windows freshly created,
/// and the main window shown. The session outlives the windows, as in the program.
class GuiTest : public ::testing::Test {
  protected:
    /// Films come from `opener` (the program's own when none is given).
    explicit GuiTest(FilmOpener opener = decoderFilmOpener());
    void SetUp() override;
    void TearDown() override { windows.reset(); }

    MainWindow& mainWindow() { return windows->mainWindow(); }
    /// A named component of the main window (fails the test when it is missing).
    template <typename T>
    T* part(const char* name) {
        T* w = mainWindow().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    /// Loads a film as if chosen in the open dialog and checks that it loaded.
    void loadFilm(const char* name);
    /// Loads the boxes film (a red and a blue box, lossless), gives colour 1 the red and
    /// colour 2 the blue, checks both for analysis and runs "Filmanalyse" to its end.
    void analyseBothBoxes();
    /// Chooses "Automatisch" on the loaded boxes film, gives colour 1 the red and colour 2 the
    /// blue and checks both for analysis.
    void pickBothBoxes();
    static QString boxesFilm() { return QStringLiteral(ZEBAK_TRACK_FILMS "/boxes-ffv1.avi"); }

    std::unique_ptr<Session> session;
    ScriptedDialogs& dialogs;
    std::unique_ptr<WindowSet> windows;
};

}  // namespace zebak::gui::test
