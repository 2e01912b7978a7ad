#pragma once

#include <QMainWindow>
#include <functional>

#include "gui/evaluation/EvaluationView.h"

class QPushButton;
class QSplitter;

namespace zebak::gui {

class DiagramPanel;
class EvaluationMenu;
class EvaluationTables;
class ExportPanel;
class FitPanel;
class Session;
class TrendLinePanel;

/// Evaluation window (`TForm8`): a shell that composes the kinematics tables, the diagram panel,
/// the trend-line panel, the fit controls, the export panel and the menu over the session's
/// grids.
class EvaluationWindow : public QMainWindow {
    Q_OBJECT
  public:
    /// Builds the hidden window over the session, which must outlive it.
    explicit EvaluationWindow(Session& session, QWidget* parent = nullptr);
    ~EvaluationWindow() override;

    /// Opens the window for the analysed colours: fills their tables from the position tables,
    /// sets the menu, draws the x-y diagram and brings the window to the front.
    void openWindow();
    /// What "&Info" does: shows the information dialog (`TForm9`).
    void setShowInfo(std::function<void()> showInfo) { showInfo_ = std::move(showInfo); }

    /// Opens the window over the grids the state holds (an opened analysis), without filling
    /// them anew, at the diagram and strength of the state's evaluation choices.
    void openSaved();
    /// The diagram and strength shown, into the state's evaluation choices (before a save).
    void keepChoices();
    const EvaluationView& view() const { return view_; }
    DiagramPanel& diagrams() { return *diagrams_; }
    TrendLinePanel& trend() { return *trend_; }
    EvaluationTables& tables() { return *tables_; }
    EvaluationMenu& menu() { return *menu_; }
    ExportPanel& exportPanel() { return *export_; }
    FitPanel& fits() { return *fits_; }

  Q_SIGNALS:
    /// The window was closed and its tables emptied: the main window shows the film again.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void buildExitAndExport(QWidget* area);
    void buildSplitter(QWidget* area);
    void connectParts();
    void setUpView(bool colour1, bool colour2);
    void fillAndReport(int slot);
    /// The difference step changed: the analysed colours' grids are filled again and the
    /// diagram shown is drawn from them.
    void refill();
    void chooseMode(bool diagramMode);
    void saveDiagram();
    void layOut();

    Session& session_;
    EvaluationView view_;
    DiagramPanel* diagrams_ = nullptr;
    TrendLinePanel* trend_ = nullptr;
    EvaluationTables* tables_ = nullptr;
    EvaluationMenu* menu_ = nullptr;
    ExportPanel* export_ = nullptr;
    FitPanel* fits_ = nullptr;
    QPushButton* exit_ = nullptr;
    QSplitter* splitter_ = nullptr;
    std::function<void()> showInfo_;
};

}  // namespace zebak::gui
