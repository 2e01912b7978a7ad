#include "gui/evaluation/EvaluationTables.h"

#include <QEvent>
#include <QScrollArea>

#include "gui/evaluation/EvaluationGrid.h"
#include "gui/evaluation/EvaluationView.h"

#include "core/PositionTable.h"

namespace zebak::gui {

namespace {
/// The gap between the holders side by side, and between grids that grew wider than their
/// written places allow.
constexpr int kHolderGap = 12;
constexpr int kGridGap = 8;

struct GridLayout {
    const char* names[2];
    int left;
    std::vector<int> widths[2];
    int extraHeight;
};
const std::array<GridLayout, 3> kGrids{{
    {{"Tabelle1", "Tabelle2"}, 0, {{47, 64, 64, 64}, {48, 64, 64, 64}}, 21},
    {{"tabelle1v", "Tabelle2v"}, 248, {{75, 64, 64, 64, 57}, {75, 64, 64, 64, 56}}, 18},
    {{"tabelle1a", "Tabelle2a"}, 582, {{75, 64, 64, 64, 48}, {75, 64, 64, 64, 51}}, 42},
}};
/// Header colours of the two colours' grids.
const QColor kHeaderColour[2] = {QColor(205, 51, 51), QColor(51, 102, 255)};
}  // namespace

EvaluationTables::EvaluationTables(Measurement& state, EvaluationView& view, QWidget* area,
                                   QObject* owner)
    : QObject(owner), state_(state), view_(view) {
    // The holders share one area, which the window gives the height below the chart.
    area_ = new QWidget(area);
    area_->setObjectName(QStringLiteral("Tabellen"));
    area_->setMinimumHeight(60);
    area_->installEventFilter(this);
    for (SlotNumber slot : {1, 2}) buildHolder(slot, area_);
}

bool EvaluationTables::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_ && event->type() == QEvent::Resize) placeHolders();
    return QObject::eventFilter(watched, event);
}

void EvaluationTables::buildHolder(SlotNumber slot, QWidget* area) {
    auto* box = new QScrollArea(area);
    box->setObjectName(slot == 1 ? QStringLiteral("ScrollBox1") : QStringLiteral("ScrollBox2"));
    box->setStyleSheet(QStringLiteral("QScrollArea { background: rgb(192,192,192); }"));
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("Inhalt%1").arg(slot));
    KinematicsGrids& k = state_.evaluationGrids(slot);
    TextGrid* texts[3] = {&k.positions, &k.velocities, &k.accelerations};
    int height = 0;
    for (std::size_t g = 0; g < kGrids.size(); ++g) {
        const GridLayout& layout = kGrids[g];
        auto* grid =
            new EvaluationGrid(*texts[g], layout.widths[index(slot)], layout.extraHeight, content);
        grid->setObjectName(QString::fromLatin1(layout.names[index(slot)]));
        grid->move(layout.left, 0);
        grid->hide();
        connect(grid, &EvaluationGrid::keyReleased, this, &EvaluationTables::edited);
        grids_[index(slot)][g] = grid;
        height = std::max(height, grid->height());
    }
    content->resize(kGrids[2].left + grids_[index(slot)][2]->width(), height);
    box->setWidget(content);
    box->hide();
    holders_[index(slot)] = box;
}

EvaluationGrid* EvaluationTables::grid(SlotNumber slot, int which) const {
    return grids_.at(index(slot)).at(static_cast<std::size_t>(which));
}

std::vector<std::string> EvaluationTables::fill(SlotNumber slot, int fps) {
    KinematicsGrids& k = state_.evaluationGrids(slot);
    const PositionGrid& positions = state_.grid(slot);
    k = fillKinematics(slot, positions, fps,
                       rowTimesS(state_.film.timing, state_.range.start, positions.rowCount()),
                       state_.evaluationChoices.spread);
    showFilled(slot);
    return k.messages;
}

void EvaluationTables::showFilled(SlotNumber slot) {
    int height = 0;
    int right = 0;
    for (int g = 0; g < 3; ++g) {
        EvaluationGrid* grid = this->grid(slot, g);
        grid->setHeaderColour(kHeaderColour[index(slot)]);
        grid->fitToRows(g == 1);
        // At its written place, or beside the grid before it where that grew wider.
        const int left =
            std::max(kGrids[static_cast<std::size_t>(g)].left, right + (g ? kGridGap : 0));
        grid->move(left, 0);
        grid->show();
        right = left + grid->width();
        height = std::max(height, grid->height());
    }
    holder(slot)->widget()->resize(right, height);
}

void EvaluationTables::showOnly(SlotNumber slot) {
    holder(slot)->show();
    holder(slot == 1 ? 2 : 1)->hide();
}

void EvaluationTables::tableMenuClicked(SlotNumber slot) {
    // The item inverts its check mark; with the other table shown, the two then stand side
    // by side (this one added) or the other takes the whole width again (this one gone).
    bool& self = view_.tableChecked.at(index(slot));
    self = !self;
    if (view_.tableChecked.at(index(slot == 1 ? 2 : 1))) setSideBySide(self);
    applyView();
}

void EvaluationTables::setSideBySide(bool sideBySide) {
    sideBySide_ = sideBySide;
    placeHolders();
}

void EvaluationTables::placeHolders() {
    // One holder takes the whole area; side by side each takes half, the second on the right.
    const int width = area_->width();
    const int height = area_->height();
    const int half = std::max(0, (width - kHolderGap) / 2);
    holders_[0]->setGeometry(0, 0, sideBySide_ ? half : width, height);
    holders_[1]->setGeometry(sideBySide_ ? width - half : 0, 0, sideBySide_ ? half : width, height);
}

void EvaluationTables::applyView() {
    for (SlotNumber slot : {1, 2}) holder(slot)->setVisible(view_.tableChecked.at(index(slot)));
}

void EvaluationTables::clear() {
    for (SlotNumber slot : {1, 2}) {
        KinematicsGrids& k = state_.evaluationGrids(slot);
        for (TextGrid* g : {&k.positions, &k.velocities, &k.accelerations})
            for (auto& row : *g)
                for (auto& cell : row) cell.clear();
        k.messages.clear();
        for (int g = 0; g < 3; ++g) grid(slot, g)->tableModel()->reload();
    }
    setSideBySide(false);
}

}  // namespace zebak::gui
