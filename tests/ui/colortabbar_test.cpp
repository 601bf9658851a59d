// SPDX-License-Identifier: GPL-3.0-or-later
#include "colortabbar.h"
#include "qttestmain.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

const QString NewTabCaption = QStringLiteral("A&ggiungi...");
constexpr int TabWidth = 180;
constexpr int NewTabWidth = 80;
// A path step that leaves the tab strip, down into the page.
constexpr int OffTheStrip = -1;
// A path step beside the last tab, where the new-tab button stands.
constexpr int PastTheTabs = -2;
// The handler answers of the data tables; Unset leaves the handler empty.
constexpr int Unset = -1;

QStringList Captions(const TColorTabControl& AControl)
{
    QStringList Result;
    for (int Index = 0; Index < AControl.Count(); ++Index)
        Result << AControl.TabCaption(Index);
    return Result;
}

// Tabs "1" to "ACount" with the window's widths and its new-tab button.
void Fill(TColorTabControl& AControl, int ACount)
{
    AControl.SetTabWidth(TabWidth);
    AControl.SetNewTabButton(NewTabCaption, NewTabWidth);
    for (int Index = 1; Index <= ACount; ++Index)
        AControl.AddTab(QString::number(Index));
    AControl.resize(TabWidth * (ACount + 2), 200);
}

bool Show(QWidget& AWidget)
{
    AWidget.show();
    return QTest::qWaitForWindowExposed(&AWidget);
}

QPoint TabCenter(const TColorTabBar* ABar, int AIndex)
{
    if (AIndex == OffTheStrip)
        return QPoint(ABar->width() / 2, ABar->height() + 20);
    if (AIndex == PastTheTabs)
        return QPoint(ABar->width() + 20, ABar->height() / 2);
    return ABar->tabRect(AIndex).center();
}

QRect CloseButtonOf(const TColorTabBar* ABar, int AIndex)
{
    return static_cast<const TColorTabBar*>(ABar)->CloseButtonRect(AIndex);
}

// Whether some pixel of the band through the middle of the tab, away from the
// close button, is near the grey AShade: the caption drawn over the colour.
bool HasTextOfShade(const QImage& AImage, const QRect& ATab, int AShade)
{
    const int Y = ATab.center().y();
    for (int X = ATab.left() + 8; X < ATab.right() - 30; ++X) {
        for (int Dy = -3; Dy <= 3; ++Dy) {
            if (std::abs(qGray(AImage.pixel(X, Y + Dy)) - AShade) < 60)
                return true;
        }
    }
    return false;
}

} // namespace

class TColorTabControlTest : public QObject
{
    Q_OBJECT

private slots:
    void WritingTabs_data();
    void WritingTabs();
    void NewTabButton_data();
    void NewTabButton();
    void NewTabButtonStaysInSight_data();
    void NewTabButtonStaysInSight();
    void CloseButton_data();
    void CloseButton();
    void Drag_data();
    void Drag();
    void AltMnemonics_data();
    void AltMnemonics();
    void SharedAcceleratorsTakeTurns();
    void TabWidths();
    void ManyTabsScroll();
    void WalkingTheStrip_data();
    void WalkingTheStrip();
    void TabColors_data();
    void TabColors();
};

void TColorTabControlTest::WritingTabs_data()
{
    QTest::addColumn<bool>("newTabButton");
    QTest::newRow("with the new-tab button") << true;
    QTest::newRow("without it") << false;
}

void TColorTabControlTest::WritingTabs()
{
    QFETCH(bool, newTabButton);
    TColorTabControl Control;
    if (newTabButton)
        Control.SetNewTabButton(NewTabCaption, NewTabWidth);
    QSignalSpy Changed(&Control, &TColorTabControl::changed);
    QCOMPARE(Control.Count(), 0);
    QCOMPARE(Control.ActiveIndex(), -1);

    QCOMPARE(Control.AddTab(QStringLiteral("a")), 0);
    QCOMPARE(Control.ActiveIndex(), 0);
    QCOMPARE(Changed.count(), 1);
    QCOMPARE(Control.AddTab(QStringLiteral("b")), 1);
    QCOMPARE(Control.ActiveIndex(), 0);
    QCOMPARE(Changed.count(), 1);

    Control.SetTabCaption(1, QStringLiteral("&b"));
    Control.SetTabColor(1, Qt::red);
    QCOMPARE(Captions(Control), QStringList({QStringLiteral("a"), QStringLiteral("&b")}));
    QCOMPARE(Control.TabColor(1), QColor(Qt::red));
    QVERIFY(!Control.TabColor(0).isValid());

    // Writes past the last tab reach nothing.
    Control.SetTabCaption(2, QStringLiteral("x"));
    Control.SetTabColor(2, Qt::blue);
    Control.SetTabHint(2, QStringLiteral("x"));
    QCOMPARE(Control.NewTabButton()->text(), newTabButton ? NewTabCaption : QString());
    QCOMPARE(Control.TabBar()->count(), 2);
    QCOMPARE(Control.Count(), 2);

    Control.SetActiveIndex(1);
    QCOMPARE(Control.ActiveIndex(), 1);
    QCOMPARE(Changed.count(), 2);
    Control.SetActiveIndex(1);
    Control.SetActiveIndex(2);
    QCOMPARE(Control.ActiveIndex(), 1);
    QCOMPARE(Changed.count(), 2);

    Control.Clear();
    QCOMPARE(Control.Count(), 0);
    QCOMPARE(Control.ActiveIndex(), -1);
    const int AfterClear = Changed.count();
    QCOMPARE(Control.AddTab(QStringLiteral("c")), 0);
    QCOMPARE(Control.ActiveIndex(), 0);
    QCOMPARE(Changed.count(), AfterClear + 1);
    QVERIFY(!Control.TabColor(0).isValid());
}

void TColorTabControlTest::NewTabButton_data()
{
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("appends");
    QTest::newRow("no handler") << 3 << Unset << true;
    QTest::newRow("handler declines") << 3 << 0 << true;
    QTest::newRow("handler handles") << 3 << 1 << false;
    QTest::newRow("no tabs yet") << 0 << Unset << true;
}

void TColorTabControlTest::NewTabButton()
{
    QFETCH(int, tabs);
    QFETCH(int, answer);
    QFETCH(bool, appends);
    TColorTabControl Control;
    Fill(Control, tabs);
    QVERIFY(Show(Control));
    Control.SetActiveIndex(tabs - 2);
    const int ActiveBefore = Control.ActiveIndex();
    int Calls = 0;
    if (answer != Unset)
        Control.OnNewTabButtonClick = [&] { return ++Calls, answer == 1; };
    QList<int> SeenByHandler;
    connect(&Control, &TColorTabControl::changed, this,
            [&] { SeenByHandler << Control.ActiveIndex() << Control.Count(); });

    QTest::mouseClick(Control.NewTabButton(), Qt::LeftButton);

    QCOMPARE(Calls, answer == Unset ? 0 : 1);
    if (appends) {
        QCOMPARE(Control.Count(), tabs + 1);
        QCOMPARE(Control.TabCaption(tabs), QString());
        QCOMPARE(Control.ActiveIndex(), tabs);
        QCOMPARE(SeenByHandler, QList<int>({tabs, tabs + 1}));
    } else {
        QCOMPARE(Control.Count(), tabs);
        QCOMPARE(Control.ActiveIndex(), ActiveBefore);
        QCOMPARE(SeenByHandler, QList<int>());
    }
    QCOMPARE(Control.TabBar()->count(), Control.Count());
}

void TColorTabControlTest::NewTabButtonStaysInSight_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::newRow("the usual font") << 0;
    QTest::newRow("a large font") << 24;
}

void TColorTabControlTest::NewTabButtonStaysInSight()
{
    QFETCH(int, pointSize);
    TColorTabControl Control;
    if (pointSize > 0) {
        QFont Large = Control.font();
        Large.setPointSize(pointSize);
        Control.setFont(Large);
    }
    Fill(Control, 40);
    Control.resize(4 * TabWidth, 200);
    QVERIFY(Show(Control));
    Control.SetActiveIndex(39);
    QToolButton* Button = Control.NewTabButton();
    QVERIFY(Button->isVisible());
    QVERIFY(Control.rect().contains(Button->geometry()));
    // Its whole caption fits, in whatever font it has.
    const QString Shown = QString(NewTabCaption).remove(u'&');
    QVERIFY(Button->width() >= Button->sizeHint().width());
    QVERIFY(Button->contentsRect().width() > Button->fontMetrics().horizontalAdvance(Shown));
    // Nothing is drawn over it: the window shows what the button paints.
    QCOMPARE(Control.grab(Button->geometry()).toImage().convertToFormat(QImage::Format_RGB32),
             Button->grab().toImage().convertToFormat(QImage::Format_RGB32));
    // Keys walk the tabs only.
    TColorTabBar* Bar = Control.TabBar();
    Bar->setFocus();
    QTest::keyClick(Bar, Qt::Key_Right);
    QCOMPARE(Control.ActiveIndex(), 39);
    QCOMPARE(Control.Count(), 40);
}

void TColorTabControlTest::CloseButton_data()
{
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("closed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("activeAfter");
    QTest::addColumn<bool>("changes");
    const QString T1 = QStringLiteral("1"), T2 = QStringLiteral("2"), T3 = QStringLiteral("3"),
                  T4 = QStringLiteral("4");
    QTest::newRow("refused") << 4 << 1 << 1 << 0 << QStringList({T1, T2, T3, T4}) << 1 << false;
    QTest::newRow("active, no handler")
        << 4 << 1 << 1 << Unset << QStringList({T1, T3, T4}) << 1 << true;
    QTest::newRow("active in the middle")
        << 4 << 1 << 1 << 1 << QStringList({T1, T3, T4}) << 1 << true;
    QTest::newRow("active and last") << 4 << 3 << 3 << 1 << QStringList({T1, T2, T3}) << 2 << true;
    QTest::newRow("before the active")
        << 4 << 2 << 0 << 1 << QStringList({T2, T3, T4}) << 1 << false;
    QTest::newRow("after the active")
        << 4 << 1 << 3 << 1 << QStringList({T1, T2, T3}) << 1 << false;
    QTest::newRow("the only tab") << 1 << 0 << 0 << 1 << QStringList() << -1 << true;
}

void TColorTabControlTest::CloseButton()
{
    QFETCH(int, tabs);
    QFETCH(int, active);
    QFETCH(int, closed);
    QFETCH(int, answer);
    QFETCH(QStringList, order);
    QFETCH(int, activeAfter);
    QFETCH(bool, changes);
    TColorTabControl Control;
    Fill(Control, tabs);
    QVERIFY(Show(Control));
    Control.SetActiveIndex(active);
    const QString ActiveCaption = Control.TabCaption(active);
    QList<int> Asked;
    if (answer != Unset)
        Control.OnCanClose = [&](int AIndex) { return Asked << AIndex, answer == 1; };
    QList<int> SeenByHandler;
    connect(&Control, &TColorTabControl::changed, this,
            [&] { SeenByHandler << Control.ActiveIndex() << Control.Count(); });

    const QRect Button = CloseButtonOf(Control.TabBar(), closed);
    QVERIFY(!Button.isEmpty());
    QTest::mouseClick(Control.TabBar(), Qt::LeftButton, {}, Button.center());

    QCOMPARE(Asked, answer == Unset ? QList<int>() : QList<int>({closed}));
    QCOMPARE(Captions(Control), order);
    QCOMPARE(Control.ActiveIndex(), activeAfter);
    QCOMPARE(SeenByHandler, changes ? QList<int>({activeAfter, int(order.size())}) : QList<int>());
    if (!changes)
        QCOMPARE(Control.TabCaption(activeAfter), ActiveCaption);
}

void TColorTabControlTest::Drag_data()
{
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("path");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("end");
    const QString T1 = QStringLiteral("1"), T2 = QStringLiteral("2"), T3 = QStringLiteral("3");
    const QStringList Unmoved({T1, T2, T3});
    QTest::newRow("first to the end")
        << 1 << 0 << QList<int>({1, 2}) << QStringList({T2, T3, T1}) << 2;
    QTest::newRow("active first to the end")
        << 0 << 0 << QList<int>({2}) << QStringList({T2, T3, T1}) << 2;
    QTest::newRow("last to the front")
        << 0 << 2 << QList<int>({0}) << QStringList({T3, T1, T2}) << 0;
    QTest::newRow("past the last tab, onto the new-tab button")
        << 2 << 0 << QList<int>({2, PastTheTabs}) << Unmoved << 0;
    QTest::newRow("released without moving") << 0 << 1 << QList<int>() << Unmoved << 1;
    QTest::newRow("brought back") << 2 << 0 << QList<int>({2, 0}) << Unmoved << 0;
    QTest::newRow("dropped off the strip")
        << 1 << 0 << QList<int>({2, OffTheStrip}) << Unmoved << 0;
}

void TColorTabControlTest::Drag()
{
    QFETCH(int, active);
    QFETCH(int, from);
    QFETCH(QList<int>, path);
    QFETCH(QStringList, order);
    QFETCH(int, end);
    TColorTabControl Control;
    Fill(Control, 3);
    QVERIFY(Show(Control));
    Control.SetActiveIndex(active);
    const QStringList Before = Captions(Control);
    QList<int> SeenByHandler;
    connect(&Control, &TColorTabControl::changed, this,
            [&] { SeenByHandler << Control.ActiveIndex(); });
    QSignalSpy Ended(&Control, &TColorTabControl::tabEndDrag);
    TColorTabBar* Bar = Control.TabBar();

    QPoint Pos = TabCenter(Bar, from);
    QTest::mousePress(Bar, Qt::LeftButton, {}, Pos);
    QCOMPARE(Control.ActiveIndex(), from);
    for (const int Step : path) {
        Pos = TabCenter(Bar, Step);
        QTest::mouseMove(Bar, Pos);
    }
    QCOMPARE(Captions(Control), Before);
    QCOMPARE(Ended.count(), 0);
    QTest::mouseRelease(Bar, Qt::LeftButton, {}, Pos);

    QCOMPARE(Captions(Control), order);
    QCOMPARE(Control.ActiveIndex(), end);
    QCOMPARE(Control.TabCaption(end), Before.at(from));
    QCOMPARE(SeenByHandler, active == from ? QList<int>() : QList<int>({from}));
    QCOMPARE(Ended.count(), 1);
    QCOMPARE(Ended.at(0).at(0).toInt(), end);
    QCOMPARE(Bar->count(), 3);
}

void TColorTabControlTest::AltMnemonics_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("active");
    QTest::newRow("a tab") << int(Qt::Key_3) << 3 << 2;
    QTest::newRow("the new-tab button") << int(Qt::Key_G) << 4 << 3;
}

void TColorTabControlTest::AltMnemonics()
{
    QFETCH(int, key);
    QFETCH(int, count);
    QFETCH(int, active);
    TColorTabControl Control;
    Fill(Control, 0);
    for (int Index = 1; Index <= 3; ++Index)
        Control.AddTab(QStringLiteral("&%1.").arg(Index));
    Control.show();
    Control.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Control));
    QSignalSpy Changed(&Control, &TColorTabControl::changed);

    QTest::keyClick(&Control, Qt::Key(key), Qt::AltModifier);
    // A button's mnemonic shows it pressed for a moment before it clicks.
    QTRY_COMPARE(Control.Count(), count);
    QCOMPARE(Control.ActiveIndex(), active);
    QCOMPARE(Changed.count(), 1);
}

void TColorTabControlTest::SharedAcceleratorsTakeTurns()
{
    TColorTabControl Control;
    Fill(Control, 0);
    for (int Index = 1; Index <= 12; ++Index)
        Control.AddTab(QStringLiteral("&%1.").arg(Index));
    Control.SetTabCaption(11, QStringLiteral("&x"));
    Control.show();
    Control.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Control));
    QList<int> Visited;
    for (int Press = 0; Press < 4; ++Press) {
        QTest::keyClick(&Control, Qt::Key_1, Qt::AltModifier);
        Visited << Control.ActiveIndex();
    }
    QCOMPARE(Visited, QList<int>({9, 10, 0, 9}));
    QTest::keyClick(&Control, Qt::Key_X, Qt::AltModifier);
    QCOMPARE(Control.ActiveIndex(), 11);
    // Renamed tabs give their accelerators up.
    Control.SetTabCaption(0, QStringLiteral("a"));
    QTest::keyClick(&Control, Qt::Key_1, Qt::AltModifier);
    QCOMPARE(Control.ActiveIndex(), 9);
}

void TColorTabControlTest::TabWidths()
{
    TColorTabControl Control;
    Fill(Control, 1);
    Control.AddTab(QString(200, u'W'));
    QVERIFY(Show(Control));
    TColorTabBar* Bar = Control.TabBar();
    QCOMPARE(Bar->tabRect(0).width(), TabWidth);
    QCOMPARE(Bar->tabRect(1).width(), TabWidth);
    QCOMPARE(Control.NewTabButton()->width(),
             std::max(NewTabWidth, Control.NewTabButton()->sizeHint().width()));

    Control.SetTabWidth(120);
    QCOMPARE(Bar->tabRect(1).width(), 120);
}

void TColorTabControlTest::ManyTabsScroll()
{
    TColorTabControl Control;
    Fill(Control, 30);
    QVERIFY(Control.minimumSizeHint().width() < 2 * TabWidth);
    Control.resize(3 * TabWidth, 200);
    QVERIFY(Show(Control));
    Control.SetActiveIndex(29);
    TColorTabBar* Bar = Control.TabBar();
    QVERIFY(Bar->rect().intersects(Bar->tabRect(29)));
    QCOMPARE(Bar->tabRect(29).width(), TabWidth);
    const auto Buttons = Bar->findChildren<QToolButton*>();
    QVERIFY(std::any_of(Buttons.begin(), Buttons.end(), [](auto* B) { return B->isVisible(); }));
}

void TColorTabControlTest::WalkingTheStrip_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("move");
    QTest::addColumn<int>("active");
    QTest::newRow("End") << 0 << QStringLiteral("End") << 29;
    QTest::newRow("Home") << 29 << QStringLiteral("Home") << 0;
    QTest::newRow("Right") << 5 << QStringLiteral("Right") << 6;
    QTest::newRow("Left at the first") << 0 << QStringLiteral("Left") << 0;
    QTest::newRow("Right at the last") << 29 << QStringLiteral("Right") << 29;
    QTest::newRow("wheel down") << 0 << QStringLiteral("wheel down") << 1;
    QTest::newRow("wheel up") << 1 << QStringLiteral("wheel up") << 0;
    QTest::newRow("scroll button") << 0 << QStringLiteral("scroll button") << 0;
}

// However the active tab changes, it is scrolled into sight; the scroll
// buttons move the strip alone.
void TColorTabControlTest::WalkingTheStrip()
{
    QFETCH(int, start);
    QFETCH(QString, move);
    QFETCH(int, active);
    TColorTabControl Control;
    Fill(Control, 30);
    Control.resize(3 * TabWidth, 200);
    QVERIFY(Show(Control));
    Control.SetActiveIndex(start);
    TColorTabBar* Bar = Control.TabBar();
    const QPoint Middle = Bar->rect().center();
    const auto Wheel = [&](int ADelta) {
        QWheelEvent Event(Middle, Bar->mapToGlobal(Middle), QPoint(), QPoint(0, ADelta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Bar, &Event);
    };
    if (move == QLatin1String("wheel down"))
        Wheel(-120);
    else if (move == QLatin1String("wheel up"))
        Wheel(120);
    else if (move == QLatin1String("scroll button")) {
        const auto Buttons = Bar->findChildren<QToolButton*>();
        QToolButton* Right = *std::max_element(Buttons.begin(), Buttons.end(),
                                               [](auto* A, auto* B) { return A->x() < B->x(); });
        QTest::mouseClick(Right, Qt::LeftButton);
    } else
        QTest::keyClick(Bar, QKeySequence(move)[0].key());
    QCOMPARE(Control.ActiveIndex(), active);
    const QRect Tab = Bar->tabRect(active);
    if (move == QLatin1String("scroll button"))
        QVERIFY(Tab.left() < 0);
    else
        QVERIFY(Bar->rect().contains(Tab.center()));
}

void TColorTabControlTest::TabColors_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("textShade");
    QTest::addColumn<bool>("active");
    for (const QString& Style : {QString(), QStringLiteral("Fusion"), QStringLiteral("Windows")}) {
        const QByteArray Name = Style.isEmpty() ? QByteArrayLiteral("default") : Style.toLatin1();
        for (const bool Active : {false, true}) {
            const char* Where = Active ? "active" : "inactive";
            QTest::addRow("%s navy %s", Name.constData(), Where)
                << Style << QColor(0, 0, 128) << 255 << Active;
            QTest::addRow("%s green %s", Name.constData(), Where)
                << Style << QColor(0, 255, 0) << 0 << Active;
        }
    }
}

void TColorTabControlTest::TabColors()
{
    QFETCH(QString, style);
    QFETCH(QColor, color);
    QFETCH(int, textShade);
    QFETCH(bool, active);
    std::unique_ptr<QStyle> Style(style.isEmpty() ? nullptr : QStyleFactory::create(style));
    if (!style.isEmpty() && !Style)
        QSKIP("style not available");
    TColorTabControl Control;
    if (Style)
        Control.TabBar()->setStyle(Style.get());
    Fill(Control, 0);
    Control.AddTab(QStringLiteral("MMMMMMMM"));
    Control.AddTab(QStringLiteral("MMMMMMMM"));
    Control.SetActiveIndex(active ? 1 : 0);
    QVERIFY(Show(Control));
    TColorTabBar* Bar = Control.TabBar();
    const QRect Tab = Bar->tabRect(1);
    const QImage Plain = Bar->grab().toImage();

    Control.SetTabColor(1, color);
    const QImage Colored = Bar->grab().toImage();
    QCOMPARE(Colored.pixelColor(Tab.left() + 10, Tab.center().y()), color);
    QVERIFY(HasTextOfShade(Colored, Tab, textShade));

    // Taking the colour away gives back the style's own tab.
    Control.SetTabColor(1, QColor());
    QCOMPARE(Bar->grab().toImage(), Plain);
}

VERBANTO_QTEST_MAIN(TColorTabControlTest)
#include "colortabbar_test.moc"
