#pragma once

#include <QObject>
#include <initializer_list>
#include <map>

#include "core/Diagrams.h"
#include "core/Measurement.h"

class QGroupBox;
class QRadioButton;
class QWidget;

namespace zebak::gui {

class DiagramChart;
struct EvaluationView;

/// The diagrams of the evaluation window: the chart, the "Diagramme" group GroupBox1 and the
/// "Phasenraum" group GroupBox2. A button of a group chooses the diagram; its points come from
/// the core's diagram tables over the state's evaluation grids.
class DiagramPanel : public QObject {
    Q_OBJECT
  public:
    DiagramPanel(const Measurement& state, EvaluationView& view, QWidget* area, QObject* owner);

    /// RadioClick: draws diagram `d` of the "Diagramme" group for every drawn colour.
    void drawDiagram(Diagram d);
    /// Radioclick2: draws diagram `d` of the "Phasenraum" group; the zoom stays.
    void drawPhaseDiagram(Diagram d);
    /// refresh: draws the diagram chosen in the "Diagramme" group again.
    void refresh();
    /// Switches between the two button groups and draws the x-y or x-vx diagram.
    void setDiagramMode(bool diagramMode);
    /// The trend lines of the chosen diagram at the view's strength (SpinEdit1Change).
    void redrawTrendLines();

    DiagramChart& chart() const { return *chart_; }
    QRadioButton* button(Diagram d) const { return buttons_.at(d); }

  Q_SIGNALS:
    /// "x - t" or "y - t" was drawn: the smoothing strength is back at 1.
    void strengthReset();
    /// A diagram of either group was drawn and the axes scaled to it.
    void diagramDrawn();

  private:
    QGroupBox* buildGroup(const char* name, const QString& title, std::initializer_list<Diagram> ds,
                          QWidget* area);
    void buildPhaseGroup(QWidget* area);
    void drawPoints(Diagram d, SlotNumber slot, bool timeSeries);

    const Measurement& state_;
    EvaluationView& view_;
    DiagramChart* chart_ = nullptr;
    std::map<Diagram, QRadioButton*> buttons_;
    QGroupBox* groupBox1_ = nullptr;
    QGroupBox* groupBox2_ = nullptr;
};

}  // namespace zebak::gui
