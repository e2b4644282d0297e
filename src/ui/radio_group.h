// A captioned group of radio buttons laid out in columns, read and set by
// the index of its selected item.
#pragma once

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;

namespace varnokit::ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // The items' object names are the group's name followed by "Item0", "Item1", ...
    RadioGroup(const QString& name, const QString& caption, const QStringList& items,
               int columns, QWidget* parent);

    int itemIndex() const;       // -1 when nothing is selected
    void setItemIndex(int index);
    QRadioButton* item(int index) const { return items_.at(index); }
    int itemCount() const { return static_cast<int>(items_.size()); }

private:
    QButtonGroup* group_;
    QList<QRadioButton*> items_;
};

}  // namespace varnokit::ui
