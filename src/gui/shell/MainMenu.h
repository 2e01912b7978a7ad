#pragma once

#include <QObject>
#include <functional>

class QAction;
class QMainWindow;
class QWidget;

namespace zebak::gui {

class InformationDialog;

/// The main window's menu ("Datei", "Extras", "Hilfe") and its shell commands: quit, the
/// help page, the information dialog and the stroboscope check mark.
class MainMenu : public QObject {
    Q_OBJECT
  public:
    /// Builds the menu bar of `window`.
    explicit MainMenu(QMainWindow* window);

    /// The information dialog "Info" shows.
    void setInfoWindow(InformationDialog* info) { info_ = info; }
    /// Tells "Bild speichern …" whether there is a picture, each time the menu opens.
    void setPictureCheck(std::function<bool()> hasPicture) { hasPicture_ = std::move(hasPicture); }
    /// "Film laden" and the analysis entries are offered (true) or locked while an analysis
    /// runs (false).
    void setLoadEnabled(bool enabled);
    /// "Stroboskopbild": offered after automatic mode; unchecked on a new film (`Stroboskopbild1`).
    QAction* strobeAction() const { return strobe_; }

  Q_SIGNALS:
    /// "Film laden" was chosen.
    void loadRequested();
    /// "Analyse öffnen …" was chosen.
    void openProjectRequested();
    /// "Analyse speichern …" was chosen.
    void saveProjectRequested();
    /// "Bild speichern …" was chosen.
    void savePictureRequested();
    /// "Zebak &Hilfe" (F1) was chosen.
    void helpRequested();

  private:
    QMainWindow* window_;
    InformationDialog* info_ = nullptr;
    QAction* load_ = nullptr;
    QAction* strobe_ = nullptr;
    QAction* savePicture_ = nullptr;
    QAction* openProject_ = nullptr;
    QAction* saveProject_ = nullptr;
    std::function<bool()> hasPicture_;
};

}  // namespace zebak::gui
