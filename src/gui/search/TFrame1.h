#pragma once

#include <QFrame>
#include <array>

#include "core/Colour.h"
#include "core/SearchSettings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace zebak::gui {

class RadioGroup;

/// Search settings frame: the settings of one colour slot (mode, tolerances, radii, options),
/// its colour swatch, the typed RGB values and the choice of the current slot. The main window
/// shows it twice, once per slot.
class TFrame1 : public QFrame {
    Q_OBJECT
  public:
    /// Builds the frame with its own start values (tolerance 42, deviation 30, both options
    /// checked, colour 200, 100, 100); attach() then puts the slot's values in.
    explicit TFrame1(QWidget* parent = nullptr);

    /// Shows the settings in the controls and from then on writes every change of a control
    /// into them at once. The settings must outlive the frame.
    void attach(SearchSettings& settings);
    /// Removes the range check of "Mögl. Abweichung" and "Objektgrösse" (any integer).
    void withoutLimits();

    /// Writes the colour into the R, G, B edits as decimal numbers.
    void writeColour(Rgb colour);
    /// Draws the swatch of the colour into Image1: background, colour bar, three tracks and
    /// one level bar per channel whose length is the channel div 5 pixels.
    void drawSwatch(Rgb colour);
    /// Shows or hides the second-search fields (Label4, Zweit_Toleranz, Label5, SpinEdit3).
    void showSecondSearch(bool sichtbar);
    /// Shows or hides "Mögl. Abweichung" (Label3, SpinEdit1) and "Objekt wiedersuchen", the
    /// options of the predicted-position pass.
    void showDeviation(bool sichtbar);

    RadioGroup* RadioGroup1() const { return radioGroup1_; }
    RadioGroup* RadioGroup2() const { return radioGroup2_; }
    QCheckBox* CheckBox1() const { return checkBox1_; }
    /// "Objekt wiedersuchen" (ObjektWiedersuchen).
    QCheckBox* reacquireBox() const { return reacquire_; }
    QSpinBox* FarbToleranz() const { return farbToleranz_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Image1() const { return image1_; }
    /// Edit1, Edit2, Edit3: the red, green and blue edit (kanal 0, 1, 2).
    QLineEdit* Edit(int kanal) const { return edits_.at(static_cast<std::size_t>(kanal)); }

  Q_SIGNALS:
    /// A key was released in the edit of the channel (0 red, 1 green, 2 blue).
    void editKeyReleased(int kanal);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildSettings();
    void buildSecondSearch();
    void buildSwatch();
    void buildRgbFields();
    void writeToSettings();
    QLabel* makeCaption(const char* name, const QString& text, const QRect& place);
    QSpinBox* makeNumberField(const char* name, int wert, const QRect& place);

    SearchSettings* settings_ = nullptr;
    /// Set while the program writes values into the controls, so they are not written back.
    bool loading_ = false;

    RadioGroup* radioGroup1_ = nullptr;
    RadioGroup* radioGroup2_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label5_ = nullptr;
    QSpinBox* farbToleranz_ = nullptr;
    QSpinBox* spinEdit1_ = nullptr;
    QSpinBox* zweitToleranz_ = nullptr;
    QSpinBox* spinEdit3_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QCheckBox* checkBox2_ = nullptr;
    QCheckBox* reacquire_ = nullptr;
    QLabel* image1_ = nullptr;
    std::array<QLineEdit*, 3> edits_{};
};

/// The key filter of the RGB edits: digits and backspace pass, as do keys that type no
/// character (arrows, Delete), focus keys and the edit's own shortcuts (Ctrl+A, C, X, V, Z,
/// Y, Ctrl/Shift+Insert); every other key is discarded.
bool rgbTasteZulassen(int key, const QString& text,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace zebak::gui
