#include "gui/evaluation/EvaluationMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>

#include "gui/evaluation/EvaluationView.h"

namespace zebak::gui {

namespace {
/// The image of a colour item: a plus sign of the colour, 8 x 8, on white.
QIcon plusIcon(const QColor& colour) {
    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(colour);
    p.drawLine(3, 0, 3, 7);
    p.drawLine(0, 3, 7, 3);
    return QIcon(pixmap);
}
}  // namespace

EvaluationMenu::EvaluationMenu(EvaluationView& view, QMainWindow* window)
    : QObject(window), view_(view) {
    buildFileMenu(window);
    buildViewMenu(window);
    buildHelpMenu(window);
    showView();
}

QAction* EvaluationMenu::add(QMenu* menu, const char* name, const QString& text) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QAction* EvaluationMenu::action(const char* name) const {
    return parent()->findChild<QAction*>(QString::fromLatin1(name));
}

void EvaluationMenu::buildFileMenu(QMainWindow* window) {
    QMenu* file = window->menuBar()->addMenu(QStringLiteral("Datei"));
    file->setObjectName(QStringLiteral("Datei1"));
    QAction* save = add(file, "Speichern1", QStringLiteral("&Speichern"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &EvaluationMenu::exportRequested);
    file->addSeparator();
    QAction* diagram = add(file, "Diagrammspeichern1", QStringLiteral("Diagramm speichern …"));
    connect(diagram, &QAction::triggered, this, &EvaluationMenu::saveDiagramRequested);
    QAction* close = add(file, "Schliessen1", QStringLiteral("Sch&ließen"));
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(close, &QAction::triggered, this, &EvaluationMenu::closeRequested);
}

void EvaluationMenu::buildViewMenu(QMainWindow* window) {
    viewMenu_ = window->menuBar()->addMenu(QStringLiteral("&Ansicht"));
    viewMenu_->setObjectName(QStringLiteral("Ansicht1"));
    QAction* normal = add(viewMenu_, "Normalraum1", QStringLiteral("&Diagramm"));
    QAction* phase = add(viewMenu_, "Phasenraum1", QStringLiteral("&Phasenraum"));
    viewMenu_->addSeparator();
    QAction* farbe1 = add(viewMenu_, "MenuFarbe1", QStringLiteral("Farbe1"));
    QAction* farbe2 = add(viewMenu_, "MenuFarbe2", QStringLiteral("Farbe2"));
    farbe1->setIcon(plusIcon(QColor(255, 0, 0)));
    farbe2->setIcon(plusIcon(QColor(0, 0, 255)));
    QAction* n5 = viewMenu_->addSeparator();
    n5->setObjectName(QStringLiteral("N5"));
    QAction* tabelle1 = add(viewMenu_, "MenuTabelle1", QStringLiteral("Tabelle1"));
    QAction* tabelle2 = add(viewMenu_, "MenuTabelle2", QStringLiteral("Tabelle2"));
    for (QAction* a : {normal, phase, farbe1, farbe2, tabelle1, tabelle2}) a->setCheckable(true);
    // The program sets every check mark itself; a click only asks.
    connect(normal, &QAction::triggered, this, [this] {
        if (!view_.diagramMode) Q_EMIT modeChosen(true);
        showView();
    });
    connect(phase, &QAction::triggered, this, [this] {
        if (view_.diagramMode) Q_EMIT modeChosen(false);
        showView();
    });
    connect(farbe1, &QAction::triggered, this, [this] { colourMenuClicked(1); });
    connect(farbe2, &QAction::triggered, this, [this] { colourMenuClicked(2); });
    connect(tabelle1, &QAction::triggered, this, [this] { Q_EMIT tableClicked(1); });
    connect(tabelle2, &QAction::triggered, this, [this] { Q_EMIT tableClicked(2); });
}

void EvaluationMenu::buildHelpMenu(QMainWindow* window) {
    QMenu* help = window->menuBar()->addMenu(QStringLiteral("&Hilfe"));
    help->setObjectName(QStringLiteral("Hilfe1"));
    QAction* page = add(help, "ZebakHilfe1", QStringLiteral("Zebak &Hilfe"));
    page->setShortcut(QKeySequence(Qt::Key_F1));
    connect(page, &QAction::triggered, this, &EvaluationMenu::helpRequested);
    help->addSeparator();
    QAction* info = add(help, "Info1", QStringLiteral("&Info"));
    connect(info, &QAction::triggered, this, &EvaluationMenu::infoRequested);
}

void EvaluationMenu::colourMenuClicked(int slot) {
    // A colour can be switched off only while both colours were analysed.
    const int other = slot == 1 ? 2 : 1;
    if (view_.colourItemVisible.at(static_cast<std::size_t>(other - 1))) {
        bool& drawn = view_.colourDrawn.at(static_cast<std::size_t>(slot - 1));
        drawn = !drawn;
        showView();
        Q_EMIT colourToggled();
    }
    showView();
}

void EvaluationMenu::showView() {
    action("Normalraum1")->setChecked(view_.diagramMode);
    action("Phasenraum1")->setChecked(!view_.diagramMode);
    const char* colours[2] = {"MenuFarbe1", "MenuFarbe2"};
    const char* tables[2] = {"MenuTabelle1", "MenuTabelle2"};
    for (std::size_t i = 0; i < 2; ++i) {
        action(colours[i])->setVisible(view_.colourItemVisible[i]);
        action(colours[i])->setChecked(view_.colourDrawn[i]);
        action(tables[i])->setVisible(view_.tableItemVisible[i]);
        action(tables[i])->setChecked(view_.tableChecked[i]);
    }
    action("N5")->setVisible(view_.tableItemVisible[0]);
}

}  // namespace zebak::gui
