#pragma once

#include <QObject>

class QLabel;
class QPushButton;
class QRect;
class QWidget;

namespace zebak::gui {

/// The main window's start screen and film choice: the start picture (Image1) with the
/// button "Film Laden" before the first film, and after a load the panel Panel2 that asks
/// "Wie soll die Analyse erfolgen?" with "Manuell" and "Automatisch".
class StartScreen : public QObject {
    Q_OBJECT
  public:
    /// Builds the start picture at `picture` and the button "Film Laden" on `area`.
    StartScreen(QWidget* area, const QRect& picture, QObject* owner);

    /// Builds the hidden choice panel. The window calls it after building the player panel,
    /// so the choice lies above that panel and follows it in the focus order.
    void buildChoicePanel();
    /// A film was loaded: the picture and the button give way to the choice panel.
    void showChoice();
    /// "Automatisch" chosen (by its button, or by an opened analysis): the choice goes away.
    void chooseAutomatic();

  Q_SIGNALS:
    /// "Film Laden" was pressed.
    void loadRequested();
    /// "Manuell" was pressed.
    void manualChosen();
    /// "Automatisch" was pressed; the choice panel and the picture are already hidden.
    void automaticChosen();

  private:
    QWidget* area_;
    /// `Image1`, `Image1`.
    QLabel* picture_ = nullptr;
    /// `Film_Laden`.
    QPushButton* loadButton_ = nullptr;
    /// `Panel2`.
    QWidget* choicePanel_ = nullptr;
};

}  // namespace zebak::gui
