// Test program of the windows: real Qt widgets on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTest.h"
#include "gui/display/DisplayWindow.h"
#include "gui/kit/Sound.h"

namespace zebak::gui::test {

namespace {
class ScriptedProgress final : public ProgressTask {
  public:
    explicit ScriptedProgress(ScriptedDialogs& d) : d_(d) {}
    bool update(double, const QString& detail) override {
        ++d_.progressUpdates;
        if (!detail.isEmpty()) d_.progressDetails.push_back(detail);
        return !d_.cancelProgress;
    }

  private:
    ScriptedDialogs& d_;
};
}  // namespace

std::unique_ptr<ProgressTask> ScriptedDialogs::beginProgress(QWidget*, const QString&) {
    return std::make_unique<ScriptedProgress>(*this);
}

namespace {
std::unique_ptr<Session> scriptedSession(FilmOpener opener) {
    return std::make_unique<Session>(std::make_unique<ScriptedDialogs>(), std::move(opener));
}
}  // namespace

GuiTest::GuiTest(FilmOpener opener)
    : session(scriptedSession(std::move(opener))),
      dialogs(static_cast<ScriptedDialogs&>(session->dialogs())) {}

void GuiTest::SetUp() {
    windows = std::make_unique<WindowSet>(*session);
    mainWindow().show();
}

void GuiTest::loadFilm(const char* name) {
    ASSERT_TRUE(mainWindow().loadFilm(film(name))) << name;
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text.toStdString();
}

void GuiTest::analyseBothBoxes() {
    ASSERT_TRUE(mainWindow().loadFilm(boxesFilm()));
    pickBothBoxes();
    QTest::mouseClick(part<QPushButton>("FilmAnalyseBtn"), Qt::LeftButton);
}

void GuiTest::pickBothBoxes() {
    part<QPushButton>("AutomatischBtn")->click();
    Measurement& s = mainWindow().state();
    for (SlotNumber n : {1, 2}) {
        s.colour(n).picked = n == 1 ? Rgb{230, 40, 40} : Rgb{40, 40, 230};
        s.colour(n).assigned = true;
        part<QWidget>("Panel3")
            ->findChild<QCheckBox*>(n == 1 ? "CheckBox1" : "CheckBox2")
            ->setChecked(true);
    }
}

}  // namespace zebak::gui::test

int main(int argc, char** argv) {
    // Windows without a screen; set before the application object exists.
    // A test entry may give the offscreen platform a screen of its own (configfile=...).
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QStringLiteral("offscreen")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A cache folder of its own, so the first open of every film runs the full preparation.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    QApplication app(argc, argv);
    zebak::gui::setUpProgram();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
