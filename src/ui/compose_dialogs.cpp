// The 作問 and 一意のまま隠す dialogs.
#include "ui/compose_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace varnokit::ui {
namespace {

using compose::HideOrder;
using compose::HideStyle;
using compose::MaskStyle;

QComboBox* choices(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    return box;
}

QLineEdit* digitsField(QWidget* parent, const char* name, int maxDigits) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(maxDigits)), field));
    return field;
}

// The hiding choices both dialogs offer: '*', or masks of one of three kinds.
const QStringList kHidingItems{QStringLiteral("＊で隠す"), QStringLiteral("英字の覆面にする"),
                               QStringLiteral("カタカナの覆面にする"), QStringLiteral("漢字の覆面にする")};
const QStringList kOrderItems{QStringLiteral("ランダム"), QStringLiteral("除数から"), QStringLiteral("商から"),
                              QStringLiteral("被除数から"), QStringLiteral("上の行から"), QStringLiteral("下の行から")};

void applyHiding(int index, HideStyle& style, MaskStyle& masks) {
    style = index == 0 ? HideStyle::Star : HideStyle::Mask;
    masks = index == 1 ? MaskStyle::Letters : index == 3 ? MaskStyle::Kanji : MaskStyle::Katakana;
}

HideOrder orderOf(int index) {
    static const HideOrder kOrders[] = {HideOrder::Random,        HideOrder::DivisorFirst, HideOrder::QuotientFirst,
                                        HideOrder::DividendFirst, HideOrder::TopDown,      HideOrder::BottomUp};
    return kOrders[index >= 0 && index < 6 ? index : 0];
}

uint64_t seedOf(const QLineEdit* field) {
    bool ok = false;
    const qulonglong value = field->text().toULongLong(&ok);
    return ok ? value : 0;
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

uint64_t freshSeed() { return QRandomGenerator::system()->bounded(static_cast<quint64>(1000000000)); }

GenerateDialog::GenerateDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GenerateDialog"));
    setWindowTitle(QStringLiteral("作問"));
    auto* form = new QFormLayout;
    divisorDigits = new QSpinBox(this);
    divisorDigits->setObjectName(QStringLiteral("divisorDigits"));
    divisorDigits->setRange(1, 14);
    divisorDigits->setValue(3);
    quotientDigits = new QSpinBox(this);
    quotientDigits->setObjectName(QStringLiteral("quotientDigits"));
    quotientDigits->setRange(1, 14);
    quotientDigits->setValue(4);
    zeros = choices(this, "zeros", {QStringLiteral("入ってもよい"), QStringLiteral("入れない"), QStringLiteral("必ず入れる")});
    remainder = choices(this, "remainder", {QStringLiteral("割り切れる"), QStringLiteral("余りあり"), QStringLiteral("どちらでも")});
    hiding = choices(this, "hiding", kHidingItems);
    condition = choices(this, "condition", {QStringLiteral("なし"), QStringLiteral("ランダム")});
    for (int d = 0; d <= 9; ++d) condition->addItem(QStringLiteral("＊≠%1").arg(d));
    order = choices(this, "order", kOrderItems);
    hideRemainder = new QCheckBox(QStringLiteral("余りの数字も隠す"), this);
    hideRemainder->setObjectName(QStringLiteral("hideRemainder"));
    seed = digitsField(this, "seed", 19);

    form->addRow(QStringLiteral("除数の桁数"), divisorDigits);
    form->addRow(QStringLiteral("商の桁数"), quotientDigits);
    form->addRow(QStringLiteral("商の 0"), zeros);
    form->addRow(QStringLiteral("余り"), remainder);
    form->addRow(QStringLiteral("隠し方"), hiding);
    form->addRow(QStringLiteral("条件"), condition);
    form->addRow(QStringLiteral("隠す順"), order);
    form->addRow(QString(), hideRemainder);
    form->addRow(QStringLiteral("種"), seed);
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("同じ種からは同じ問題ができます。"), this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(okCancel(this));
}

void GenerateDialog::offerSeed(uint64_t value) { seed->setText(QString::number(value)); }

compose::GenerateOptions GenerateDialog::options() const {
    compose::GenerateOptions o;
    o.divisorDigits = divisorDigits->value();
    o.quotientDigits = quotientDigits->value();
    o.zeros = zeros->currentIndex() == 1 ? compose::QuotientZeros::None
              : zeros->currentIndex() == 2 ? compose::QuotientZeros::Some
                                           : compose::QuotientZeros::Any;
    o.remainder = remainder->currentIndex() == 1 ? compose::RemainderKind::NonZero
                  : remainder->currentIndex() == 2 ? compose::RemainderKind::Any
                                                   : compose::RemainderKind::Zero;
    HideStyle style;
    applyHiding(hiding->currentIndex(), style, o.maskStyle);
    o.masks = style == HideStyle::Mask;
    o.condition = condition->currentIndex() == 0 ? -1
                  : condition->currentIndex() == 1 ? compose::kRandomCondition
                                                   : condition->currentIndex() - 2;
    o.order = orderOf(order->currentIndex());
    o.hideRemainder = hideRemainder->isChecked();
    o.seed = seedOf(seed);
    return o;
}

MinimiseDialog::MinimiseDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MinimiseDialog"));
    setWindowTitle(QStringLiteral("一意のまま隠す"));
    fromBoxes = new QRadioButton(QStringLiteral("欄の問題（解が一つのもの）"), this);
    fromBoxes->setObjectName(QStringLiteral("fromBoxes"));
    fromBoxes->setChecked(true);
    fromNumbers = new QRadioButton(QStringLiteral("数で指定した割り算"), this);
    fromNumbers->setObjectName(QStringLiteral("fromNumbers"));
    divisor = digitsField(this, "divisor", 14);
    dividend = digitsField(this, "dividend", 28);
    divisor->setPlaceholderText(QStringLiteral("除数"));
    dividend->setPlaceholderText(QStringLiteral("被除数"));
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(fromNumbers);
    numbers->addWidget(dividend);
    numbers->addWidget(new QLabel(QStringLiteral("÷"), this));
    numbers->addWidget(divisor);

    hiding = choices(this, "hiding", kHidingItems);
    condition = choices(this, "condition", {QStringLiteral("そのまま"), QStringLiteral("なし")});
    for (int d = 0; d <= 9; ++d) condition->addItem(QStringLiteral("＊≠%1").arg(d));
    order = choices(this, "order", kOrderItems);
    keep = new QLineEdit(this);
    keep->setObjectName(QStringLiteral("keep"));
    keep->setPlaceholderText(QStringLiteral("例: 除数 被除数:1,3 2行目 余り"));
    keep->setToolTip(QStringLiteral("隠さずに残す桁。行の名前（除数、商、被除数、N行目、余り）だけなら行全体、"
                                    "「:」の後に左から数えた位置（1,3-5）を書くとその桁だけ。空白で区切って複数。"));
    hideRemainder = new QCheckBox(QStringLiteral("余りの数字も隠す"), this);
    hideRemainder->setObjectName(QStringLiteral("hideRemainder"));
    seed = digitsField(this, "seed", 19);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("隠し方"), hiding);
    form->addRow(QStringLiteral("条件"), condition);
    form->addRow(QStringLiteral("残す桁"), keep);
    form->addRow(QStringLiteral("隠す順"), order);
    form->addRow(QString(), hideRemainder);
    form->addRow(QStringLiteral("種"), seed);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fromBoxes);
    layout->addLayout(numbers);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
}

void MinimiseDialog::offerSeed(uint64_t value) { seed->setText(QString::number(value)); }

MinimiseRequest MinimiseDialog::request() const {
    MinimiseRequest r;
    r.fromNumbers = fromNumbers->isChecked();
    r.divisor = divisor->text();
    r.dividend = dividend->text();
    applyHiding(hiding->currentIndex(), r.hiding.style, r.hiding.maskStyle);
    r.hiding.order = orderOf(order->currentIndex());
    r.hiding.seed = seedOf(seed);
    r.hiding.hideRemainder = hideRemainder->isChecked();
    r.keepCells = keep->text();
    const int c = condition->currentIndex();
    r.condition = c == 0 ? MinimiseRequest::Condition::Keep
                  : c == 1 ? MinimiseRequest::Condition::Drop
                           : MinimiseRequest::Condition::Set;
    r.conditionDigit = c >= 2 ? c - 2 : -1;
    return r;
}

}  // namespace varnokit::ui
