#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QString>
#include <array>
#include <vector>

#include "core/Diagrams.h"

class QChart;
class QLineSeries;
class QLocale;
class QValueAxis;
class QWidget;

namespace zebak::gui {

class DiagrammView;

/// The chart of the evaluation window: the view Diagramm, its two axes and eight series
/// (Series1, Series2 crosses of the time diagrams, Series3, Series4 circles of x-y and phase
/// space, Series5, Series6 the lines, Series7, Series8 the fitted curves over the points). It
/// scales the axes to what is shown, shows the hint of a clicked point and saves the picture; which
/// points it shows is the diagram panel's choice.
class DiagramChart : public QObject {
    Q_OBJECT
  public:
    /// Builds the chart view on `area`; the chart lives as long as `area`.
    DiagramChart(QWidget* area, QObject* owner);

    DiagrammView* chartView() const { return view_; }
    /// Series1 ... Series4 for n = 1 ... 4.
    QLineSeries* pointSeries(int n) const { return points_.at(static_cast<std::size_t>(n - 1)); }
    /// Series5 for slot 1, Series6 for slot 2.
    QLineSeries* lineSeries(int slot) const {
        return lines_.at(static_cast<std::size_t>(slot - 1));
    }
    /// Series7 for slot 1, Series8 for slot 2: the "Ausgleichskurve" of the colour.
    QLineSeries* fitSeries(int slot) const { return fits_.at(static_cast<std::size_t>(slot - 1)); }
    QValueAxis* axisX() const { return axisX_; }
    QValueAxis* axisY() const { return axisY_; }

    /// The axis titles of a diagram: left for the y axis, bottom for the x axis.
    void setTitles(const AxisTitles& titles);
    /// Empties the four point series (closing, mode switches).
    void clearPoints();
    /// Empties the point series, both line series and both fitted curves.
    void clearAll();
    /// Empties every series and forgets the zoom, before a new diagram is drawn.
    void startOver();
    /// The zoom goes back to the automatic scale.
    void resetZoom();
    /// Both axes take the range of every point shown, with a small margin.
    void rescale();
    /// Shows or hides both line series.
    void setLinesShown(bool shown);
    /// Saves the diagram shown: as SVG for a name ending in .svg, else as PNG at the chart's
    /// size times the pixel ratio (".png" added to a name without extension). Throws
    /// FileWriteError or std::runtime_error (another extension) with the reason.
    void saveDiagram(const QString& path) const;

  Q_SIGNALS:
    /// The user asked to save the diagram (context menu).
    void saveRequested();

  private:
    static QLineSeries* makePointSeries(int n);
    static void placeTicks(QValueAxis* axis);
    void holdTicks();
    /// Sets both axes to hug the data's stretch with a small margin.
    void hug(double minX, double maxX, double minY, double maxY);
    void addSeries();
    /// The point of a shown point series nearest to a click at `position` of the view, when
    /// its marker is within reach (5 pixels), gets the hint.
    void hintNear(const QPointF& position);
    void showHint(const QPointF& point);

    QChart* chart_ = nullptr;
    DiagrammView* view_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    std::array<QLineSeries*, 4> points_{};
    std::array<QLineSeries*, 2> lines_{};
    std::array<QLineSeries*, 2> fits_{};
};

/// The text of the point hint: "Abszisse: x" and "Ordinate: y" on two lines, the values in the
/// shortest form of up to 15 significant digits with the locale's decimal separator.
QString pointHint(const QPointF& point, const QLocale& locale);

/// The diagram's points as the chart's series take them.
QList<QPointF> toQt(const std::vector<DiagramPoint>& points);

}  // namespace zebak::gui
