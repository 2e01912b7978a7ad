#include "gui/kit/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zebak::gui {

RadioGroup::RadioGroup(const QStringList& items, QWidget* parent) : QGroupBox(parent) {
    group_ = new QButtonGroup(this);
    auto* zeilen = new QVBoxLayout(this);
    zeilen->setContentsMargins(8, 4, 8, 4);
    zeilen->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items.at(i), this);
        b->setObjectName(QStringLiteral("Item%1").arg(i));
        group_->addButton(b, i);
        zeilen->addWidget(b);
        buttons_.push_back(b);
    }
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool an) {
        if (an) setItemIndex(id);
    });
}

int RadioGroup::itemIndex() const { return index_; }

void RadioGroup::setItemIndex(int i) {
    if (i < -1 || i >= static_cast<int>(buttons_.size()) || i == index_) return;
    index_ = i;
    if (i < 0) {
        // An exclusive group cannot uncheck its last button; lift the rule for a moment.
        group_->setExclusive(false);
        for (QRadioButton* b : buttons_) b->setChecked(false);
        group_->setExclusive(true);
    } else {
        buttons_.at(static_cast<std::size_t>(i))->setChecked(true);
    }
    Q_EMIT itemChosen(i);
}

}  // namespace zebak::gui
