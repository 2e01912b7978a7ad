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

    /// "Farbe 1 analysieren" and "Farbe 2 analysieren".
    QCheckBox* CheckBox1() const { return checkBox1_; }
    QCheckBox* CheckBox2() const { return checkBox2_; }
    /// "Mittelpunkt" / "gefundene Bildpunkte".
    RadioGroup* RadioGroup1() const { return radioGroup1_; }
    /// The centre markers "+" and ".".
    QRadioButton* RadioButton1() const { return radioButton1_; }
    QRadioButton* RadioButton2() const { return radioButton2_; }
    /// "Suchgebiete", "Abweichung", "Objektgrösse", "Hintergrund".
    QCheckBox* CheckBox3() const { return checkBox3_; }
    QCheckBox* CheckBox4() const { return checkBox4_; }
    QCheckBox* CheckBox5() const { return checkBox5_; }
    QCheckBox* CheckBox6() const { return checkBox6_; }
    QLabel* labelbremse() const { return labelbremse_; }
    QScrollBar* ScrollBarBremse() const { return scrollBarBremse_; }

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
