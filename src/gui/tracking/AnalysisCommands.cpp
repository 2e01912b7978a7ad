#include "gui/tracking/AnalysisCommands.h"

#include <QLabel>
#include <QPushButton>
#include <exception>

#include "core/FilmAnalysis.h"
#include "gui/display/DisplayWindow.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/WidgetKit.h"
#include "gui/tracking/GuiFeedback.h"
#include "gui/tracking/GuiHost.h"

namespace zebak::gui {

AnalysisCommands::AnalysisCommands(Session& session, QWidget* area, QObject* owner)
    : QObject(owner), session_(session) {
    // The analysis buttons stand in a column; their work is added as the searches are built.
    areaButton_ =
        makeButton(QStringLiteral("suchbereicheinschraenken"), QStringLiteral("Suchgebiet"),
                   QStringLiteral("Suchgegbiet einschränken"), QRect(389, 384, 137, 33), area);
    stillFrameButton_ =
        makeButton(QStringLiteral("AnalyseBtn"), QStringLiteral("Bildanalyse"),
                   QStringLiteral("Standbildanalyse"), QRect(389, 424, 137, 33), area);
    calibrationButton_ = makeButton(QStringLiteral("EichenBtn"), QStringLiteral("Kalibrierung"),
                                    QStringLiteral("Bestimmung der wahren Abmessungen"),
                                    QRect(389, 464, 137, 33), area);
    filmButton_ =
        makeButton(QStringLiteral("FilmAnalyseBtn"), QStringLiteral("Filmanalyse"),
                   QStringLiteral("Automatische Analyse starten"), QRect(389, 504, 137, 33), area);
    evaluationButton_ =
        makeButton(QStringLiteral("DiagrammBtn"), QStringLiteral("Auswertung"),
                   QStringLiteral("Ergebnisse auswerten"), QRect(389, 544, 137, 33), area);
    setButtonsShown(false);
    buildIndicator(area);
    connect(filmButton_, &QPushButton::clicked, this, [this] {
        run([this] { zebak::FilmAnalyseBtnClick(session_.state(), *session_.film(), *host_); });
    });
    connect(stillFrameButton_, &QPushButton::clicked, this, [this] {
        run([this] { zebak::AnalyseBtnClick(session_.state(), *session_.film(), *host_); });
    });
    connect(abortButton_, &QPushButton::clicked, this, [this] { session_.state().Abbruch = true; });
}

AnalysisCommands::~AnalysisCommands() = default;

void AnalysisCommands::buildIndicator(QWidget* area) {
    abortButton_ =
        makeButton(QStringLiteral("AbbrechenBtn"), QStringLiteral("Abbrechen"),
                   QStringLiteral("Filmanalyse abbrechen"), QRect(5, 544, 137, 33), area);
    abortButton_->hide();
    panel5_ = new QLabel(QString::fromUtf8(kErkannt), area);
    panel5_->setObjectName(QStringLiteral("Panel5"));
    panel5_->setGeometry(272, 544, 113, 49);
    panel5_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel5_->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    panel5_->setMargin(6);
    panel5_->setAutoFillBackground(true);
    QPalette green = panel5_->palette();
    green.setColor(QPalette::Window, QColor(0, 128, 0));
    panel5_->setPalette(green);
    QLabel* label8 = makeLabel(QStringLiteral("Label8"), QStringLiteral("Objekt"),
                               QRect(0, 5, 113, 17), panel5_);
    label8->setAlignment(Qt::AlignHCenter);
    panel5_->hide();
}

void AnalysisCommands::attach(DisplayWindow* display, ResultWindow* results, PlayerPanel& player,
                              SettingsPages& pages, PositionTables& tables) {
    display_ = display;
    host_ = std::make_unique<GuiHost>(
        session_, AnalysisParts{abortButton_->window(), abortButton_, panel5_, display, results,
                                &player, &pages, &tables});
}

void AnalysisCommands::setButtonsShown(bool shown) {
    for (QPushButton* b :
         {areaButton_, stillFrameButton_, calibrationButton_, filmButton_, evaluationButton_})
        b->setVisible(shown);
}

void AnalysisCommands::runStroboscope(const StroboOptions& options) {
    run([this, options] {
        zebak::StroboskopbildClick(session_.state(), *session_.film(), *host_, options);
    });
}

bool AnalysisCommands::running() const { return host_ && host_->running(); }

void AnalysisCommands::stopOnClose() {
    if (host_) host_->stopOnClose();
}

template <typename Command>
void AnalysisCommands::run(Command command) {
    // A second start while one runs (its pauses handle clicks) is ignored, and no other film
    // may be loaded under a running analysis.
    if (session_.film() == nullptr || !host_ || host_->running()) return;
    Q_EMIT runningChanged(true);
    host_->commandStarted();
    session_.openPixelContext();
    QString error;
    try {
        command();
    } catch (const std::exception& e) {
        // A film that breaks off while it is analysed: the windows go back, the error is shown.
        error = QString::fromUtf8(e.what());
        host_->display().setDisplayFullSize(false);
    }
    session_.releasePixelContext();
    host_->commandEnded();
    Q_EMIT runningChanged(false);
    display_->update();
    if (!error.isEmpty())
        session_.dialogs().message(abortButton_->window(), MessageKind::Error, error,
                                   QMessageBox::Ok);
}

}  // namespace zebak::gui
