// SPDX-License-Identifier: GPL-3.0-or-later
#include "colors.h"
#include "letterboard.h"
#include "qttestmain.h"

class LetterLookTest : public QObject
{
    Q_OBJECT
private slots:
    void ColourSizeAndWeight_data();
    void ColourSizeAndWeight();
    void FitScale_data();
    void FitScale();
};

void LetterLookTest::ColourSizeAndWeight_data()
{
    QTest::addColumn<QChar>("Letter");
    QTest::addColumn<int>("Count");
    QTest::addColumn<int>("FontStep");
    QTest::addColumn<QColor>("Color");
    QTest::addColumn<int>("PointSize");
    QTest::addColumn<bool>("Bold");
    const QColor Vowel(0x80, 0x80, 0x00), Consonant(0x00, 0x00, 0x80), Excess(0xFF, 0, 0),
        Grey(0x80, 0x80, 0x80);
    QTest::newRow("vowel free") << QChar(u'A') << 2 << 1 << Vowel << 15 << true;
    QTest::newRow("consonant free") << QChar(u'C') << 1 << 1 << Consonant << 15 << true;
    QTest::newRow("Y is a consonant") << QChar(u'Y') << 1 << 0 << Consonant << 12 << true;
    QTest::newRow("vowel in excess") << QChar(u'E') << -1 << 2 << Excess << 18 << true;
    QTest::newRow("consonant in excess") << QChar(u'S') << -3 << 1 << Excess << 15 << true;
    QTest::newRow("used up small") << QChar(u'A') << 0 << 0 << Grey << 8 << false;
    QTest::newRow("used up medium") << QChar(u'Z') << 0 << 1 << Grey << 10 << false;
    QTest::newRow("used up large") << QChar(u'Z') << 0 << 2 << Grey << 12 << false;
}

void LetterLookTest::ColourSizeAndWeight()
{
    QFETCH(QChar, Letter);
    QFETCH(int, Count);
    QFETCH(int, FontStep);
    QFETCH(QColor, Color);
    QFETCH(int, PointSize);
    QFETCH(bool, Bold);
    const TConfigOptions Options{0x00008080, 0x00800000, 0x000000FF, false, FontStep};
    const TLetterLook Look = LetterLook(Letter.unicode(), Count, Options);
    QCOMPARE(Look.Color, Color);
    QCOMPARE(Look.PointSize, PointSize);
    QCOMPARE(Look.Bold, Bold);
}

void LetterLookTest::FitScale_data()
{
    QTest::addColumn<QSizeF>("Cell");
    QTest::addColumn<QSizeF>("Text");
    QTest::addColumn<qreal>("Scale");
    QTest::newRow("room to spare never grows") << QSizeF(40, 40) << QSizeF(10, 10) << 1.0;
    QTest::newRow("exactly fitting") << QSizeF(30, 20) << QSizeF(30, 20) << 1.0;
    QTest::newRow("too wide") << QSizeF(20, 40) << QSizeF(40, 10) << 0.5;
    QTest::newRow("too tall") << QSizeF(40, 15) << QSizeF(10, 60) << 0.25;
    QTest::newRow("both, the tighter wins") << QSizeF(30, 30) << QSizeF(60, 40) << 0.5;
}

void LetterLookTest::FitScale()
{
    QFETCH(QSizeF, Cell);
    QFETCH(QSizeF, Text);
    QFETCH(qreal, Scale);
    QCOMPARE(::FitScale(Cell, Text), Scale);
}

VERBANTO_QTEST_MAIN(LetterLookTest)
#include "letterboard_test.moc"
