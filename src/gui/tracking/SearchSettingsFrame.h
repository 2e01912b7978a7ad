#pragma once

#include <QFrame>

#include "core/AnalysisJob.h"
#include "core/SlotSettings.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace zebak::gui {

class ColourSwatch;
class RadioGroup;
class RgbFields;

/// Search settings frame (`TFrame1`): the settings of one colour slot (mode, tolerances, radii,
/// options), its colour swatch, the typed RGB values and the choice of the current slot. The main
/// window shows it twice, once per slot.
class SearchSettingsFrame : public QFrame {
    Q_OBJECT
  public:
    /// Builds the frame with its own start values (tolerance 42, deviation 30, both options
    /// checked, colour 200, 100, 100); attach() then puts the slot's values in.
    explicit SearchSettingsFrame(QWidget* parent = nullptr);

    /// Shows the settings in the controls and from then on writes every change of a control
    /// into them at once. The settings must outlive the frame.
    void attach(SlotSettings& settings);
    /// Bounds the four number fields by the slot's limits (colour 2's radius and object size
    /// take any integer).
    void applyLimits(const SlotLimits& limits);

    /// Shows or hides the second-search fields (Label4, Zweit_Toleranz, Label5, SpinEdit3).
    void showSecondSearch(bool sichtbar);
    /// Shows or hides "Mögl. Abweichung" (Label3, SpinEdit1) and "Objekt wiedersuchen", the
    /// options of the predicted-position pass.
    void showDeviation(bool sichtbar);

    /// `RadioGroup1`.
    RadioGroup* radioGroup1() const { return radioGroup1_; }
    /// `RadioGroup2`.
    RadioGroup* radioGroup2() const { return radioGroup2_; }
    /// `CheckBox1`.
    QCheckBox* checkBox1() const { return checkBox1_; }
    /// `FarbToleranz`.
    QSpinBox* toleranceField() const { return tolerance_.field; }
    /// `Label2`.
    QLabel* label2() const { return tolerance_.caption; }
    /// The colour swatch (Panel1 with Image1).
    ColourSwatch& swatch() const { return *swatch_; }
    /// The R, G, B edits.
    RgbFields& rgb() const { return *rgb_; }

  private:
    /// A number setting: its caption and its field, shown and hidden together.
    struct NumberRow {
        QLabel* caption = nullptr;
        QSpinBox* field = nullptr;
        void setVisible(bool sichtbar) const;
    };

    void buildSettings();
    void buildSecondSearch();
    /// The region options "Zusammenhängend" and "Subpixel" below the colour assignment.
    void buildRegionOptions();
    /// A check box of the page at `top` whose toggling writes the settings.
    QCheckBox* makeCheckBox(const char* name, const QString& text, int top);
    NumberRow makeNumberRow(const char* caption, const QString& text, const char* field, int wert,
                            int top, int indent);
    void writeToSettings();

    // The colour part: the swatch and the R, G, B fields.
    ColourSwatch* swatch_ = nullptr;
    RgbFields* rgb_ = nullptr;
    // The settings part, written into settings_ as the controls change.
    RadioGroup* radioGroup1_ = nullptr;
    RadioGroup* radioGroup2_ = nullptr;
    NumberRow tolerance_;        // Label2, FarbToleranz
    NumberRow deviation_;        // Label3, SpinEdit1
    NumberRow secondTolerance_;  // Label4, Zweit_Toleranz
    NumberRow objectSize_;       // Label5, SpinEdit3
    QCheckBox* checkBox1_ = nullptr;
    QCheckBox* checkBox2_ = nullptr;
    QCheckBox* reacquire_ = nullptr;
    QCheckBox* connected_ = nullptr;
    QCheckBox* subpixel_ = nullptr;
    SlotSettings* settings_ = nullptr;
    /// Set while the program writes values into the controls, so they are not written back.
    bool loading_ = false;
};

}  // namespace zebak::gui
