// The main menu, the shell commands (quit, help, information) and the close handler.
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QMenuBar>

#include "gui/app/Sound.h"
#include "gui/app/TForm1.h"
#include "gui/app/TForm9.h"

namespace zebak::gui {

void TForm1::baueMenue() {
    QMenuBar* leiste = menuBar();
    leiste->setObjectName(QStringLiteral("Menue"));

    QMenu* datei = leiste->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("Datei1"));
    QAction* laden = datei->addAction(QStringLiteral("&Film laden"));
    laden->setObjectName(QStringLiteral("Filmladen1"));
    laden->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(laden, &QAction::triggered, this, &TForm1::Filmladen1Click);
    datei->addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction* beenden = datei->addAction(QStringLiteral("&Beenden"));
    beenden->setObjectName(QStringLiteral("Beenden1"));
    connect(beenden, &QAction::triggered, this, &TForm1::Beenden1Click);

    QMenu* extras = leiste->addMenu(QStringLiteral("&Extras"));
    extras->setObjectName(QStringLiteral("Extras1"));
    Stroboskopbild1 = extras->addAction(QStringLiteral("Stro&boskopbild"));
    Stroboskopbild1->setObjectName(QStringLiteral("Stroboskopbild1"));
    Stroboskopbild1->setCheckable(true);
    Stroboskopbild1->setEnabled(false);
    connect(Stroboskopbild1, &QAction::triggered, this, &TForm1::Stroboskopbild1Click);

    QMenu* hilfe = leiste->addMenu(QStringLiteral("&Hilfe"));
    hilfe->setObjectName(QStringLiteral("Hilfe1"));
    QAction* zebakHilfe = hilfe->addAction(QStringLiteral("Zebak &Hilfe"));
    zebakHilfe->setObjectName(QStringLiteral("ZebakHilfe1"));
    zebakHilfe->setShortcut(QKeySequence(Qt::Key_F1));
    connect(zebakHilfe, &QAction::triggered, this, &TForm1::ZebakHilfe1Click);
    hilfe->addSeparator()->setObjectName(QStringLiteral("N2"));
    QAction* info = hilfe->addAction(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("Info1"));
    connect(info, &QAction::triggered, this, &TForm1::Info1Click);
}

void TForm1::Beenden1Click() { close(); }

QUrl TForm1::hilfeUrl() {
    return QUrl::fromLocalFile(
        QDir::current().absoluteFilePath(QStringLiteral("hilfe/index.html")));
}

void TForm1::ZebakHilfe1Click() {
    // A missing page or browser is not reported: the desktop simply opens nothing.
    QDesktopServices::openUrl(hilfeUrl());
}

void TForm1::Info1Click() {
    if (fenster_.form9 != nullptr) fenster_.form9->zeigen();
}

void TForm1::Stroboskopbild1Click() {
    // Only the check mark for now; the stroboscope panel comes with the stroboscopic image.
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A range playback still running inside a handler must not go on after the window is gone.
    state_.AbspielenStopp = 1;
    if (state_.KontextOffen) {
        Kontextfreigeben();
        Sound::beep();
    }
    event->accept();
    Q_EMIT geschlossen();
}

}  // namespace zebak::gui
