// Radio group: items fill the columns left to right, rows top to bottom.
#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace varnokit::ui {

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items,
                       int columns, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    setObjectName(name);
    // The style's gap between circle and caption is too wide for the design's
    // narrow groups: each caption ran into the next item's circle.
    setStyleSheet(QStringLiteral("QRadioButton { spacing: 2px; }"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 0, 2, 0);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        button->setObjectName(name + QStringLiteral("Item") + QString::number(i));
        group_->addButton(button, i);
        layout->addWidget(button, i / columns, i % columns);
        items_.append(button);
    }
}

int RadioGroup::itemIndex() const { return group_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < items_.size()) items_.at(index)->setChecked(true);
}

}  // namespace varnokit::ui
