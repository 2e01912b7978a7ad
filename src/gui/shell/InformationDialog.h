#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

class QUrl;

namespace zebak::gui {

/// Information dialog (`TForm9`): program name, version, date, web address and credits.
class InformationDialog : public QWidget {
    Q_OBJECT
  public:
    /// The licence file (LICENSE), found as the help page is.
    static QUrl licenceUrl();
    explicit InformationDialog(QWidget* parent = nullptr);

    /// Shows the dialog centred on the screen without waiting for it.
    void zeigen();

  private:
    QLabel* addLabel(const QString& name, const QString& text, int top, int height = 17);
    QLabel* addLink(const QString& name, const QString& text, const QUrl& url, int top);
};

}  // namespace zebak::gui
