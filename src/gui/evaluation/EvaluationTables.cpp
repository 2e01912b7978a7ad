#include "gui/evaluation/EvaluationTables.h"

#include <QScrollArea>

#include "gui/evaluation/EvaluationGrid.h"
#include "gui/evaluation/EvaluationView.h"

#include "core/PositionTable.h"

namespace zebak::gui {

namespace {
/// The holders' place; side by side each is narrower and the second moves right.
constexpr int kTop = 600;
constexpr int kHeight = 121;
constexpr int kFullWidth = 937;
constexpr int kHalfWidth = 494;
constexpr int kSecondLeftSideBySide = 506;
constexpr int kLeft = 8;

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

EvaluationTables::EvaluationTables(ProgramState& state, EvaluationView& view, QWidget* area,
                                   QObject* owner)
    : QObject(owner), state_(state), view_(view) {
    for (SlotNumber slot : {1, 2}) buildHolder(slot, area);
}

void EvaluationTables::buildHolder(SlotNumber slot, QWidget* area) {
    auto* box = new QScrollArea(area);
    box->setObjectName(slot == 1 ? QStringLiteral("ScrollBox1") : QStringLiteral("ScrollBox2"));
    box->setGeometry(kLeft, kTop, kFullWidth, kHeight);
    box->setStyleSheet(QStringLiteral("QScrollArea { background: rgb(192,192,192); }"));
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("Inhalt%1").arg(slot));
    KinematicsGrids& k = state_.auswertungsTabellen(slot);
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
    KinematicsGrids& k = state_.auswertungsTabellen(slot);
    const PositionGrid& positions = state_.tabelle(slot);
    k = Tabellefuellen(slot, positions, fps, rowTimesS(state_.analyse, positions.rowCount()));
    int height = 0;
    for (int g = 0; g < 3; ++g) {
        EvaluationGrid* grid = this->grid(slot, g);
        grid->setHeaderColour(kHeaderColour[index(slot)]);
        grid->fitToRows(g == 1);
        grid->show();
        height = std::max(height, grid->height());
    }
    QWidget* content = holder(slot)->widget();
    content->resize(content->width(), height);
    return k.messages;
}

void EvaluationTables::showOnly(SlotNumber slot) {
    holder(slot)->show();
    holder(slot == 1 ? 2 : 1)->hide();
}

void EvaluationTables::MenuTabelleClick(SlotNumber slot) {
    // The item inverts its check mark; with the other table shown, the two then stand side
    // by side (this one added) or the other takes the whole width again (this one gone).
    bool& self = view_.tableChecked.at(index(slot));
    self = !self;
    if (view_.tableChecked.at(index(slot == 1 ? 2 : 1))) setSideBySide(self);
    applyView();
}

void EvaluationTables::setSideBySide(bool sideBySide) {
    const int width = sideBySide ? kHalfWidth : kFullWidth;
    holders_[0]->setGeometry(kLeft, kTop, width, kHeight);
    holders_[1]->setGeometry(sideBySide ? kSecondLeftSideBySide : kLeft, kTop, width, kHeight);
}

void EvaluationTables::applyView() {
    for (SlotNumber slot : {1, 2}) holder(slot)->setVisible(view_.tableChecked.at(index(slot)));
}

void EvaluationTables::clear() {
    for (SlotNumber slot : {1, 2}) {
        KinematicsGrids& k = state_.auswertungsTabellen(slot);
        for (TextGrid* g : {&k.positions, &k.velocities, &k.accelerations})
            for (auto& row : *g)
                for (auto& cell : row) cell.clear();
        k.messages.clear();
        for (int g = 0; g < 3; ++g) grid(slot, g)->tableModel()->reload();
    }
    setSideBySide(false);
}

}  // namespace zebak::gui
