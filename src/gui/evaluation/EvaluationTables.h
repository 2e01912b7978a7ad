#pragma once

#include <QObject>
#include <array>

#include "core/Measurement.h"

class QScrollArea;
class QWidget;

namespace zebak::gui {

class EvaluationGrid;
struct EvaluationView;

/// The six grids of the evaluation window in their two holders ScrollBox1 (colour 1:
/// Tabelle1, tabelle1v, tabelle1a) and ScrollBox2 (colour 2), over the session's evaluation
/// grids, and the menu's rules for showing them one at a time or side by side. The holders
/// fill the area below the chart (one its whole width, two a half each) and scroll the grids.
class EvaluationTables : public QObject {
    Q_OBJECT
  public:
    /// Builds the hidden holders on `area` over the state's evaluation grids.
    EvaluationTables(Measurement& state, EvaluationView& view, QWidget* area, QObject* owner);

    /// Tabelle1fuellen / Tabelle2fuellen: fills the colour's three grids from its position
    /// table at the given frame rate, the differences over the measurement's step, and shows
    /// them; returns the messages to show.
    std::vector<std::string> fill(SlotNumber slot, int fps);
    /// Shows the colour's three grids as they stand in the state (an opened analysis).
    void showFilled(SlotNumber slot);
    /// Shows the holder of `slot` alone (the other hidden), as an opening does.
    void showOnly(SlotNumber slot);
    /// "Tabelle1" / "Tabelle2" clicked: the check marks and holders after the menu's rules.
    /// (`MenuTabelleClick`)
    void tableMenuClicked(SlotNumber slot);
    /// Closing: every cell emptied, both holders back to the single-table layout.
    void clear();

    QScrollArea* holder(SlotNumber slot) const { return holders_.at(index(slot)); }
    /// The area both holders lie in, below the chart.
    QWidget* area() const { return area_; }
    EvaluationGrid* grid(SlotNumber slot, int which) const;

  Q_SIGNALS:
    /// A key was released in one of the grids.
    void edited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static std::size_t index(SlotNumber slot) { return static_cast<std::size_t>(slot - 1); }
    void buildHolder(SlotNumber slot, QWidget* area);
    void setSideBySide(bool sideBySide);
    void placeHolders();
    void applyView();

    Measurement& state_;
    EvaluationView& view_;
    QWidget* area_ = nullptr;
    bool sideBySide_ = false;
    std::array<QScrollArea*, 2> holders_{};
    /// Per colour: positions, velocities, accelerations.
    std::array<std::array<EvaluationGrid*, 3>, 2> grids_{};
};

}  // namespace zebak::gui
