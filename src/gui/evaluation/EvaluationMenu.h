#pragma once

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace zebak::gui {

struct EvaluationView;

/// The menu of the evaluation window: "Datei" (export, "Diagramm speichern …", closing),
/// "&Ansicht" (diagram or phase space, the colours drawn, the tables shown) and "&Hilfe".
/// Its check marks and visibility follow the view.
class EvaluationMenu : public QObject {
    Q_OBJECT
  public:
    EvaluationMenu(EvaluationView& view, QMainWindow* window);

    /// Brings check marks and visibility in step with the view.
    void showView();

    QAction* action(const char* name) const;

  Q_SIGNALS:
    void closeRequested();
    /// "&Speichern": the export panel's export.
    void exportRequested();
    void saveDiagramRequested();
    /// "&Diagramm" (true) or "&Phasenraum" (false) chosen while not checked.
    void modeChosen(bool diagramMode);
    /// "Farbe1" / "Farbe2" inverted its check mark.
    void colourToggled();
    /// "Tabelle1" / "Tabelle2" clicked.
    void tableClicked(int slot);
    void infoRequested();
    /// "Zebak &Hilfe" (F1) was chosen.
    void helpRequested();

  private:
    QAction* add(QMenu* menu, const char* name, const QString& text);
    void buildFileMenu(QMainWindow* window);
    void buildViewMenu(QMainWindow* window);
    void buildHelpMenu(QMainWindow* window);
    /// `MenuFarbeClick`.
    void colourMenuClicked(int slot);

    EvaluationView& view_;
    QMenu* viewMenu_ = nullptr;
};

}  // namespace zebak::gui
