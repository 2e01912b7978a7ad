#pragma once

#include <QObject>
#include <QSpinBox>

class QPushButton;
class QWidget;

namespace zebak::gui {

struct EvaluationView;

/// The strength field SpinEdit1: 1 to 9 in steps of 2, stepped with its arrows or the Up and
/// Down keys only; typed digits, Backspace and Delete are discarded.
class StrengthSpinBox : public QSpinBox {
    Q_OBJECT
  public:
    explicit StrengthSpinBox(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

/// The trend-line panel Panel2: the button Trendlinie that switches both line series, the
/// caption "Stärke der" / "Glättung:" and the strength field.
class TrendLinePanel : public QObject {
    Q_OBJECT
  public:
    TrendLinePanel(EvaluationView& view, QWidget* area, QObject* owner);

    /// The field shows the view's strength (after a diagram set it back to 1).
    void showStrength();
    /// Shows or hides the panel (diagram mode / phase space).
    void setShown(bool shown);
    QWidget* panel() const { return panel_; }
    QSpinBox* strengthField() const { return spin_; }
    QPushButton* button() const { return button_; }

  Q_SIGNALS:
    /// SpinEdit1Change: the strength in the view changed.
    void strengthChanged();
    /// TrendlinieClick: the lines are to be shown (true) or hidden.
    void linesToggled(bool shown);

  private:
    /// `SpinEdit1Change`.
    void strengthEdited(int value);
    /// `TrendlinieClick`.
    void trendLineClicked();

    EvaluationView& view_;
    QWidget* panel_ = nullptr;
    QPushButton* button_ = nullptr;
    StrengthSpinBox* spin_ = nullptr;
    /// Set while the program writes the view's strength into the field.
    bool loading_ = false;
};

}  // namespace zebak::gui
