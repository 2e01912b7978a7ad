#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QUrl>
#include <array>
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
class TFrame1;
class ResultDisplayPanel;
class PositionTable;

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

    // ---- Search settings, display window input and position tables.
    /// Refreshes the view of the slot's position table after grid row `row` was written (the
    /// grid's row count may have changed with it); row -1 refreshes the whole table.
    void tabellenAktualisieren(SlotNumber slot, int row);
    /// Shows tabelle1, and Tabelle2 too when "Farbe 2 analysieren" is checked; called after
    /// the tables were prepared (Tabellenvorbereiten).
    void tabellenZeigen();
    /// Rewrites the slot's R, G, B edits from its working colour; when `swatch` is set also
    /// redraws the slot's swatch, which sets its assigned mark.
    void farbeAnzeigen(SlotNumber slot, bool swatch);
    /// Shows the slot's settings page ("Farbe 1" / "Farbe 2") and makes the slot current.
    void seiteZeigen(SlotNumber slot);
    /// Number of short beeps (MessageBeep) sounded so far; the tests listen through it.
    int piepser() const { return piepser_; }

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
    PositionTable* tabelle1 = nullptr;
    PositionTable* Tabelle2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QAction* Stroboskopbild1 = nullptr;

    // ---- Search settings and reference colours (TForm1Search.cpp).
    /// Takes the colour of the display window's pixel (KlickX, KlickY) as the current slot's
    /// reference colour; warns when colour 2 comes out too close to colour 1.
    void clickfarbe();
    void einstellungenVerbinden();
    TFrame1* SuchEinst(SlotNumber slot) const;
    /// The slot a click on the display window assigns: SuchEinst1.RadioGroup2's item + 1.
    SlotNumber aktuellerSlot() const;
    void Farbkontrolle();
    void Farbanzeige(SlotNumber slot);
    void SuchEinst1Edit1KeyUp(SlotNumber slot, int kanal);
    void SuchEinst1RadioGroup2Click(int item);
    void SuchEinst2RadioGroup2Click(int item);
    void PageControl1Change(int index);
    void SuchEinstRadioGroup1Click(SlotNumber slot, int item);
    void SuchEinstCheckBox1Click(SlotNumber slot, bool checked);
    void RadioGroup1Click(int item);
    void CheckBox3Click(bool checked);
    /// MessageBeep with type 0 (standard) or 1.
    void piepen(int typ);

    // Search area and display window input (TForm1Suchgebiet.cpp).
    void anzeigeVerbinden();
    void suchbereicheinschraenkenClick();
    void Form3MouseDown(Qt::MouseButton button, QPoint punkt);
    void Form3MouseMove(QPoint punkt);
    void Form3MouseUp(Qt::MouseButton button, QPoint punkt);
    void Form3KeyDown();
    void suchbereichNormalisieren();

    // Position tables and the evaluation button (TForm1Tables.cpp).
    void tabellenKnoepfeVerbinden();
    void DiagrammBtnClick();
    PositionTable* tabelle(SlotNumber slot) const;
    /// Deletes the widgets that read the state; the state goes before the child widgets do.
    void teileUeberDemZustandLoeschen();

    std::array<TFrame1*, 2> suchEinst_{};
    ResultDisplayPanel* panel3_ = nullptr;
    /// A search-area rectangle is being dragged on the display window.
    bool RahmenZiehen = false;
    int piepser_ = 0;

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
