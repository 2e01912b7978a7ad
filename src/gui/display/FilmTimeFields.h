#pragma once

#include <QObject>
#include <QString>

class QCheckBox;
class QLabel;
class QSpinBox;
class QWidget;

namespace zebak::gui {

class Session;

/// The film's timing on the player panel: "Bilder/s" (SpinEdit1), the size text (Label5) and
/// "Zeiten aus dem Film" (ZeitenAusDemFilm). The state follows every change of a control.
class FilmTimeFields : public QObject {
    Q_OBJECT
  public:
    /// Builds the fields on `panel`; the session must outlive them.
    FilmTimeFields(Session& session, QWidget* panel);

    /// A film was loaded and the state set up for it: the size text, its rate, and whether
    /// it gives its frames' times.
    void filmLoaded(const QString& sizeText);
    /// The rate and "Zeiten aus dem Film" show the state's timing.
    void showTiming();
    /// "Zeiten aus dem Film" set by the program (after the question on loading an unevenly
    /// spaced film); the state follows.
    void setTimesFromFilm(bool on);

  private:
    Session& session_;
    QSpinBox* frameRate_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QCheckBox* timesFromFilm_ = nullptr;
};

}  // namespace zebak::gui
