#pragma once

#include <QFrame>
#include <array>

#include "core/SlotSettings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace zebak::gui {

class RadioGroup;

/// The result display panel "Anzeige der Suchergebnisse" (Panel3 of the main window): which
/// colours are analysed, what the searches draw into the search result image, and the brake.
/// Every change of a control is written into the display options at once.
class ResultDisplayPanel : public QFrame {
    Q_OBJECT
  public:
    /// Builds the panel with the options' values; `anzeige` must outlive the panel.
    explicit ResultDisplayPanel(ResultDisplay& anzeige, QWidget* parent = nullptr);

    /// "Farbe 1 analysieren" and "Farbe 2 analysieren" (`CheckBox1`).
    QCheckBox* checkBox1() const { return checkBoxes_[0]; }
    /// `CheckBox2`.
    QCheckBox* checkBox2() const { return checkBoxes_[1]; }
    /// "Mittelpunkt" / "gefundene Bildpunkte" (`RadioGroup1`).
    RadioGroup* radioGroup1() const { return radioGroup1_; }
    /// The centre markers "+" and "." (`RadioButton1`).
    QRadioButton* radioButton1() const { return radioButtons_[0]; }
    /// `RadioButton2`.
    QRadioButton* radioButton2() const { return radioButtons_[1]; }
    /// "Suchgebiete", "Abweichung", "Objektgrösse", "Hintergrund" (`CheckBox3`).
    QCheckBox* checkBox3() const { return checkBoxes_[2]; }
    /// `CheckBox4`.
    QCheckBox* checkBox4() const { return checkBoxes_[3]; }
    /// `CheckBox5`.
    QCheckBox* checkBox5() const { return checkBoxes_[4]; }
    /// `CheckBox6`.
    QCheckBox* checkBox6() const { return checkBoxes_[5]; }
    QLabel* labelbremse() const { return labelbremse_; }
    /// Brings every control in step with the options (after an analysis was opened).
    void showOptions();
    /// `ScrollBarBremse`.
    QScrollBar* brakeBar() const { return scrollBarBremse_; }

  private:
    /// "Farbe 1/2 analysieren", "Mittelpunkt" / "gefundene Bildpunkte" and the centre markers.
    void buildColourAndMarkerChoice();
    /// "Suchgebiete" with "Abweichung" and "Objektgrösse" below it, and "Hintergrund".
    void buildSearchAreaBoxes();
    /// The brake bar and the label that shows its pause.
    void buildBrake();
    /// A check box on `in` that writes the options whenever it is toggled.
    QCheckBox* addCheckBox(const char* name, const QString& text, const QRect& place, QWidget* in);
    void writeToSettings();
    void showBrake(int ms);

    ResultDisplay& anzeige_;
    QGroupBox* groupBox1_ = nullptr;
    /// `CheckBox1` to `CheckBox6`.
    std::array<QCheckBox*, 6> checkBoxes_{};
    RadioGroup* radioGroup1_ = nullptr;
    /// The centre markers "+" (`RadioButton1`) and "." (`RadioButton2`).
    std::array<QRadioButton*, 2> radioButtons_{};
    QLabel* labelbremse_ = nullptr;
    QScrollBar* scrollBarBremse_ = nullptr;
};

}  // namespace zebak::gui
