#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace zebak::gui {

/// Lets a film be dragged onto a window: a drag that brings exactly one local file is
/// accepted while `allowed` says so, and dropping it hands the file's path to `load`.
class FilmDrop : public QObject {
    Q_OBJECT
  public:
    FilmDrop(QWidget* window, std::function<bool()> allowed,
             std::function<void(const QString&)> load);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<bool()> allowed_;
    std::function<void(const QString&)> load_;
};

}  // namespace zebak::gui
