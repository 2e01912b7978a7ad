#pragma once

#include <QObject>
#include <QPoint>
#include <array>
#include <optional>

#include "core/Measurement.h"

class QTabWidget;
class QWidget;

namespace zebak::gui {

class ResultDisplayPanel;
class Session;
class DisplayWindow;
class SearchSettingsFrame;

/// The search settings pages of the main window (PageControl1 with SuchEinst1 and SuchEinst2)
/// and the result display panel (Panel3) beside them: the reference colours picked from the
/// display window or typed, the swatches, the current slot with its tab, and which options
/// are offered when. The controls write into the state; decisions read the state.
class SettingsPages : public QObject {
    Q_OBJECT
  public:
    /// Builds the hidden pages and panel on `area` over the session's state.
    SettingsPages(Session& session, QWidget* area, QObject* owner);

    /// The display window whose shown pixels a pick reads.
    void setDisplay(DisplayWindow* display) { display_ = display; }
    QTabWidget* pages() const { return pages_; }
    ResultDisplayPanel* resultPanel() const { return panel3_; }

    /// `clickfarbe`: takes the colour of the display window's pixel at `point` (`KlickX`, `KlickY`)
    /// as the current slot's reference colour; warns when colour 2 comes out too close to colour 1.
    void clickfarbe(QPoint point);
    /// Rewrites the slot's R, G, B edits from its working colour; when `swatch` is set also
    /// redraws the slot's swatch, which sets its assigned mark.
    void showColour(SlotNumber slot, bool swatch);
    /// Shows the slot's settings page ("Farbe 1" / "Farbe 2") and makes the slot current.
    void showPage(SlotNumber slot);
    /// Brings the pages, the swatches and the panel in step with the state's colours,
    /// settings and display options (after an analysis was opened).
    void showSaved();
    /// Shows (automatic mode) or hides (a new film) the pages and the panel.
    void setShown(bool shown);

  private:
    void connectControls();
    /// `SuchEinst`.
    SearchSettingsFrame* settingsFrame(SlotNumber slot) const;
    /// `Farbkontrolle`.
    void checkColourDistance();
    /// Assigns `colour` to slot n as a pick does: values, start colour, swatch, the check.
    void takeColour(SlotNumber n, Rgb colour);
    /// `Farbanzeige`.
    void showSlotColour(SlotNumber slot);
    /// `SuchEinst1Edit1KeyUp`.
    void colourValueTyped(SlotNumber slot, int channel);
    void takeTypedColours();
    /// `SuchEinst1RadioGroup2Click`.
    void slotChoiceClicked(int item);
    /// `PageControl1Change`.
    void pageChanged(int index);
    /// `SuchEinstRadioGroup1Click`.
    void modeClicked(SlotNumber slot);
    /// `SuchEinstCheckBox1Click`.
    void refineClicked(SlotNumber slot);
    /// `RadioGroup1Click`.
    void displayModeClicked();
    /// `CheckBox3Click`.
    void checkBox3Clicked();

    Session& session_;
    DisplayWindow* display_ = nullptr;
    QTabWidget* pages_ = nullptr;
    std::array<SearchSettingsFrame*, 2> frames_{};
    ResultDisplayPanel* panel3_ = nullptr;
    /// The slot a click on the display window assigns ("Farbe1 zuweisen" / "Farbe2 zuweisen").
    SlotNumber currentSlot_ = 1;
    /// Per slot, the median colour around its last pick on the display window.
    std::array<std::optional<Rgb>, 2> medians_{};
};

}  // namespace zebak::gui
