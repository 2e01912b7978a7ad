#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include "core/Measurement.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace zebak::gui {

class DiagramChart;
struct EvaluationView;

/// The fit controls of the evaluation window: the frame Panel4 with "Differenz über n Bilder"
/// (SpinDifferenz) and "Ausgleichskurve" (a box of keine, Gerade, Parabel, Sinus), and the
/// panel Ausgleichspanel on the chart that lists each fitted colour's parameters with their
/// errors. The model is fitted to the drawn colours' points of the time diagram shown that lie
/// inside the visible range, so a zoom chooses the rows; the curves are drawn over the points.
/// Both choices live in the measurement.
class FitPanel : public QObject {
    Q_OBJECT
  public:
    FitPanel(Measurement& state, const EvaluationView& view, DiagramChart& chart, QWidget* area,
             QObject* owner);

    /// The fields show the measurement's difference step and model (an opening).
    void showChoices();
    /// Fits the chosen model again and draws its curves; without a model, outside the time
    /// diagrams or without points the curves go and the panel hides.
    void refit();

    QSpinBox* spreadField() const { return spread_; }
    QComboBox* modelField() const { return model_; }
    QFrame* resultPanel() const { return panel_; }
    QPushButton* copyButton() const { return copy_; }
    /// The text the panel shows (and "Kopieren" copies).
    QString resultText() const;

  Q_SIGNALS:
    /// The difference step changed: the grids are to be filled again.
    void spreadChanged();

  private:
    void buildControls(QWidget* area);
    void buildResultPanel();
    /// Puts the panel into the plot corner that hides the fewest points.
    void place();
    void copyText() const;

    Measurement& state_;
    const EvaluationView& view_;
    DiagramChart& chart_;
    QSpinBox* spread_ = nullptr;
    QComboBox* model_ = nullptr;
    QFrame* panel_ = nullptr;
    QLabel* text_ = nullptr;
    QPushButton* copy_ = nullptr;
    /// Gathers the range changes of a zoom (each axis reports) into one fit.
    QTimer pending_;
    /// Set while the program writes the measurement's choices into the fields.
    bool loading_ = false;
};

}  // namespace zebak::gui
