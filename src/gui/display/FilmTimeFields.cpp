#include "gui/display/FilmTimeFields.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

#include "gui/kit/Session.h"
#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

FilmTimeFields::FilmTimeFields(Session& session, QWidget* panel)
    : QObject(panel), session_(session) {
    frameRate_ = new QSpinBox(panel);
    frameRate_->setObjectName(QStringLiteral("SpinEdit1"));
    frameRate_->setRange(1, 100000);  // a rate of 0 or less would make every time undefined
    frameRate_->setValue(25);
    frameRate_->setGeometry(170, 150, 60, 24);
    // The time column of the tables is computed from this rate: the state follows every change.
    connect(frameRate_, &QSpinBox::valueChanged, this,
            [this](int rate) { session_.state().film.timing.framesPerSecond = rate; });
    makeLabel(QStringLiteral("BilderProSekunde"), QStringLiteral("Bilder/s"),
              QRect(236, 154, 60, 17), panel);
    sizeLabel_ = makeLabel(QStringLiteral("Label5"), QString(), QRect(8, 186, 320, 17), panel);
    // Frame times from the film instead of "Bilder/s", for films whose frames are unevenly
    // spaced; usable whenever the film gives its frames' times.
    timesFromFilm_ = new QCheckBox(QStringLiteral("Zeiten aus dem Film"), panel);
    timesFromFilm_->setObjectName(QStringLiteral("ZeitenAusDemFilm"));
    timesFromFilm_->setGeometry(8, 206, 200, 20);
    timesFromFilm_->setEnabled(false);
    connect(timesFromFilm_, &QCheckBox::toggled, this,
            [this](bool on) { session_.state().film.timing.timesFromFilm = on; });
}

void FilmTimeFields::filmLoaded(const QString& sizeText) {
    sizeLabel_->setText(sizeText);
    timesFromFilm_->setEnabled(!session_.state().film.timing.frameTimesS.empty());
    showTiming();
}

void FilmTimeFields::showTiming() {
    const FilmTiming timing = session_.state().film.timing;
    frameRate_->setValue(timing.framesPerSecond);
    setTimesFromFilm(timing.timesFromFilm);
}

void FilmTimeFields::setTimesFromFilm(bool on) {
    timesFromFilm_->setChecked(on);
    session_.state().film.timing.timesFromFilm = on;
}

}  // namespace zebak::gui
