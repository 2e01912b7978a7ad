#pragma once

#include <QChartView>
#include <QObject>
#include <array>
#include <map>

#include "core/Diagrams.h"
#include "core/ProgramState.h"

class QGroupBox;
class QLineSeries;
class QRadioButton;
class QValueAxis;
class QWidget;

namespace zebak::gui {

struct EvaluationView;

/// The chart Diagramm: a chart view that zooms with a rubber band and the wheel, reports a
/// double click, and offers "Diagramm speichern …" on the right button instead of zooming out.
class DiagrammView : public QChartView {
    Q_OBJECT
  public:
    explicit DiagrammView(QChart* chart, QWidget* parent = nullptr);

  Q_SIGNALS:
    void doubleClicked();
    void saveRequested();
    /// A left click that did not drag a rubber band, at this place of the view.
    void clickedAt(const QPointF& position);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QPointF pressedAt_;
};

/// The diagrams of the evaluation window: the chart with its six series (Series1, Series2
/// crosses of the time diagrams, Series3, Series4 circles of x-y and phase space, Series5,
/// Series6 the lines), the "Diagramme" group GroupBox1 and the "Phasenraum" group GroupBox2.
/// Points come from the core's diagram tables over the state's evaluation grids.
class DiagramPanel : public QObject {
    Q_OBJECT
  public:
    DiagramPanel(const ProgramState& state, EvaluationView& view, QWidget* area, QObject* owner);

    /// RadioClick: draws diagram `d` of the "Diagramme" group for every drawn colour.
    void RadioClick(Diagram d);
    /// Radioclick2: draws diagram `d` of the "Phasenraum" group; the zoom stays.
    void Radioclick2(Diagram d);
    /// refresh: draws the diagram chosen in the "Diagramme" group again.
    void refresh();
    /// Switches between the two button groups and draws the x-y or x-vx diagram.
    void setDiagramMode(bool diagramMode);
    /// The trend lines of the chosen diagram at the view's strength (SpinEdit1Change).
    void redrawTrendLines();
    /// Shows or hides both line series.
    void setLinesShown(bool shown);
    /// The zoom goes back to the automatic scale.
    void resetZoom();
    /// Empties the four point series (closing, mode switches).
    void clearPoints();
    /// Saves the diagram shown: as SVG for a name ending in .svg, else as PNG at the chart's
    /// size times the pixel ratio (".png" added to a name without extension). Throws
    /// FileWriteError or std::runtime_error (another extension) with the reason.
    void saveDiagram(const QString& path) const;

    DiagrammView* chartView() const { return view_widget_; }
    QLineSeries* pointSeries(int n) const { return points_.at(static_cast<std::size_t>(n - 1)); }
    QLineSeries* lineSeries(int slot) const {
        return lines_.at(static_cast<std::size_t>(slot - 1));
    }
    QValueAxis* axisX() const { return axisX_; }
    QValueAxis* axisY() const { return axisY_; }
    QRadioButton* button(Diagram d) const { return buttons_.at(d); }

  Q_SIGNALS:
    /// "x - t" or "y - t" was drawn: the smoothing strength is back at 1.
    void strengthReset();
    /// The user asked to save the diagram (context menu).
    void saveRequested();

  private:
    void buildChart(QWidget* area);
    static QLineSeries* makePointSeries(int n);
    QGroupBox* buildGroup(const char* name, const QString& title, std::initializer_list<Diagram> ds,
                          QWidget* area);
    void drawPoints(Diagram d, SlotNumber slot, bool timeSeries);
    void setTitles(Diagram d, SlotNumber slot);
    void clearAll();
    void rescale();
    void showHint(const QPointF& point);
    /// The point of a shown point series nearest to a click at `position` of the view, when
    /// its marker is within reach (5 pixels), gets the hint.
    void hintNear(const QPointF& position);

    const ProgramState& state_;
    EvaluationView& view_;
    QChart* chart_ = nullptr;
    DiagrammView* view_widget_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    std::array<QLineSeries*, 4> points_{};
    std::array<QLineSeries*, 2> lines_{};
    std::map<Diagram, QRadioButton*> buttons_;
    QGroupBox* groupBox1_ = nullptr;
    QGroupBox* groupBox2_ = nullptr;
};

/// The text of the point hint: "Abszisse: x" and "Ordinate: y" on two lines, the values in the
/// shortest form of up to 15 significant digits with the locale's decimal separator.
QString pointHint(const QPointF& point, const QLocale& locale);

}  // namespace zebak::gui
