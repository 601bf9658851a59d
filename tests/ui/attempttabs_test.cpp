// SPDX-License-Identifier: GPL-3.0-or-later
#include "colors.h"
#include "formmainfixture.h"
#include "qttestmain.h"

#include <QCheckBox>
#include <algorithm>
#include <cstdlib>

namespace {

QStringList Captions(const TColorTabControl* ATabs)
{
    QStringList Result;
    for (int I = 0; I < ATabs->Count(); ++I)
        Result << ATabs->TabCaption(I);
    return Result;
}

QPoint TabCenter(const TColorTabBar* ABar, int AIndex)
{
    return ABar->tabRect(AIndex).center();
}

QImage PaintedTab(TColorTabBar* ABar, int AIndex)
{
    // Laid out as it is before it is painted: a new tab widens the strip.
    QCoreApplication::processEvents();
    return ABar->grab(ABar->tabRect(AIndex)).toImage().convertToFormat(QImage::Format_RGB32);
}

// What ACaption alone paints on tab AIndex of ATabs, and what is there
// without it: the box of pixels where the two differ.
struct TGlyphs
{
    QImage With;
    QImage Without;
};

TGlyphs Glyphs(TColorTabControl* ATabs, int AIndex, const QString& ACaption)
{
    const QString Caption = ATabs->TabCaption(AIndex);
    ATabs->SetTabCaption(AIndex, ACaption);
    const QImage With = PaintedTab(ATabs->TabBar(), AIndex);
    ATabs->SetTabCaption(AIndex, QString());
    const QImage Without = PaintedTab(ATabs->TabBar(), AIndex);
    ATabs->SetTabCaption(AIndex, Caption);
    QRect Box;
    for (int Y = 0; Y < With.height(); ++Y)
        for (int X = 0; X < With.width(); ++X)
            if (With.pixel(X, Y) != Without.pixel(X, Y))
                Box |= QRect(X, Y, 1, 1);
    return {With.copy(Box), Without.copy(Box)};
}

int GreyDistance(QRgb A, QRgb B)
{
    return std::abs(qGray(A) - qGray(B));
}

// Whether the glyphs appear somewhere in ATab: at the best place, what
// differs from them is under a third of what they differ from the bare tab.
// Text is laid out to fractions of a pixel, so the same glyphs need not give
// the same pixels at another place.
bool Shows(const QImage& ATab, const TGlyphs& AGlyphs)
{
    const QImage& Ink = AGlyphs.With;
    long Weight = 0;
    for (int Y = 0; Y < Ink.height(); ++Y)
        for (int X = 0; X < Ink.width(); ++X)
            Weight += GreyDistance(Ink.pixel(X, Y), AGlyphs.Without.pixel(X, Y));
    for (int Top = 0; Top + Ink.height() <= ATab.height(); ++Top)
        for (int Left = 0; Left + Ink.width() <= ATab.width(); ++Left) {
            long Miss = 0;
            for (int Y = 0; Y < Ink.height(); ++Y)
                for (int X = 0; X < Ink.width(); ++X)
                    Miss += GreyDistance(ATab.pixel(Left + X, Top + Y), Ink.pixel(X, Y));
            if (3 * Miss < Weight)
                return true;
        }
    return false;
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
    void CaptionsArePaintedWithTheirNumber_data();
    void CaptionsArePaintedWithTheirNumber();
    void HintsShowTheAttempt_data();
    void HintsShowTheAttempt();
    void EachAttemptKeepsItsUndo();
    void TheLastTabIsNeverClosed();
    void ClosingTheActiveTabKeepsTheNextOnesSelection();
    void KeysStepThroughTheTabs_data();
    void KeysStepThroughTheTabs();
    void ChosenTabsTakeTheFocus_data();
    void ChosenTabsTakeTheFocus();
    void TabMovesTheFocus_data();
    void TabMovesTheFocus();
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
    // Only the number is an accelerator.
    QTest::newRow("ampersands") << 6 << QStringLiteral("Sara & Dario &&")
                                << QStringLiteral("&6. Sara && Dario &&&&");
}

void AttemptTabsTest::CaptionsAreOneLine()
{
    QFETCH(int, Number);
    QFETCH(QString, Text);
    QFETCH(QString, Caption);
    Start();
    QCOMPARE(FWindow->FormatTabCaption(Number, Text), Caption);
}

void AttemptTabsTest::CaptionsArePaintedWithTheirNumber_data()
{
    QTest::addColumn<QString>("Text");
    QTest::addColumn<QString>("Sample");
    QTest::addColumn<bool>("Painted");
    const QString Long = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(3);
    QTest::newRow("long: the number") << Long << QStringLiteral("&2.") << true;
    QTest::newRow("long: no other number") << Long << QStringLiteral("&3.") << false;
    QTest::newRow("twenty letters: the number")
        << QStringLiteral("abcdefghijklmnopqrst") << QStringLiteral("&2.") << true;
    QTest::newRow("short: the number") << QStringLiteral("abc") << QStringLiteral("&2.") << true;
    QTest::newRow("ampersand shown")
        << QStringLiteral("Sara & Dario") << QStringLiteral("&&") << true;
}

// Checked on the painted strip, with what the same style paints for a
// caption of the sample alone.
void AttemptTabsTest::CaptionsArePaintedWithTheirNumber()
{
    QFETCH(QString, Text);
    QFETCH(QString, Sample);
    QFETCH(bool, Painted);
    Start();
    ClickNewTab();
    FWindow->Engine().SetCurrentAnagramString(Text.toStdU16String());
    const QImage Tab = PaintedTab(Tabs()->TabBar(), 1);
    QCOMPARE(Shows(Tab, Glyphs(Tabs(), 1, Sample)), Painted);
}

void AttemptTabsTest::HintsShowTheAttempt_data()
{
    QTest::addColumn<QString>("Text");
    QTest::addColumn<QString>("Hint");
    QTest::newRow("lines kept") << QStringLiteral("uno\r\ndue") << QStringLiteral("uno\ndue");
    const QString Book = QStringLiteral("abcdefghij").repeated(100);
    QTest::newRow("a long text is cut") << Book << Book.left(300) + QStringLiteral("\u2026");
}

void AttemptTabsTest::HintsShowTheAttempt()
{
    QFETCH(QString, Text);
    QFETCH(QString, Hint);
    Start();
    FWindow->Engine().SetCurrentAnagramString(Text.toStdU16String());
    QCOMPARE(Tabs()->TabHint(0), Hint);
}

// Typing after the close must change the attempt shown at the place typed.
void AttemptTabsTest::ClosingTheActiveTabKeepsTheNextOnesSelection()
{
    Start();
    Child<QCheckBox>("chkAllowExcess")->setChecked(true);
    Type(Sentence(), QStringLiteral("uvwxyz abcdef"));
    Type(Editor(), QStringLiteral("uvwxyz"));
    ClickNewTab();
    Type(Editor(), QStringLiteral("abcdef"));
    QTextCursor Cursor = Editor()->textCursor();
    Cursor.setPosition(2);
    Cursor.setPosition(4, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(Cursor);
    FDialogs->Answers = {true};
    QTest::keyClick(Editor(), Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(FDialogs->Questions.size(), 1);
    QCOMPARE(Tabs()->Count(), 1);
    Type(Editor(), QStringLiteral("Q"));
    QCOMPARE(Texts(), QStringList{QStringLiteral("uvwxyzQ")});
}

void AttemptTabsTest::KeysStepThroughTheTabs_data()
{
    QTest::addColumn<QString>("Focus");
    QTest::addColumn<int>("Key");
    QTest::addColumn<int>("Modifiers");
    QTest::addColumn<int>("Start");
    QTest::addColumn<int>("Active");
    const int Ctrl = Qt::ControlModifier;
    const int CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    for (const char* Focus : {"edtAnagram", "edtSentence"}) {
        const QString Name = QString::fromLatin1(Focus);
        QTest::addRow("%s Ctrl+Tab", Focus) << Name << int(Qt::Key_Tab) << Ctrl << 1 << 2;
        QTest::addRow("%s Ctrl+Shift+Tab", Focus)
            << Name << int(Qt::Key_Backtab) << CtrlShift << 1 << 0;
        QTest::addRow("%s Ctrl+PgDown", Focus) << Name << int(Qt::Key_PageDown) << Ctrl << 1 << 2;
        QTest::addRow("%s Ctrl+PgUp", Focus) << Name << int(Qt::Key_PageUp) << Ctrl << 1 << 0;
    }
    QTest::newRow("round past the last")
        << QStringLiteral("edtAnagram") << int(Qt::Key_Tab) << Ctrl << 2 << 0;
    QTest::newRow("round before the first")
        << QStringLiteral("edtAnagram") << int(Qt::Key_PageUp) << Ctrl << 0 << 2;
}

// Sent to the editor that has the focus, which would keep Ctrl+Tab for itself.
void AttemptTabsTest::KeysStepThroughTheTabs()
{
    QFETCH(QString, Focus);
    QFETCH(int, Key);
    QFETCH(int, Modifiers);
    QFETCH(int, Start);
    QFETCH(int, Active);
    StartWithThree();
    FWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    Tabs()->SetActiveIndex(Start);
    auto* Target = Child<QWidget>(Focus.toLatin1().constData());
    Target->setFocus();
    const QString Before = Sentence()->toPlainText();
    QTest::keyClick(Target, Qt::Key(Key), Qt::KeyboardModifiers(Modifiers));
    QCOMPARE(Tabs()->ActiveIndex(), Active);
    QCOMPARE(FWindow->Engine().CurrentIndex(), Active);
    QCOMPARE(Editor()->toPlainText(), Texts().at(Active));
    QCOMPARE(Sentence()->toPlainText(), Before);
    QVERIFY(!FWindow->Engine().Changed());
}

void AttemptTabsTest::ChosenTabsTakeTheFocus_data()
{
    QTest::addColumn<QString>("Way");
    for (const char* Way : {"click", "Alt+digit", "Ctrl+Tab", "new-tab button", "Alt+G"})
        QTest::newRow(Way) << QString::fromLatin1(Way);
}

void AttemptTabsTest::ChosenTabsTakeTheFocus()
{
    QFETCH(QString, Way);
    StartWithThree();
    FWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    Sentence()->setFocus();
    TColorTabBar* Bar = Tabs()->TabBar();
    if (Way == QLatin1String("click"))
        QTest::mouseClick(Bar, Qt::LeftButton, {}, TabCenter(Bar, 2));
    else if (Way == QLatin1String("Alt+digit"))
        QTest::keyClick(Sentence(), Qt::Key_3, Qt::AltModifier);
    else if (Way == QLatin1String("Ctrl+Tab"))
        QTest::keyClick(Sentence(), Qt::Key_Tab, Qt::ControlModifier);
    else if (Way == QLatin1String("new-tab button"))
        ClickNewTab();
    else
        QTest::keyClick(Sentence(), Qt::Key_G, Qt::AltModifier);
    QTRY_VERIFY(Tabs()->ActiveIndex() != 0);
    QTRY_VERIFY(Editor()->hasFocus());
}

void AttemptTabsTest::TabMovesTheFocus_data()
{
    QTest::addColumn<QString>("Focus");
    QTest::newRow("sentence") << QStringLiteral("edtSentence");
    QTest::newRow("anagram") << QStringLiteral("edtAnagram");
}

void AttemptTabsTest::TabMovesTheFocus()
{
    QFETCH(QString, Focus);
    StartWithThree();
    FWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    auto* Target = Child<QWidget>(Focus.toLatin1().constData());
    Target->setFocus();
    const QString SentenceBefore = Sentence()->toPlainText();
    QTest::keyClick(Target, Qt::Key_Tab);
    QVERIFY(!Target->hasFocus());
    QCOMPARE(Sentence()->toPlainText(), SentenceBefore);
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("uno"));
}

void AttemptTabsTest::EachAttemptKeepsItsUndo()
{
    StartWithThree();
    Child<QCheckBox>("chkAllowExcess")->setChecked(true);
    TColorTabBar* Bar = Tabs()->TabBar();
    Editor()->moveCursor(QTextCursor::End);
    Type(Editor(), QStringLiteral("x"));
    QTest::mouseClick(Bar, Qt::LeftButton, {}, TabCenter(Bar, 1));
    // Showing an attempt is not an edit of it: there is nothing to take back.
    QVERIFY(!Editor()->document()->isUndoAvailable());
    Editor()->moveCursor(QTextCursor::End);
    Type(Editor(), QStringLiteral("y"));
    QTest::mouseClick(Bar, Qt::LeftButton, {}, TabCenter(Bar, 0));
    QTest::keyClick(Editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Texts(),
             (QStringList{QStringLiteral("uno"), QStringLiteral("duey"), QStringLiteral("tre")}));
    QTest::mouseClick(Bar, Qt::LeftButton, {}, TabCenter(Bar, 1));
    QTest::keyClick(Editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Texts(),
             (QStringList{QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("tre")}));
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("due"));
    QCOMPARE(Captions(Tabs()).at(1), QStringLiteral("&2. due"));
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
    TColorTabBar* Bar = Tabs()->TabBar();
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
    TColorTabBar* Bar = Tabs()->TabBar();
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
