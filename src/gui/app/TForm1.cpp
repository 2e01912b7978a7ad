#include "gui/app/TForm1.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "gui/analysis/GuiHost.h"
#include "gui/app/Dialogs.h"
#include "gui/app/Sound.h"
#include "media/FfmsFrameSource.h"

namespace zebak::gui {

namespace {
/// The window's client area is laid out for this size; it opens maximised.
constexpr int kEntwurfBreite = 1012;
constexpr int kEntwurfHoehe = 653;
}  // namespace

TForm1::TForm1(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zebak3.51"));
    sound_ = new Sound(this);
    bauen();
    baueMenue();
    FormCreate();
    resize(kEntwurfBreite, kEntwurfHoehe + 25);
    setWindowState(Qt::WindowMaximized);
}

TForm1::~TForm1() {
    // The tables and the settings pages work on the state, which is destroyed before the
    // child widgets are: they go first.
    teileUeberDemZustandLoeschen();
}

void TForm1::setNebenfenster(const Nebenfenster& fenster) {
    fenster_ = fenster;
    anzeigeVerbinden();
    analyseEinrichten();
}

void TForm1::FormCreate() {
    state_.EichungLaeuft = 0;
    state_.Eichschritt = 0;
    state_.Eichfaktor = 1.0;
    state_.Eichfaktoralt = 1.0;
    Memo1->clear();
    Memo2->clear();
    for (SlotNumber n : {1, 2}) state_.slot(n).Farbe = Rgb{100, 100, 100};
    // The start picture fills the client area except a margin at the right and the bottom.
    Image1->setGeometry(0, 0, kEntwurfBreite - 11, kEntwurfHoehe - 62);
}

void TForm1::bauen() {
    auto* flaeche = new QWidget(this);
    flaeche->setObjectName(QStringLiteral("Flaeche"));
    flaeche->setMinimumSize(kEntwurfBreite, kEntwurfHoehe);
    setCentralWidget(flaeche);

    Image1 = new QLabel(flaeche);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/start.png")));
    Image1->setScaledContents(true);
    Image1->setGeometry(0, 0, 721, 449);

    Film_Laden = knopf(QStringLiteral("Film_Laden"), QStringLiteral("&Film Laden"),
                       QStringLiteral("Einen Film öffnen"), QRect(440, 80, 233, 65));
    QFont gross = Film_Laden->font();
    gross.setPointSize(16);
    gross.setBold(true);
    Film_Laden->setFont(gross);
    connect(Film_Laden, &QPushButton::clicked, this, &TForm1::Film_LadenClick);

    bauePanel1();
    bauePanel2();
    baueSuchseiten();
    baueAnalyseKnoepfe();
    baueTabellen();
    baueAnalyseAnzeige();

    Panel4 = tafel(flaeche);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setGeometry(5, 600, 521, 57);
    Panel4->setStyleSheet(QStringLiteral("background: black;"));
    Panel4->hide();
}

QPushButton* TForm1::knopf(const QString& name, const QString& text, const QString& hint,
                           const QRect& place, QWidget* parent) {
    auto* button = new QPushButton(text, parent != nullptr ? parent : centralWidget());
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setGeometry(place);
    return button;
}

QFrame* TForm1::tafel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* TForm1::beschriftung(const QString& name, const QString& text, const QRect& place,
                             QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

void TForm1::bauePanel2() {
    Panel2 = tafel(centralWidget());
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(440, 80, 260, 160);
    Panel2->setAutoFillBackground(true);
    beschriftung(QStringLiteral("Label4"), QStringLiteral("Wie soll die Analyse erfolgen?"),
                 QRect(16, 12, 230, 20), Panel2);
    QPushButton* manuell =
        knopf(QStringLiteral("ManuellBtn"), QStringLiteral("Manuell"),
              QStringLiteral("Positionserfassung durch Mausklick"), QRect(16, 50, 228, 40), Panel2);
    manuell->setEnabled(false);  // hand capture is not built yet
    QPushButton* automatisch = knopf(
        QStringLiteral("AutomatischBtn"), QStringLiteral("Automatisch"),
        QStringLiteral("Erfassung durch Suche des Objektes"), QRect(16, 104, 228, 40), Panel2);
    connect(automatisch, &QPushButton::clicked, this, &TForm1::AutomatischBtnClick);
    Panel2->hide();
}

void TForm1::baueAnalyseKnoepfe() {
    // The analysis buttons stand in a column; their work is added as the searches are built.
    suchbereicheinschraenken =
        knopf(QStringLiteral("suchbereicheinschraenken"), QStringLiteral("Suchgebiet"),
              QStringLiteral("Suchgegbiet einschränken"), QRect(389, 384, 137, 33));
    AnalyseBtn = knopf(QStringLiteral("AnalyseBtn"), QStringLiteral("Bildanalyse"),
                       QStringLiteral("Standbildanalyse"), QRect(389, 424, 137, 33));
    EichenBtn =
        knopf(QStringLiteral("EichenBtn"), QStringLiteral("Kalibrierung"),
              QStringLiteral("Bestimmung der wahren Abmessungen"), QRect(389, 464, 137, 33));
    FilmAnalyseBtn =
        knopf(QStringLiteral("FilmAnalyseBtn"), QStringLiteral("Filmanalyse"),
              QStringLiteral("Automatische Analyse starten"), QRect(389, 504, 137, 33));
    DiagrammBtn = knopf(QStringLiteral("DiagrammBtn"), QStringLiteral("Auswertung"),
                        QStringLiteral("Ergebnisse auswerten"), QRect(389, 544, 137, 33));
    for (QPushButton* b :
         {suchbereicheinschraenken, AnalyseBtn, EichenBtn, FilmAnalyseBtn, DiagrammBtn})
        b->hide();
}

}  // namespace zebak::gui
