#include "gui/shell/WindowSet.h"

#include <QApplication>
#include <array>
#include <memory>

#include "gui/calibration/TForm5.h"
#include "gui/display/PlayerPanel.h"
#include "gui/display/TForm3.h"
#include "gui/display/TForm4.h"
#include "gui/evaluation/TForm8.h"
#include "gui/kit/Sound.h"
#include "gui/manual/TForm6.h"
#include "gui/manual/TForm7.h"
#include "gui/shell/TForm9.h"
#include "gui/tracking/PositionTables.h"

namespace zebak::gui {

void setUpProgram() {
    initResources();
    QApplication::setApplicationName(QStringLiteral("Zebak3"));
    // The desktop matches the windows to the menu entry zebak.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("zebak"));
}

WindowSet::WindowSet(Session& session) {
    form1_ = std::make_unique<TForm1>(session);
    // The secondary windows are top-level windows of their own; deleting them with the
    // main window keeps their lifetime tied to the program's.
    secondary_.form3 = new TForm3;
    secondary_.form4 = new TForm4;
    secondary_.form5 = new TForm5;
    secondary_.form6 = new TForm6;
    secondary_.form7 = new TForm7;
    secondary_.form8 = new TForm8(session);
    secondary_.form9 = new TForm9;
    form1_->setSecondaryWindows(secondary_);
    secondary_.form8->setShowInfo([info = secondary_.form9] { info->zeigen(); });
    // The display and result windows stay above others; while the evaluation is open they
    // step aside, so they cannot cover its diagram, and come back when it closes.
    auto hidden = std::make_shared<std::array<bool, 2>>();
    QObject::connect(&form1_->tables(), &PositionTables::evaluationRequested, secondary_.form8,
                     [windows = secondary_, hidden] {
                         *hidden = {windows.form3->isVisible(), windows.form4->isVisible()};
                         windows.form3->hide();
                         windows.form4->hide();
                         windows.form8->openWindow();
                     });
    QObject::connect(secondary_.form8, &TForm8::closed, secondary_.form3,
                     [windows = secondary_, hidden] {
                         if ((*hidden)[0]) windows.form3->show();
                         if ((*hidden)[1]) windows.form4->show();
                         *hidden = {false, false};
                     });
    QObject::connect(secondary_.form8, &TForm8::closed, &form1_->player(),
                     &PlayerPanel::Filmerscheine);
    // Closing the main window ends the program, and the end closes every window: the display
    // window, which otherwise stays while a film is loaded, must not refuse and cancel it.
    QObject::connect(form1_.get(), &TForm1::closed, secondary_.form3, &TForm3::programEnds);
}

WindowSet::~WindowSet() {
    // The film and the state live in the session, which outlives every window.
    form1_.reset();
    delete secondary_.form9;
    delete secondary_.form8;
    delete secondary_.form7;
    delete secondary_.form6;
    delete secondary_.form5;
    delete secondary_.form4;
    delete secondary_.form3;
}

}  // namespace zebak::gui
