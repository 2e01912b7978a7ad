#include "gui/shell/StartScreen.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

StartScreen::StartScreen(QWidget* area, const QRect& picture, QObject* owner)
    : QObject(owner), area_(area) {
    Image1 = new QLabel(area);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/start.png")));
    Image1->setScaledContents(true);
    Image1->setGeometry(picture);
    Film_Laden = makeButton(QStringLiteral("Film_Laden"), QStringLiteral("&Film Laden"),
                            QStringLiteral("Einen Film öffnen"), QRect(440, 80, 233, 65), area);
    QFont large = Film_Laden->font();
    large.setPointSize(16);
    large.setBold(true);
    Film_Laden->setFont(large);
    connect(Film_Laden, &QPushButton::clicked, this, &StartScreen::loadRequested);
}

void StartScreen::buildChoicePanel() {
    Panel2 = makePanel(area_);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(440, 80, 260, 160);
    makeLabel(QStringLiteral("Label4"), QStringLiteral("Wie soll die Analyse erfolgen?"),
              QRect(16, 12, 230, 20), Panel2);
    QPushButton* manual = makeButton(QStringLiteral("ManuellBtn"), QStringLiteral("Manuell"),
                                     QStringLiteral("Positionserfassung durch Mausklick"),
                                     QRect(16, 50, 228, 40), Panel2);
    connect(manual, &QPushButton::clicked, this, &StartScreen::manualChosen);
    QPushButton* automatic = makeButton(
        QStringLiteral("AutomatischBtn"), QStringLiteral("Automatisch"),
        QStringLiteral("Erfassung durch Suche des Objektes"), QRect(16, 104, 228, 40), Panel2);
    connect(automatic, &QPushButton::clicked, this, [this] {
        Panel2->hide();
        Image1->hide();
        Q_EMIT automaticChosen();
    });
    Panel2->hide();
}

void StartScreen::showChoice() {
    Film_Laden->hide();
    Panel2->show();
    Panel2->raise();
    Image1->hide();
}

}  // namespace zebak::gui
