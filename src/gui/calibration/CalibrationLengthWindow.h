#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace zebak::gui {

/// Calibration length window (`TForm5`) "Kalibrierung": asks for the real length of the clicked
/// line. It stays on top, has no title-bar buttons and cannot be closed while a length is awaited;
/// Edit1 keeps the last text typed between calibrations.
class CalibrationLengthWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CalibrationLengthWindow(QWidget* parent = nullptr);

    /// Shows the window in front with the focus in Edit1 and waits for a length.
    void laengeErfragen();
    /// Hides the window: the length was taken, or the calibration was given up.
    void finish();
    /// The length box (Edit1); its text is the length in metres.
    QLineEdit* edit1() const { return edit1_; }
    /// "OK" (BitBtn1).
    QPushButton* bitBtn1() const { return bitBtn1_; }

  Q_SIGNALS:
    /// OK was pressed (BitBtn1Click) with this text in Edit1; the receiver decides whether it
    /// is a length, and calls finish() when it is.
    void laengeEingegeben(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QLineEdit* edit1_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
    bool waiting_ = false;
};

}  // namespace zebak::gui
