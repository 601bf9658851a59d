// SPDX-License-Identifier: GPL-3.0-or-later
#include "colors.h"
#include "formmainfixture.h"
#include "qttestmain.h"

#include <QCheckBox>
#include <QTabBar>

namespace {

QStringList Captions(const TColorTabControl* ATabs)
{
    QStringList Result;
    for (int I = 0; I < ATabs->Count(); ++I)
        Result << ATabs->TabCaption(I);
    return Result;
}

QPoint TabCenter(const QTabBar* ABar, int AIndex)
{
    return ABar->tabRect(AIndex).center();
}

} // namespace

class AttemptTabsTest : public QObject, private TFormMainFixture
{
    Q_OBJECT
private slots:
    void init() { Begin(); }
    void cleanup() { End(); }

    void CaptionsAreOneLine_data();
    void CaptionsAreOneLine();
    void TheLastTabIsNeverClosed();
    void BlankAttemptsCloseWithoutAQuestion();
    void TypedAttemptsCloseOnlyOnYes();
    void ClosingKeepsTabsAndAttemptsInStep_data();
    void ClosingKeepsTabsAndAttemptsInStep();
    void DraggingRenumbersAndMarksChanged_data();
    void DraggingRenumbersAndMarksChanged();
    void NewTabsStartEmpty_data();
    void NewTabsStartEmpty();
    void EachAttemptKeepsItsCaret();
    void StatusColoursFollowEveryAttempt();

private:
    // Three attempts "uno", "due", "tre" loaded from a file, so unchanged.
    void StartWithThree();
    void CloseTab(int AIndex);
    QStringList Texts() const;
};

void AttemptTabsTest::StartWithThree()
{
    TAnagramEngine Maker;
    Maker.SetSentence(u"uno due tre");
    Maker.SetCurrentAnagramString(u"uno");
    for (const char16_t* Text : {u"due", u"tre"}) {
        Maker.AddAnagram();
        Maker.GetAnagram(Maker.AnagramsCount() - 1).SetAnagram(Text);
    }
    Maker.Save(File("three.vbf").toStdString());
    Start(File("three.vbf"));
}

void AttemptTabsTest::CloseTab(int AIndex)
{
    const QRect Button = static_cast<TColorTabBar*>(Tabs()->TabBar())->CloseButtonRect(AIndex);
    QVERIFY(!Button.isEmpty());
    QTest::mouseClick(Tabs()->TabBar(), Qt::LeftButton, {}, Button.center());
}

QStringList AttemptTabsTest::Texts() const
{
    QStringList Result;
    for (int32_t I = 0; I < FWindow->Engine().AnagramsCount(); ++I)
        Result << QString::fromStdU16String(FWindow->Engine().GetAnagram(I).Anagram());
    return Result;
}

void AttemptTabsTest::CaptionsAreOneLine_data()
{
    QTest::addColumn<int>("Number");
    QTest::addColumn<QString>("Text");
    QTest::addColumn<QString>("Caption");
    QTest::newRow("empty") << 1 << QString() << QStringLiteral("&1. ");
    QTest::newRow("plain") << 2 << QStringLiteral("amor") << QStringLiteral("&2. amor");
    QTest::newRow("line breaks") << 3 << QStringLiteral("uno\r\n\r\ndue\nt\rre")
                                 << QStringLiteral("&3. uno due t re");
    QTest::newRow("runs of blanks")
        << 4 << QStringLiteral("  a \t\t b   ") << QStringLiteral("&4. a b");
    QTest::newRow("position ten") << 10 << QStringLiteral("x") << QStringLiteral("&10. x");
    QTest::newRow("control characters trimmed")
        << 5 << QStringLiteral("\x01\x02 ab \x03") << QStringLiteral("&5. ab");
}

void AttemptTabsTest::CaptionsAreOneLine()
{
    QFETCH(int, Number);
    QFETCH(QString, Text);
    QFETCH(QString, Caption);
    Start();
    QCOMPARE(FWindow->FormatTabCaption(Number, Text), Caption);
}

void AttemptTabsTest::TheLastTabIsNeverClosed()
{
    Start();
    Type(Editor(), QStringLiteral("   "));
    Child<QCheckBox>("chkAllowExcess")->setChecked(true);
    Type(Editor(), QStringLiteral("abc"));
    CloseTab(0);
    QCOMPARE(Tabs()->Count(), 1);
    QCOMPARE(FWindow->Engine().AnagramsCount(), 1);
    QVERIFY(FDialogs->Questions.isEmpty());
}

void AttemptTabsTest::BlankAttemptsCloseWithoutAQuestion()
{
    Start();
    Action("mnuShuffle")->trigger(); // something to lose, so Changed is true anyway
    Tabs()->TabBar()->setCurrentIndex(0);
    ClickNewTab();
    QCOMPARE(Tabs()->Count(), 2);
    Type(Editor(), QStringLiteral(" \n "));
    CloseTab(1);
    QCOMPARE(Tabs()->Count(), 1);
    QCOMPARE(FWindow->Engine().AnagramsCount(), 1);
    QVERIFY(FDialogs->Questions.isEmpty());
}

void AttemptTabsTest::TypedAttemptsCloseOnlyOnYes()
{
    StartWithThree();
    CloseTab(1);
    QCOMPARE(FDialogs->Questions,
             QStringList{QStringLiteral("Sei sicuro di eliminare questa scheda?")});
    QCOMPARE(Texts(),
             (QStringList{QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("tre")}));
    QVERIFY(!FWindow->Engine().Changed());
    FDialogs->Answers = {true};
    CloseTab(1);
    QCOMPARE(Texts(), (QStringList{QStringLiteral("uno"), QStringLiteral("tre")}));
    QVERIFY(FWindow->Engine().Changed());
}

void AttemptTabsTest::ClosingKeepsTabsAndAttemptsInStep_data()
{
    QTest::addColumn<int>("Active");
    QTest::addColumn<int>("Closed");
    QTest::addColumn<int>("ActiveAfter");
    QTest::addColumn<QString>("EditorAfter");
    QTest::newRow("before the active one") << 1 << 0 << 0 << QStringLiteral("due");
    QTest::newRow("the active one") << 1 << 1 << 1 << QStringLiteral("tre");
    QTest::newRow("the active last one") << 2 << 2 << 1 << QStringLiteral("due");
    QTest::newRow("after the active one") << 0 << 2 << 0 << QStringLiteral("uno");
}

void AttemptTabsTest::ClosingKeepsTabsAndAttemptsInStep()
{
    QFETCH(int, Active);
    QFETCH(int, Closed);
    QFETCH(int, ActiveAfter);
    QFETCH(QString, EditorAfter);
    StartWithThree();
    QTest::mouseClick(Tabs()->TabBar(), Qt::LeftButton, {}, TabCenter(Tabs()->TabBar(), Active));
    QCOMPARE(Tabs()->ActiveIndex(), Active);
    FDialogs->Answers = {true};
    CloseTab(Closed);
    QCOMPARE(Tabs()->Count(), 2);
    QCOMPARE(Tabs()->ActiveIndex(), ActiveAfter);
    QCOMPARE(FWindow->Engine().CurrentIndex(), ActiveAfter);
    QCOMPARE(Editor()->toPlainText(), EditorAfter);
    QStringList Expected;
    const QStringList Left = Texts();
    for (int I = 0; I < Left.size(); ++I)
        Expected << FWindow->FormatTabCaption(I + 1, Left.at(I));
    QCOMPARE(Captions(Tabs()), Expected);
}

void AttemptTabsTest::DraggingRenumbersAndMarksChanged_data()
{
    QTest::addColumn<int>("Drop");
    QTest::addColumn<QStringList>("Order");
    QTest::addColumn<bool>("Changed");
    QTest::newRow("first to the end")
        << 2 << QStringList{QStringLiteral("due"), QStringLiteral("tre"), QStringLiteral("uno")}
        << true;
    QTest::newRow("dropped where it was")
        << 0 << QStringList{QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("tre")}
        << false;
}

// The order of the attempts is the user's work: a new one is saved or asked about.
void AttemptTabsTest::DraggingRenumbersAndMarksChanged()
{
    QFETCH(int, Drop);
    QFETCH(QStringList, Order);
    QFETCH(bool, Changed);
    StartWithThree();
    QTabBar* Bar = Tabs()->TabBar();
    QTest::mousePress(Bar, Qt::LeftButton, {}, TabCenter(Bar, 0));
    QTest::mouseMove(Bar, TabCenter(Bar, 1));
    QTest::mouseMove(Bar, TabCenter(Bar, 2));
    QTest::mouseMove(Bar, TabCenter(Bar, Drop));
    QTest::mouseRelease(Bar, Qt::LeftButton, {}, TabCenter(Bar, Drop));
    QCOMPARE(Texts(), Order);
    QStringList Numbered;
    for (int I = 0; I < Order.size(); ++I)
        Numbered << FWindow->FormatTabCaption(I + 1, Order.at(I));
    QCOMPARE(Captions(Tabs()), Numbered);
    QCOMPARE(Tabs()->ActiveIndex(), Drop);
    QCOMPARE(FWindow->Engine().CurrentIndex(), Drop);
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("uno"));
    QCOMPARE(FWindow->Engine().Changed(), Changed);
}

void AttemptTabsTest::NewTabsStartEmpty_data()
{
    QTest::addColumn<QString>("SentenceText");
    QTest::addColumn<bool>("AllowExcess");
    QTest::addColumn<QColor>("Color");
    QTest::newRow("blank sentence") << QString() << false << ToQColor(ButtonFaceColor);
    QTest::newRow("with letters") << QStringLiteral("Roma") << false << QColor(0xFF, 0xFF, 0);
    QTest::newRow("excess allowed") << QStringLiteral("Roma") << true << QColor(0xFF, 0xFF, 0);
}

void AttemptTabsTest::NewTabsStartEmpty()
{
    QFETCH(QString, SentenceText);
    QFETCH(bool, AllowExcess);
    QFETCH(QColor, Color);
    Start();
    Child<QCheckBox>("chkAllowExcess")->setChecked(AllowExcess);
    Type(Sentence(), SentenceText);
    Type(Editor(), QStringLiteral("r"));
    ClickNewTab();
    QCOMPARE(Tabs()->Count(), 2);
    QCOMPARE(Tabs()->ActiveIndex(), 1);
    QCOMPARE(FWindow->Engine().CurrentIndex(), 1);
    QCOMPARE(Tabs()->TabCaption(1), QStringLiteral("&2. "));
    QCOMPARE(Tabs()->TabColor(1), Color);
    QCOMPARE(Editor()->toPlainText(), QString());
    QCOMPARE(Editor()->textCursor().position(), 0);
}

void AttemptTabsTest::EachAttemptKeepsItsCaret()
{
    StartWithThree();
    QTextCursor Cursor = Editor()->textCursor();
    Cursor.setPosition(1);
    Cursor.setPosition(3, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(Cursor);
    QTabBar* Bar = Tabs()->TabBar();
    QTest::mouseClick(Bar, Qt::LeftButton, {}, TabCenter(Bar, 2));
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("tre"));
    QCOMPARE(Editor()->textCursor().position(), 0);
    QTest::mouseClick(Bar, Qt::LeftButton, {}, TabCenter(Bar, 0));
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("uno"));
    QCOMPARE(Editor()->textCursor().selectionStart(), 1);
    QCOMPARE(Editor()->textCursor().selectionEnd(), 3);
    QVERIFY(!FWindow->Engine().Changed());
}

void AttemptTabsTest::StatusColoursFollowEveryAttempt()
{
    StartWithThree();
    QCOMPARE(Tabs()->Count(), 3);
    QCOMPARE(Tabs()->ActiveIndex(), 0);
    QCOMPARE(Tabs()->TabColor(0), QColor(0xFF, 0xFF, 0));
    Sentence()->setPlainText(QStringLiteral("uno"));
    QCOMPARE(Tabs()->TabColor(0), QColor(0, 0xFF, 0));
    QCOMPARE(Tabs()->TabColor(1), QColor(0xFF, 0, 0));
    QCOMPARE(Tabs()->TabColor(2), QColor(0xFF, 0, 0));
    QCOMPARE(Captions(Tabs()), (QStringList{QStringLiteral("&1. uno"), QStringLiteral("&2. due"),
                                            QStringLiteral("&3. tre")}));
}

VERBANTO_QTEST_MAIN(AttemptTabsTest)
#include "attempttabs_test.moc"
