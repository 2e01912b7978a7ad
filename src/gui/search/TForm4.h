#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

namespace zebak::gui {

/// Search result window: the picture into which the searches draw what they found.
class TForm4 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm4(QWidget* parent = nullptr);

    /// The result picture.
    const QImage& bild() const { return bild_; }
    /// Makes the result picture white at w x h pixels and shows it.
    void bildLoeschen(int w, int h);

  private:
    QLabel* image1_ = nullptr;
    QImage bild_;
};

}  // namespace zebak::gui
