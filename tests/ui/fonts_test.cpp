// The fixed face: IPAGothic first, other installed Japanese faces only when
// they measure exactly two columns per full-width character, and one notice
// (not one per start) when no installed face does.
#include <QFontInfo>
#include <QTest>

#include "ui/fonts.h"
#include "window_fixture.h"

using varnokit::testing::Settings;
using varnokit::testing::WindowFixture;
namespace fonts = varnokit::ui;

class FontsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { fonts::setFixedFaceCandidates({}); }
    void ipaGothicComesFirst();
    void onlyFacesWithExactColumnsAreChosen();
    void missingFaceIsToldOnce();
};

void FontsTest::ipaGothicComesFirst() {
    const QStringList candidates = fonts::fixedFaceCandidates();
    QCOMPARE(candidates.first(), QStringLiteral("IPAGothic"));
    QCOMPARE(candidates.count(QStringLiteral("IPAGothic")), 1);
    QVERIFY(candidates.contains(QStringLiteral("IPAMincho")));  // every Japanese face is a candidate
    QCOMPARE(fonts::fixedFamily(), QStringLiteral("IPAGothic"));
    WindowFixture f;
    QCOMPARE(QFontInfo(f.w().Memo1->font()).family(), QStringLiteral("IPAGothic"));
    QVERIFY(f.desktop.messages.isEmpty());
}

void FontsTest::onlyFacesWithExactColumnsAreChosen() {
    // Not installed; a Latin fixed face (kana from a fallback); proportional faces.
    for (const char* family : {"No Such Face", "DejaVu Sans Mono", "DejaVu Sans", "IPAPGothic"})
        QVERIFY2(!fonts::hasExactColumns(QString::fromUtf8(family)), family);
    QVERIFY(fonts::hasExactColumns(QStringLiteral("IPAGothic")));
    QCOMPARE(fonts::firstWithExactColumns({"No Such Face", "DejaVu Sans Mono", "IPAPGothic", "IPAGothic"}),
             QStringLiteral("IPAGothic"));
    QVERIFY(fonts::firstWithExactColumns({"No Such Face", "IPAPGothic"}).isEmpty());
    // Another face that measures right is taken when IPAGothic is missing.
    QVERIFY(fonts::hasExactColumns(QStringLiteral("IPAMincho")));
    fonts::setFixedFaceCandidates({"No Such Face", "IPAMincho"});
    QCOMPARE(fonts::fixedFamily(), QStringLiteral("IPAMincho"));
    QCOMPARE(QFontInfo(fonts::fixedFont(13)).family(), QStringLiteral("IPAMincho"));
}

void FontsTest::missingFaceIsToldOnce() {
    fonts::setFixedFaceCandidates({"No Such Face"});
    {
        WindowFixture f;
        QTRY_COMPARE(f.desktop.messages.size(), 1);
        QVERIFY(f.desktop.messages.first().contains(QStringLiteral("fonts-ipafont-gothic")));
    }
    {
        WindowFixture again(Settings::Keep);
        QTest::qWait(20);
        QVERIFY(again.desktop.messages.isEmpty());
    }
    // Once a face is found, losing it later is told again.
    fonts::setFixedFaceCandidates({});
    { WindowFixture found(Settings::Keep); }
    fonts::setFixedFaceCandidates({"No Such Face"});
    WindowFixture lost(Settings::Keep);
    QTRY_COMPARE(lost.desktop.messages.size(), 1);
}

int runFontsTests(int argc, char** argv) {
    FontsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "fonts_test.moc"
