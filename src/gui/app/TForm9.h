#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace zebak::gui {

/// Information dialog: program name, version, date, web address and credits.
class TForm9 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm9(QWidget* parent = nullptr);

    /// Shows the dialog centred on the screen without waiting for it.
    void zeigen();

  private:
    QLabel* addLabel(const QString& name, const QString& text, int top, int height = 17);
    QLabel* addLink(const QString& name, const QString& url, int top);
};

}  // namespace zebak::gui
