#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace zebak::gui {

/// A framed group of radio buttons with one chosen item, like the radio groups of the
/// settings pages. A change of the chosen item, by the user or by the program, reports Click.
class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    /// A group with the given items, one button per line, none chosen.
    RadioGroup(const QStringList& items, QWidget* parent = nullptr);

    /// Index of the chosen item, -1 when none is chosen.
    int itemIndex() const;
    /// Chooses item i (-1 chooses none); reports Click when the choice changes.
    void setItemIndex(int i);
    /// The button of item i.
    QRadioButton* button(int i) const { return buttons_.at(static_cast<std::size_t>(i)); }

  Q_SIGNALS:
    /// The chosen item changed to `index` (`Click`).
    void itemChosen(int index);

  private:
    QButtonGroup* group_ = nullptr;
    std::vector<QRadioButton*> buttons_;
    int index_ = -1;
};

}  // namespace zebak::gui
