// The settings dialogs of the "作問" menu: 作問 (the size and kind of a new
// puzzle) and 一意のまま隠す (what to start from and how to hide). Each
// keeps its choices while the window is open; the seed is new each time.
#pragma once

#include <QDialog>
#include <QString>

#include "compose/generate.h"
#include "compose/minimise.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace varnokit::ui {

// What 一意のまま隠す is asked to do.
struct MinimiseRequest {
    bool fromNumbers = false;     // a division given as numbers instead of the boxes' puzzle
    QString divisor, dividend;    // with fromNumbers
    compose::MinimiseOptions hiding;  // order, seed, style, masks, remainder (keep: from keepCells)
    QString keepCells;            // cells that stay shown: "除数 被除数:1,3 2行目 余り"
    enum class Condition { Keep, Drop, Set } condition = Condition::Keep;
    int conditionDigit = -1;      // with Condition::Set
};

// A seed to offer: nine digits from the system's random source.
uint64_t freshSeed();

class GenerateDialog : public QDialog {
    Q_OBJECT
public:
    explicit GenerateDialog(QWidget* parent);
    compose::GenerateOptions options() const;
    void offerSeed(uint64_t seed);  // before it is shown

    QSpinBox *divisorDigits, *quotientDigits;
    QComboBox *zeros, *remainder, *hiding, *condition, *order;
    QCheckBox* hideRemainder;
    QLineEdit* seed;
};

class MinimiseDialog : public QDialog {
    Q_OBJECT
public:
    explicit MinimiseDialog(QWidget* parent);
    MinimiseRequest request() const;
    void offerSeed(uint64_t seed);

    QRadioButton *fromBoxes, *fromNumbers;
    QLineEdit *divisor, *dividend, *keep, *seed;
    QComboBox *hiding, *condition, *order;
    QCheckBox* hideRemainder;
};

}  // namespace varnokit::ui
