#pragma once

#include <QMainWindow>
#include <QRect>
#include <QString>
#include <QUrl>
#include <memory>

#include "core/ProgramState.h"

class QAction;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTimer;
class QToolButton;
class QWidget;

namespace zebak {
class FfmsFrameSource;
}

namespace zebak::gui {

class Dialogs;
class GuiHost;
class Sound;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;

/// The secondary windows the main window works with; all created before it is used.
struct Nebenfenster {
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    TForm6* form6 = nullptr;
    TForm7* form7 = nullptr;
    TForm8* form8 = nullptr;
    TForm9* form9 = nullptr;
};

/// Main window: film controls, search settings, analysis buttons and position tables. It owns
/// the shared program state and the open film.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    /// Builds the window with its start values; dialogs must outlive the window.
    explicit TForm1(Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    /// Hands over the secondary windows; call once, right after they are created.
    void setNebenfenster(const Nebenfenster& fenster);

    ProgramState& state() { return state_; }
    const ProgramState& state() const { return state_; }
    /// The open film, nullptr before the first successful load.
    FfmsFrameSource* film() const { return film_.get(); }
    Sound& sound() { return *sound_; }

    /// Loads the film at path as if it had been chosen in the open dialog; false when it
    /// could not be opened (the error box has been shown) or opening was cancelled.
    bool filmLaden(const QString& path);

    /// Frame source operations used by every part of the program.
    void gehezu(int n);
    int aktuellesBild() const;
    int bildanzahl() const;
    /// Waits ms milliseconds while the program keeps handling events (at least once; a
    /// pause of 0 lasts until the millisecond clock has moved on).
    static void Pause(int ms);
    /// Redraws the current frame by going to the end and back.
    void Filmerscheine();
    /// True when the current frame shows a picture (not one flat colour along the diagonal).
    bool filmSichtbar() const;
    void Kontextoeffnen();
    void Kontextfreigeben();

    /// The help page, resolved against the current working directory.
    static QUrl hilfeUrl();

    // Position tables and settings pages as the analyses update them (TForm1Bridge.cpp).
    /// Copies row `row` of the slot's position grid into its table (-1: the whole table).
    void tabellenAktualisieren(SlotNumber slot, int row);
    /// Shows tabelle1, and Tabelle2 when colour 2 is analysed.
    void tabellenZeigen();
    /// The slot's working colour changed; with `swatch` its swatch is to be redrawn.
    void farbeAnzeigen(SlotNumber slot, bool swatch);
    /// Shows the settings page of the slot ("Farbe 1" or "Farbe 2").
    void seiteZeigen(SlotNumber slot);

  Q_SIGNALS:
    /// The main window was closed: the program ends.
    void geschlossen();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Construction (TForm1.cpp).
    void FormCreate();
    void bauen();
    void bauePanel2();
    void baueAnalyseKnoepfe();
    void baueSuchseiten();
    void baueTabellen();
    QPushButton* knopf(const QString& name, const QString& text, const QString& hint,
                       const QRect& place, QWidget* parent = nullptr);
    QFrame* tafel(QWidget* parent);
    QLabel* beschriftung(const QString& name, const QString& text, const QRect& place,
                         QWidget* parent);

    // Menu and shell commands (TForm1Menu.cpp).
    void baueMenue();
    void Beenden1Click();
    void ZebakHilfe1Click();
    void Info1Click();
    void Stroboskopbild1Click();

    // Film loading (TForm1Film.cpp).
    void Film_LadenClick();
    void Filmladen1Click();
    std::unique_ptr<FfmsFrameSource> oeffnen(const QString& path);
    void menueZuruecksetzen();
    void Videoabmessungen();
    void Videooeffnen();
    void nachDemLaden();
    void AutomatischBtnClick();

    // Player panel and navigation (TForm1Player.cpp).
    void bauePanel1();
    void baueMediaPlayer();
    void baueBalken();
    void baueBereichswiedergabe();
    void Bildnummer();
    void ScrollBar1Scroll();
    void ScrollBar2Change(int position);
    void ScrollBar3Change(int position);
    void SpeedButton2Click();
    void SpeedButton1Click();
    void Timer1Timer();
    void MediaPlayer1Notify();
    void spielerPlay();
    void spielerSchritt();
    void spielerHalt();
    void spielerEnde();
    void spielerAnfang();

    Dialogs& dialogs_;
    ProgramState state_;
    std::unique_ptr<FfmsFrameSource> film_;
    Sound* sound_ = nullptr;
    Nebenfenster fenster_;

    QLabel* Image1 = nullptr;
    QPushButton* Film_Laden = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel3 = nullptr;
    QWidget* Panel4 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* MediaPlayer1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QScrollBar* ScrollBar2 = nullptr;
    QScrollBar* ScrollBar3 = nullptr;
    QScrollBar* ScrollBarBremse = nullptr;
    QLabel* labelbremse = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* abspielTakt_ = nullptr;
    QPushButton* suchbereicheinschraenken = nullptr;
    QPushButton* AnalyseBtn = nullptr;
    QPushButton* EichenBtn = nullptr;
    QPushButton* FilmAnalyseBtn = nullptr;
    QPushButton* DiagrammBtn = nullptr;
    QTableWidget* tabelle1 = nullptr;
    QTableWidget* Tabelle2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QAction* Stroboskopbild1 = nullptr;

    // Film and still-frame analysis (TForm1Analysis.cpp).
    void baueAnalyseAnzeige();
    void analyseEinrichten();
    void steuerungLesen();
    template <typename Befehl>
    void analyseAusfuehren(Befehl befehl);
    void FilmAnalyseBtnClick();
    void AnalyseBtnClick();
    void AbbrechenBtnClick();
    std::unique_ptr<GuiHost> host_;
    QPushButton* AbbrechenBtn = nullptr;
    QLabel* Panel5 = nullptr;
    QLabel* Label8 = nullptr;
};

}  // namespace zebak::gui
