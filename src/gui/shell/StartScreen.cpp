#include "gui/shell/StartScreen.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

StartScreen::StartScreen(QWidget* area, const QRect& picture, QObject* owner)
    : QObject(owner), area_(area) {
    picture_ = new QLabel(area);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setPixmap(QPixmap(QStringLiteral(":/images/start.png")));
    picture_->setScaledContents(true);
    picture_->setGeometry(picture);
    loadButton_ = makeButton(QStringLiteral("Film_Laden"), QStringLiteral("&Film Laden"),
                             QStringLiteral("Einen Film öffnen"), QRect(440, 80, 233, 65), area);
    setBoldFont(loadButton_, 16);
    connect(loadButton_, &QPushButton::clicked, this, &StartScreen::loadRequested);
}

void StartScreen::buildChoicePanel() {
    choicePanel_ = makePanel(area_);
    choicePanel_->setObjectName(QStringLiteral("Panel2"));
    choicePanel_->setGeometry(440, 80, 260, 160);
    makeLabel(QStringLiteral("Label4"), QStringLiteral("Wie soll die Analyse erfolgen?"),
              QRect(16, 12, 230, 20), choicePanel_);
    QPushButton* manual = makeButton(QStringLiteral("ManuellBtn"), QStringLiteral("Manuell"),
                                     QStringLiteral("Positionserfassung durch Mausklick"),
                                     QRect(16, 50, 228, 40), choicePanel_);
    connect(manual, &QPushButton::clicked, this, &StartScreen::manualChosen);
    QPushButton* automatic =
        makeButton(QStringLiteral("AutomatischBtn"), QStringLiteral("Automatisch"),
                   QStringLiteral("Erfassung durch Suche des Objektes"), QRect(16, 104, 228, 40),
                   choicePanel_);
    connect(automatic, &QPushButton::clicked, this, &StartScreen::chooseAutomatic);
    choicePanel_->hide();
}

void StartScreen::chooseAutomatic() {
    choicePanel_->hide();
    picture_->hide();
    Q_EMIT automaticChosen();
}

void StartScreen::showChoice() {
    loadButton_->hide();
    choicePanel_->show();
    choicePanel_->raise();
    picture_->hide();
}

}  // namespace zebak::gui
