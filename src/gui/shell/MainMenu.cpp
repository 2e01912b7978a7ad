#include "gui/shell/MainMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

#include "gui/shell/InformationDialog.h"

namespace zebak::gui {

MainMenu::MainMenu(QMainWindow* window) : QObject(window), window_(window) {
    QMenuBar* bar = window->menuBar();
    bar->setObjectName(QStringLiteral("Menue"));

    QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("Datei1"));
    load_ = file->addAction(QStringLiteral("&Film laden"));
    load_->setObjectName(QStringLiteral("Filmladen1"));
    load_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(load_, &QAction::triggered, this, &MainMenu::loadRequested);
    // The analysis as a project file: film, settings, calibration and tables.
    openProject_ = file->addAction(QStringLiteral("Analyse öffnen …"));
    openProject_->setObjectName(QStringLiteral("Analyseoeffnen1"));
    openProject_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(openProject_, &QAction::triggered, this, &MainMenu::openProjectRequested);
    saveProject_ = file->addAction(QStringLiteral("Analyse speichern …"));
    saveProject_->setObjectName(QStringLiteral("Analysespeichern1"));
    saveProject_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveProject_, &QAction::triggered, this, &MainMenu::saveProjectRequested);
    // Saves the result window's picture, for example a stroboscopic picture.
    savePicture_ = file->addAction(QStringLiteral("Bild speichern …"));
    savePicture_->setObjectName(QStringLiteral("Bildspeichern1"));
    connect(savePicture_, &QAction::triggered, this, &MainMenu::savePictureRequested);
    connect(file, &QMenu::aboutToShow, this,
            [this] { savePicture_->setEnabled(hasPicture_ && hasPicture_()); });
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction* quit = file->addAction(QStringLiteral("&Beenden"));
    quit->setObjectName(QStringLiteral("Beenden1"));
    connect(quit, &QAction::triggered, window_, &QMainWindow::close);

    QMenu* extras = bar->addMenu(QStringLiteral("&Extras"));
    extras->setObjectName(QStringLiteral("Extras1"));
    // The check mark is the stroboscope mode; the main window shows Panel4 while it is set.
    strobe_ = extras->addAction(QStringLiteral("Stro&boskopbild"));
    strobe_->setObjectName(QStringLiteral("Stroboskopbild1"));
    strobe_->setCheckable(true);
    strobe_->setEnabled(false);

    QMenu* help = bar->addMenu(QStringLiteral("&Hilfe"));
    help->setObjectName(QStringLiteral("Hilfe1"));
    QAction* helpPage = help->addAction(QStringLiteral("Zebak &Hilfe"));
    helpPage->setObjectName(QStringLiteral("ZebakHilfe1"));
    helpPage->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpPage, &QAction::triggered, this, &MainMenu::helpRequested);
    help->addSeparator()->setObjectName(QStringLiteral("N2"));
    QAction* info = help->addAction(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("Info1"));
    connect(info, &QAction::triggered, this, [this] {
        if (info_ != nullptr) info_->zeigen();
    });
}

void MainMenu::setLoadEnabled(bool enabled) {
    load_->setEnabled(enabled);
    openProject_->setEnabled(enabled);
    saveProject_->setEnabled(enabled);
}

}  // namespace zebak::gui
