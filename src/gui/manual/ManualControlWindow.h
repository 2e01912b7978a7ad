#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace zebak::gui {

/// Manual capture control window (`TForm6`) "Manuell": frame number, live coordinates, playback and
/// stepping, calibration and origin, the evaluation, the capture cursor, and in its long
/// form a magnifier. It stays on top and reports what is pressed; the capture acts on it.
class ManualControlWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ManualControlWindow(QWidget* parent = nullptr);

    /// Height of the short and the long form, client pixels.
    static constexpr int kKurz = 255;
    static constexpr int kLang = 560;

    /// Frame number label that the main window keeps in step with the film (`Label3`).
    QLabel* label3() const { return label3_; }
    /// Shows the live coordinates (Label8, Label9).
    void setCoordinates(const QString& x, const QString& y);
    /// The long form (true) with the cursor choice, the help texts and the magnifier.
    void setLongForm(bool on);
    bool longForm() const { return longForm_; }
    /// Shows `picture` around `centre` four times enlarged with a cross-hair at the centre.
    void zeigeLupe(const QImage& picture, QPoint centre);
    /// The magnifier's picture as last drawn.
    QImage lupenbild() const;
    /// Gives up to the calibration (1 pixel high, so it covers nothing) or back (false).
    void setShrunk(bool shrunk);

  Q_SIGNALS:
    /// The buttons, by their names: SpeedButton1, SpeedButton2, ToolButton1 to 3,
    /// kalibrierenBtn, NullpunktBtn, DiagrammBtn.
    void playClicked();
    void stopClicked();
    void anfangClicked();
    void zurueckClicked();
    void vorClicked();
    void kalibrierenClicked();
    void nullpunktClicked();
    void diagrammClicked();
    /// Image1, Image2 or Image3 was clicked: the overlay takes cursor 1, 2 or 3.
    void cursorGewaehlt(int number);
    /// The window was closed (FormClose): manual capture ends.
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildButtons();
    void buildLongForm();
    QLabel* clickablePicture(const char* name, const QPixmap& pixmap, const QRect& place,
                             const QString& hint, QWidget* parent);

    QLabel* label3_ = nullptr;
    QLabel* label8_ = nullptr;
    QLabel* label9_ = nullptr;
    QLabel* image4_ = nullptr;
    QLabel* image5_ = nullptr;
    QLabel* lupe_ = nullptr;
    bool longForm_ = false;
    int heightBeforeShrink_ = 0;
};

}  // namespace zebak::gui
