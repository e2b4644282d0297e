// Window-test helpers.
#include "window_fixture.h"

#include <QPushButton>
#include <cstring>

namespace varnokit::testing {
namespace {

std::unique_ptr<ui::TForm1> makeWindow(FakeDesktop& desktop, Settings settings) {
    if (settings == Settings::Forget) ui::WindowMemory().clear();
    return std::make_unique<ui::TForm1>(desktop);
}

void setRow(WorkRecord& record, int row, const char* text) {
    WorkRow& r = record.rows[row];
    std::strncpy(r.text, text, sizeof r.text - 1);
    std::strncpy(r.raw, text, sizeof r.raw - 1);
    r.length = static_cast<int32_t>(std::strlen(text));
}

}  // namespace

WindowFixture::WindowFixture(Settings settings) : window(makeWindow(desktop, settings)) {}

void storeWorkedExampleSolutions(PuzzleState& state,
                                 std::initializer_list<std::pair<int64_t, int64_t>> solutions) {
    // Screen layout: interior rows keep their leading blanks.
    setRow(state.problem, kDivisorRow, "**");
    setRow(state.problem, kQuotientRow, "**");
    setRow(state.problem, kDividendRow, "9**");
    setRow(state.problem, kRemainderRow, "0");
    setRow(state.problem, partialProductRow(0), "**");
    setRow(state.problem, differenceRow(1), " **");
    setRow(state.problem, partialProductRow(1), " **");
    // Solver order, blanks gone.
    state.work = state.problem;
    setRow(state.work, differenceRow(1), "**");
    setRow(state.work, partialProductRow(1), "**");
    state.work.rows[kRemainderRow].value = 0;

    state.solutions.reset();
    state.solutions.beginSearch(state.work);
    for (auto [divisor, quotient] : solutions) state.solutions.append(divisor, quotient);
    state.solutions.setCurrent(0);
}

void typeEndlessSearch(ui::TForm1& window) {
    const QString row(13, u'*');
    QStringList body{QString(18, u'*')};
    for (int k = 0; k < 6; ++k) {
        const QString indent(k, u' ');
        if (k > 0) body << indent + row;  // the difference line above P_k
        body << indent + row;
    }
    body << QStringLiteral("0");
    window.Memo7->setPlainText(QString(12, u'*'));
    window.Memo10->setPlainText(QString(6, u'*'));
    window.Memo1->setLines(body);
}

QString navigationState(ui::TForm1& window) {
    QString out;
    for (QPushButton* b : {window.Button4, window.Button5, window.Button6, window.Button7})
        out.append(b->isEnabled() ? u'+' : u'-');
    return out;
}

}  // namespace varnokit::testing
