// The analysis commands: "Filmanalyse", "Bildanalyse" and "Abbrechen", the found indicator,
// and the host through which the core loops reach the windows.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <exception>

#include "core/FilmAnalysis.h"
#include "gui/analysis/GuiHost.h"
#include "gui/app/Dialogs.h"
#include "gui/app/TForm1.h"
#include "gui/search/TForm3.h"
#include "gui/search/TForm4.h"
#include "media/FfmsFrameSource.h"

namespace zebak::gui {

void TForm1::baueAnalyseAnzeige() {
    AbbrechenBtn = knopf(QStringLiteral("AbbrechenBtn"), QStringLiteral("Abbrechen"),
                         QStringLiteral("Filmanalyse abbrechen"), QRect(5, 544, 137, 33));
    AbbrechenBtn->hide();
    Panel5 = new QLabel(QString::fromUtf8(kErkannt), centralWidget());
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setGeometry(272, 544, 113, 49);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel5->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    Panel5->setMargin(6);
    Panel5->setAutoFillBackground(true);
    QPalette gruen = Panel5->palette();
    gruen.setColor(QPalette::Window, QColor(0, 128, 0));
    Panel5->setPalette(gruen);
    Label8 = beschriftung(QStringLiteral("Label8"), QStringLiteral("Objekt"), QRect(0, 5, 113, 17),
                          Panel5);
    Label8->setAlignment(Qt::AlignHCenter);
    Panel5->hide();

    connect(FilmAnalyseBtn, &QPushButton::clicked, this, &TForm1::FilmAnalyseBtnClick);
    connect(AnalyseBtn, &QPushButton::clicked, this, &TForm1::AnalyseBtnClick);
    connect(AbbrechenBtn, &QPushButton::clicked, this, &TForm1::AbbrechenBtnClick);
    // The loops read the brake anew after every frame, so a move during a run takes effect.
    connect(ScrollBarBremse, &QScrollBar::valueChanged, this,
            [this](int ms) { state_.analyse.anzeige.bremseMs = ms; });
}

void TForm1::analyseEinrichten() {
    fenster_.form4->verbinden(state_);
    host_ = std::make_unique<GuiHost>(
        *this, dialogs_,
        AnalyseTeile{AbbrechenBtn, Panel5, ScrollBar3, fenster_.form3, fenster_.form4});
    // Closing the program stops a running analysis instead of letting it go on unseen.
    connect(this, &TForm1::geschlossen, this, [this] { host_->abbrechenBeimSchliessen(); });
}

void TForm1::steuerungLesen() {
    state_.analyse.anzeige.bremseMs = ScrollBarBremse->value();
    state_.analyse.sequenzAnfang = ScrollBar2->value();
    state_.analyse.sequenzEnde = ScrollBar3->value();
    state_.analyse.bilderProSekunde = SpinEdit1->value();
}

template <typename Befehl>
void TForm1::analyseAusfuehren(Befehl befehl) {
    // A second start while one runs (its pauses handle clicks) is ignored, and no other film
    // may be loaded under a running analysis.
    if (!film_ || host_->laeuft()) return;
    steuerungLesen();
    QAction* laden = findChild<QAction*>(QStringLiteral("Filmladen1"));
    laden->setEnabled(false);
    host_->befehlBeginn();
    Kontextoeffnen();
    QString fehler;
    try {
        befehl();
    } catch (const std::exception& e) {
        // A film that breaks off while it is analysed: the windows go back, the error is shown.
        fehler = QString::fromUtf8(e.what());
        host_->setDisplayFullSize(false);
    }
    Kontextfreigeben();
    host_->befehlEnde();
    laden->setEnabled(true);
    fenster_.form3->update();
    if (!fehler.isEmpty()) dialogs_.message(this, MessageKind::Error, fehler, QMessageBox::Ok);
}

void TForm1::FilmAnalyseBtnClick() {
    analyseAusfuehren([this] { zebak::FilmAnalyseBtnClick(state_, *film_, *host_); });
}

void TForm1::AnalyseBtnClick() {
    analyseAusfuehren([this] { zebak::AnalyseBtnClick(state_, *film_, *host_); });
}

void TForm1::AbbrechenBtnClick() { state_.Abbruch = true; }

}  // namespace zebak::gui
