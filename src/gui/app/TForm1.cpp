#include "gui/app/TForm1.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

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

TForm1::~TForm1() = default;

void TForm1::setNebenfenster(const Nebenfenster& fenster) {
    fenster_ = fenster;
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

void TForm1::baueSuchseiten() {
    PageControl1 = new QTabWidget(centralWidget());
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(381, 8, 377, 364);
    auto* seite1 = new QWidget;
    seite1->setObjectName(QStringLiteral("TabSheet1"));
    auto* seite2 = new QWidget;
    seite2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(seite1, QStringLiteral("Farbe 1"));
    PageControl1->addTab(seite2, QStringLiteral("Farbe 2"));
    PageControl1->hide();

    Panel3 = tafel(centralWidget());
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(773, 8, 233, 364);
    Panel3->setAutoFillBackground(true);
    QLabel* titel =
        beschriftung(QStringLiteral("Label7"), QStringLiteral("Anzeige der Suchergebnisse"),
                     QRect(8, 6, 217, 20), Panel3);
    titel->setStyleSheet(
        QStringLiteral("color: navy; font-weight: bold; text-decoration: underline;"));
    labelbremse = beschriftung(QStringLiteral("labelbremse"), QStringLiteral("Bremse:"),
                               QRect(8, 326, 60, 17), Panel3);
    ScrollBarBremse = new QScrollBar(Qt::Horizontal, Panel3);
    ScrollBarBremse->setObjectName(QStringLiteral("ScrollBarBremse"));
    ScrollBarBremse->setRange(0, 1000);
    ScrollBarBremse->setValue(0);
    ScrollBarBremse->setGeometry(70, 326, 155, 17);
    ScrollBarBremse->hide();
    labelbremse->hide();
    Panel3->hide();
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

void TForm1::baueTabellen() {
    int links = 541;
    for (QTableWidget** tabelle : {&tabelle1, &Tabelle2}) {
        *tabelle = new QTableWidget(2, 3, centralWidget());
        (*tabelle)->setObjectName(tabelle == &tabelle1 ? QStringLiteral("tabelle1")
                                                       : QStringLiteral("Tabelle2"));
        (*tabelle)->setGeometry(links, 384, 220, 120);
        (*tabelle)->horizontalHeader()->hide();
        (*tabelle)->verticalHeader()->hide();
        (*tabelle)->hide();
        links = 773;
    }
    for (QPlainTextEdit** memo : {&Memo1, &Memo2}) {
        *memo = new QPlainTextEdit(centralWidget());
        (*memo)->setObjectName(memo == &Memo1 ? QStringLiteral("Memo1") : QStringLiteral("Memo2"));
        (*memo)->hide();
    }
}

}  // namespace zebak::gui
