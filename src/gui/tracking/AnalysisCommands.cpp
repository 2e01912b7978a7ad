#include "gui/tracking/AnalysisCommands.h"

#include <QLabel>
#include <QPushButton>
#include <exception>
#include <utility>

#include "core/AnalysisJob.h"
#include "core/FilmAnalysis.h"
#include "core/Stroboscope.h"
#include "gui/display/DisplayWindow.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/WidgetKit.h"
#include "gui/tracking/GuiFeedback.h"
#include "gui/tracking/GuiHost.h"

namespace zebak::gui {

AnalysisCommands::AnalysisCommands(Session& session, QWidget* area, QObject* owner)
    : QObject(owner), session_(session) {
    // The analysis buttons stand in a column, 40 pixels apart.
    const char* const column[ButtonCount][3] = {
        {"suchbereicheinschraenken", "Suchgebiet", "Suchgegbiet einschränken"},
        {"AnalyseBtn", "Bildanalyse", "Standbildanalyse"},
        {"EichenBtn", "Kalibrierung", "Bestimmung der wahren Abmessungen"},
        {"FilmAnalyseBtn", "Filmanalyse", "Automatische Analyse starten"},
        {"DiagrammBtn", "Auswertung", "Ergebnisse auswerten"},
    };
    for (int i = 0; i < ButtonCount; ++i)
        column_[static_cast<std::size_t>(i)] =
            makeButton(QString::fromUtf8(column[i][0]), QString::fromUtf8(column[i][1]),
                       QString::fromUtf8(column[i][2]), QRect(389, 384 + 40 * i, 137, 33), area);
    setButtonsShown(false);
    buildIndicator(area);
    // "Filmanalyse" (`FilmAnalyseBtnClick`) and "Bildanalyse" (`AnalyseBtnClick`).
    using Loop = RunStatus (*)(AnalysisJob&, RunOutputs, FrameSource&, RunPorts);
    const std::pair<QPushButton*, Loop> loops[] = {{column_[FilmButton], &analyseFilm},
                                                   {column_[StillFrameButton], &analyseFrame}};
    for (const auto& entry : loops) {
        const Loop loop = entry.second;
        connect(entry.first, &QPushButton::clicked, this, [this, loop] {
            run([this, loop](AnalysisJob& job) {
                loop(job, outputsOf(session_.state()), *session_.film(), *host_);
            });
        });
    }
    connect(abortButton_, &QPushButton::clicked, this,
            [this] { session_.runControl().stopRequested = true; });
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
    for (QPushButton* b : column_) b->setVisible(shown);
}

void AnalysisCommands::runStroboscope(const StroboOptions& options) {
    run([this, options](AnalysisJob& job) {
        buildStroboscope(job, outputsOf(session_.state()), *session_.film(), *host_, options);
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
    // The settings pages hold every value in its limits, so the check can only fail for a
    // range the bars would not give; it is shown like any other refusal.
    AnalysisJob job = makeAnalysisJob(session_.state());
    if (const std::string problem = checkJob(job); !problem.empty()) {
        session_.dialogs().message(abortButton_->window(), MessageKind::Plain,
                                   QString::fromStdString(problem), QMessageBox::Ok);
        return;
    }
    Q_EMIT runningChanged(true);
    host_->commandStarted(job);
    session_.openPixelContext();
    QString error;
    try {
        command(job);
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
