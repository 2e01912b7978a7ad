#pragma once

#include <QFrame>

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
    QCheckBox* checkBox1() const { return checkBox1_; }
    /// `CheckBox2`.
    QCheckBox* checkBox2() const { return checkBox2_; }
    /// "Mittelpunkt" / "gefundene Bildpunkte" (`RadioGroup1`).
    RadioGroup* radioGroup1() const { return radioGroup1_; }
    /// The centre markers "+" and "." (`RadioButton1`).
    QRadioButton* radioButton1() const { return radioButton1_; }
    /// `RadioButton2`.
    QRadioButton* radioButton2() const { return radioButton2_; }
    /// "Suchgebiete", "Abweichung", "Objektgrösse", "Hintergrund" (`CheckBox3`).
    QCheckBox* checkBox3() const { return checkBox3_; }
    /// `CheckBox4`.
    QCheckBox* checkBox4() const { return checkBox4_; }
    /// `CheckBox5`.
    QCheckBox* checkBox5() const { return checkBox5_; }
    /// `CheckBox6`.
    QCheckBox* checkBox6() const { return checkBox6_; }
    QLabel* labelbremse() const { return labelbremse_; }
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
    QCheckBox* checkBox1_ = nullptr;
    QCheckBox* checkBox2_ = nullptr;
    RadioGroup* radioGroup1_ = nullptr;
    QRadioButton* radioButton1_ = nullptr;
    QRadioButton* radioButton2_ = nullptr;
    QCheckBox* checkBox3_ = nullptr;
    QCheckBox* checkBox4_ = nullptr;
    QCheckBox* checkBox5_ = nullptr;
    QCheckBox* checkBox6_ = nullptr;
    QLabel* labelbremse_ = nullptr;
    QScrollBar* scrollBarBremse_ = nullptr;
};

}  // namespace zebak::gui
