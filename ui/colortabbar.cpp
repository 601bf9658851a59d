// SPDX-License-Identifier: GPL-3.0-or-later
#include "colortabbar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QSignalBlocker>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// How far the colour stays inside the style's tab outline.
constexpr int ColorInset = 3;
constexpr int DropMarkWidth = 3;
constexpr int CloseMargin = 6;

// The caption as read out: "&&" is one "&", and a single "&" marks the accelerator.
QString PlainCaption(const QString& ACaption)
{
    QString Plain;
    Plain.reserve(ACaption.size());
    for (qsizetype I = 0; I < ACaption.size(); ++I) {
        if (ACaption.at(I) == u'&' && I + 1 < ACaption.size())
            ++I;
        Plain += ACaption.at(I);
    }
    return Plain;
}

// Weighted by how bright each primary looks, so pure green counts as light.
QColor ReadableText(const QColor& ABackground)
{
    const int Lightness =
        (299 * ABackground.red() + 587 * ABackground.green() + 114 * ABackground.blue()) / 1000;
    return Lightness >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

// At least as wide as asked, and always as wide as its caption needs in its
// font: a minimum width set on the widget would let a layout squeeze it to that.
class TNewTabButton : public QToolButton
{
public:
    using QToolButton::QToolButton;
    void SetLeastWidth(int AWidth)
    {
        FLeastWidth = AWidth;
        updateGeometry();
    }
    QSize sizeHint() const override
    {
        const QSize Size = QToolButton::sizeHint();
        return {std::max(Size.width(), FLeastWidth), Size.height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    int FLeastWidth = 0;
};

} // namespace

TColorTabBar::TColorTabBar(QWidget* AParent) : QTabBar(AParent)
{
    // The close buttons are drawn and hit-tested here: QTabBar lays out all
    // tabs again for each button widget it adds, which made opening a
    // document of a thousand attempts take half a minute.
    setMouseTracking(true);
    // Many attempts scroll instead of widening the window, and with the
    // scroll buttons QTabBar never squeezes a tab below its size hint.
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideRight);
    setExpanding(false);
    setDrawBase(true);
}

void TColorTabBar::SetTabWidth(int AWidth)
{
    FTabWidth = AWidth;
    Relayout();
}

// QTabBar may lay out a tab it is inserting before it reports it.
QString TColorTabBar::Caption(int AIndex) const
{
    return AIndex >= 0 && AIndex < static_cast<int>(FTabs.size())
               ? FTabs[static_cast<std::size_t>(AIndex)].Caption
               : QString();
}

void TColorTabBar::SetCaption(int AIndex, const QString& ACaption)
{
    TTab& Tab = FTabs.at(static_cast<std::size_t>(AIndex));
    ReleaseMnemonic(Tab.Caption);
    Tab.Caption = ACaption;
    GrabMnemonic(ACaption);
    setAccessibleTabName(AIndex, PlainCaption(ACaption));
    if (FTabWidth <= 0)
        Relayout();
    update();
}

QColor TColorTabBar::TabColor(int AIndex) const
{
    return AIndex >= 0 && AIndex < static_cast<int>(FTabs.size())
               ? FTabs[static_cast<std::size_t>(AIndex)].Color
               : QColor();
}

void TColorTabBar::SetTabColor(int AIndex, const QColor& AColor)
{
    FTabs.at(static_cast<std::size_t>(AIndex)).Color = AColor;
    update();
}

void TColorTabBar::GrabMnemonic(const QString& ACaption)
{
    const QKeySequence Key = QKeySequence::mnemonic(ACaption);
    if (Key.isEmpty())
        return;
    TMnemonic& Mnemonic = FMnemonics[Key];
    if (Mnemonic.Uses++ == 0)
        Mnemonic.Id = grabShortcut(Key);
}

void TColorTabBar::ReleaseMnemonic(const QString& ACaption)
{
    const auto Found = FMnemonics.find(QKeySequence::mnemonic(ACaption));
    if (Found == FMnemonics.end() || --Found->Uses > 0)
        return;
    releaseShortcut(Found->Id);
    FMnemonics.erase(Found);
}

void TColorTabBar::ChooseByMnemonic(int AShortcutId)
{
    const auto Found = std::find_if(FMnemonics.cbegin(), FMnemonics.cend(),
                                    [&](const TMnemonic& M) { return M.Id == AShortcutId; });
    if (Found == FMnemonics.cend())
        return;
    const int Count = count();
    for (int Step = 1; Step <= Count; ++Step) {
        const int Index = (currentIndex() + Step) % Count;
        if (QKeySequence::mnemonic(Caption(Index)) == Found.key()) {
            setCurrentIndex(Index);
            return;
        }
    }
}

// Every layout asks every tab, and every insert or caption change lays out
// all tabs: measuring captions there made a document of many attempts cost
// time in the square of their number. The width is fixed, and the height
// needs only one line of text and the close button, the same for all tabs.
QSize TColorTabBar::tabSizeHint(int AIndex) const
{
    const int Width = FTabWidth > 0 ? FTabWidth : CaptionWidth(AIndex);
    if (FHintHeight < 0) {
        QStyleOptionTab Option;
        Option.initFrom(this);
        Option.shape = shape();
        const int Button = style()->pixelMetric(QStyle::PM_TabCloseIndicatorHeight, &Option, this);
        const int Contents = qMax(fontMetrics().height(), Button) +
                             style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &Option, this);
        FHintHeight =
            style()
                ->sizeFromContents(QStyle::CT_TabBarTab, &Option, QSize(Width, Contents), this)
                .height();
    }
    return {Width, FHintHeight};
}

QSize TColorTabBar::minimumTabSizeHint(int AIndex) const
{
    return tabSizeHint(AIndex);
}

// The tabs' own texts are empty: wide enough for the caption and the close button.
int TColorTabBar::CaptionWidth(int AIndex) const
{
    QStyleOptionTab Option;
    initStyleOption(&Option, AIndex);
    const QSize Text = fontMetrics().size(Qt::TextShowMnemonic, Caption(AIndex));
    const int Space = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &Option, this);
    return Text.width() + Space + 2 * CloseMargin +
           style()->pixelMetric(QStyle::PM_TabCloseIndicatorWidth, &Option, this);
}

void TColorTabBar::tabInserted(int AIndex)
{
    FTabs.insert(FTabs.begin() + AIndex, TTab());
    QTabBar::tabInserted(AIndex);
    // QTabBar tells the layout of its new size only while it is shown.
    updateGeometry();
    CancelDrag();
}

void TColorTabBar::tabRemoved(int AIndex)
{
    ReleaseMnemonic(Caption(AIndex));
    FTabs.erase(FTabs.begin() + AIndex);
    QTabBar::tabRemoved(AIndex);
    updateGeometry();
    CancelDrag();
}

bool TColorTabBar::event(QEvent* AEvent)
{
    if (AEvent->type() == QEvent::Leave && FHoveredClose >= 0) {
        FHoveredClose = -1;
        update();
    }
    if (AEvent->type() == QEvent::FontChange || AEvent->type() == QEvent::StyleChange)
        FHintHeight = -1;
    if (AEvent->type() == QEvent::Shortcut) {
        ChooseByMnemonic(static_cast<QShortcutEvent*>(AEvent)->shortcutId());
        return true;
    }
    if (AEvent->type() == QEvent::ToolTip) {
        // The hint is the attempt's own text: "<b>" in it is no markup.
        const QPoint Pos = static_cast<QHelpEvent*>(AEvent)->pos();
        const int Index = tabAt(Pos);
        const QString Hint = Index >= 0 ? tabToolTip(Index) : QString();
        if (Hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(AEvent)->globalPos(),
                               Qt::convertFromPlainText(Hint, Qt::WhiteSpaceNormal), this,
                               tabRect(Index));
        return true;
    }
    return QTabBar::event(AEvent);
}

void TColorTabBar::Relayout()
{
    // QTabBar has no public relayout; setting the elide mode runs one.
    setElideMode(elideMode());
    updateGeometry();
}

void TColorTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter Painter(this);
    if (drawBase())
        PaintBase(Painter);
    const int Current = currentIndex();
    for (int Index = 0; Index < count(); ++Index) {
        if (Index != Current)
            PaintTab(Painter, Index);
    }
    // The selected tab overlaps its neighbours, so it goes last.
    if (Current >= 0)
        PaintTab(Painter, Current);
    if (FDragging && FDropIndex != FDragIndex)
        PaintDropMark(Painter);
}

void TColorTabBar::PaintBase(QStylePainter& APainter) const
{
    QStyleOptionTabBarBase Option;
    Option.initFrom(this);
    Option.shape = shape();
    Option.documentMode = documentMode();
    for (int Index = 0; Index < count(); ++Index)
        Option.tabBarRect |= tabRect(Index);
    Option.selectedTabRect = tabRect(currentIndex());
    const int Overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, &Option, this);
    Option.rect = QRect(0, height() - Overlap, width(), Overlap);
    APainter.drawPrimitive(QStyle::PE_FrameTabBarBase, Option);
}

void TColorTabBar::PaintTab(QStylePainter& APainter, int AIndex) const
{
    // Preparing a tab elides its caption, which is costly: skip the hidden ones.
    if (!tabRect(AIndex).intersects(rect()))
        return;
    QStyleOptionTab Option;
    initStyleOption(&Option, AIndex);
    Option.rightButtonSize = CloseButtonRect(AIndex).size();
    // QTabBar elides for the room it would leave without the close button; in
    // less room the style centres the caption and cuts it at both ends.
    const QRect Text = style()->subElementRect(QStyle::SE_TabBarTabText, &Option, this);
    Option.text = Option.fontMetrics.elidedText(Caption(AIndex), Qt::ElideRight, Text.width(),
                                                Qt::TextShowMnemonic);
    const QColor Color = TabColor(AIndex);
    if (Color.isValid())
        Option.palette.setColor(foregroundRole(), ReadableText(Color));
    APainter.drawControl(QStyle::CE_TabBarTabShape, Option);
    if (Color.isValid())
        APainter.fillRect(ColorRect(Option), Color);
    APainter.drawControl(QStyle::CE_TabBarTabLabel, Option);
    PaintCloseButton(APainter, AIndex);
}

void TColorTabBar::PaintCloseButton(QStylePainter& APainter, int AIndex) const
{
    QStyleOption Option;
    Option.initFrom(this);
    Option.rect = CloseButtonRect(AIndex);
    Option.state |= QStyle::State_AutoRaise;
    if (AIndex == FHoveredClose) {
        Option.state |= QStyle::State_Raised | QStyle::State_MouseOver;
        if (AIndex == FPressedClose)
            Option.state |= QStyle::State_Sunken;
    }
    if (AIndex == currentIndex())
        Option.state |= QStyle::State_Selected;
    APainter.drawPrimitive(QStyle::PE_IndicatorTabClose, Option);
}

QRect TColorTabBar::CloseButtonRect(int AIndex) const
{
    if (AIndex < 0 || AIndex >= count())
        return {};
    QStyleOption Option;
    Option.initFrom(this);
    const int Width = style()->pixelMetric(QStyle::PM_TabCloseIndicatorWidth, &Option, this);
    const int Height = style()->pixelMetric(QStyle::PM_TabCloseIndicatorHeight, &Option, this);
    const QRect Tab = tabRect(AIndex);
    return QRect(Tab.right() - CloseMargin - Width + 1, Tab.center().y() - Height / 2, Width,
                 Height);
}

int TColorTabBar::CloseButtonAt(const QPoint& APos) const
{
    const int Index = tabAt(APos);
    return CloseButtonRect(Index).contains(APos) ? Index : -1;
}

QRect TColorTabBar::ColorRect(const QStyleOptionTab& AOption) const
{
    QRect Rect = AOption.rect.adjusted(ColorInset, ColorInset, -ColorInset, -ColorInset + 1);
    // Styles draw the tabs that are not selected lower down.
    if (!(AOption.state & QStyle::State_Selected))
        Rect.setTop(Rect.top() +
                    style()->pixelMetric(QStyle::PM_TabBarTabShiftVertical, &AOption, this) + 2);
    return Rect;
}

void TColorTabBar::PaintDropMark(QStylePainter& APainter) const
{
    const QRect Target = tabRect(FDropIndex);
    const int X = FDropIndex > FDragIndex ? Target.right() - DropMarkWidth + 1 : Target.left();
    APainter.fillRect(QRect(X, Target.top(), DropMarkWidth, Target.height()),
                      palette().color(QPalette::Highlight));
}

void TColorTabBar::mousePressEvent(QMouseEvent* AEvent)
{
    const QPoint Pos = AEvent->position().toPoint();
    const int Index = tabAt(Pos);
    if (AEvent->button() != Qt::LeftButton || Index < 0) {
        QTabBar::mousePressEvent(AEvent);
        return;
    }
    FPressedClose = CloseButtonAt(Pos);
    if (FPressedClose >= 0) {
        update();
        AEvent->accept();
        return;
    }
    StartDrag(Index, Pos);
    AEvent->accept();
}

void TColorTabBar::mouseDoubleClickEvent(QMouseEvent* AEvent)
{
    // A quick second click, on a close button too, counts as a click.
    mousePressEvent(AEvent);
}

void TColorTabBar::mouseMoveEvent(QMouseEvent* AEvent)
{
    const int Hovered = CloseButtonAt(AEvent->position().toPoint());
    if (Hovered != FHoveredClose) {
        FHoveredClose = Hovered;
        update();
    }
    // The release went elsewhere, e.g. to a dialog opened on the press.
    if (!(AEvent->buttons() & Qt::LeftButton))
        CancelDrag();
    if (FDragIndex < 0) {
        QTabBar::mouseMoveEvent(AEvent);
        return;
    }
    const QPoint Pos = AEvent->position().toPoint();
    if (!FDragging && (Pos - FDragStart).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!FDragging) {
        FDragging = true;
        setCursor(Qt::DragMoveCursor);
    }
    const int Drop = DropIndex(Pos);
    if (Drop != FDropIndex) {
        FDropIndex = Drop;
        update();
    }
}

void TColorTabBar::mouseReleaseEvent(QMouseEvent* AEvent)
{
    const QPoint Pos = AEvent->position().toPoint();
    if (AEvent->button() != Qt::LeftButton) {
        QTabBar::mouseReleaseEvent(AEvent);
    } else if (FPressedClose >= 0) {
        const int Pressed = FPressedClose;
        FPressedClose = -1;
        update();
        if (CloseButtonAt(Pos) == Pressed)
            emit tabCloseRequested(Pressed);
    } else if (FDragIndex >= 0) {
        FinishDrag(Pos);
    } else {
        QTabBar::mouseReleaseEvent(AEvent);
    }
}

void TColorTabBar::StartDrag(int AIndex, const QPoint& APos)
{
    FDragIndex = AIndex;
    FDropIndex = AIndex;
    FDragStart = APos;
    FDragging = false;
    // Selected before any drag starts, so the dragged tab is the current one.
    // A handler that rebuilds the tabs here cancels the drag.
    setCurrentIndex(AIndex);
}

void TColorTabBar::FinishDrag(const QPoint& APos)
{
    const int From = FDragIndex;
    const int To = FDragging ? DropIndex(APos) : From;
    CancelDrag();
    if (To != From) {
        // The moved tab stays current; QTabBar would report its new index as a change.
        const QSignalBlocker Blocker(this);
        moveTab(From, To);
        const auto Moved = FTabs.begin() + From;
        const auto Target = FTabs.begin() + To;
        if (To < From)
            std::rotate(Target, Moved, Moved + 1);
        else
            std::rotate(Moved, Moved + 1, Target + 1);
    }
    emit dragEnded(To);
}

void TColorTabBar::CancelDrag()
{
    if (FDragging) {
        unsetCursor();
        update();
    }
    FDragIndex = -1;
    FDropIndex = -1;
    FDragging = false;
}

int TColorTabBar::DropIndex(const QPoint& APos) const
{
    // Dropped off the strip: refused, the tab stays where it was.
    if (!rect().contains(APos))
        return FDragIndex;
    const int Last = count() - 1;
    const int Index = tabAt(APos);
    if (Index >= 0)
        return std::min(Index, Last);
    return APos.x() < tabRect(0).left() ? 0 : Last;
}

TColorTabControl::TColorTabControl(QWidget* AParent)
    : QWidget(AParent), FTabBar(new TColorTabBar(this)), FNewTab(new TNewTabButton(this)),
      FPage(new QWidget(this))
{
    FNewTab->setObjectName(QStringLiteral("btnNewTab"));
    FNewTab->setToolButtonStyle(Qt::ToolButtonTextOnly);
    FNewTab->hide();
    // The strip shrinks and scrolls before the button is pushed out of sight.
    auto* Row = new QHBoxLayout;
    Row->setSpacing(2);
    Row->addWidget(FTabBar);
    Row->addWidget(FNewTab, 0, Qt::AlignVCenter);
    Row->addStretch(1);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(QMargins());
    Layout->setSpacing(0);
    Layout->addLayout(Row);
    Layout->addWidget(FPage, 1);
    // Only the user gets here: every change made by this class blocks the bar's signals.
    connect(FTabBar, &QTabBar::currentChanged, this, &TColorTabControl::changed);
    connect(FTabBar, &QTabBar::tabCloseRequested, this, &TColorTabControl::CloseTab);
    connect(FNewTab, &QToolButton::clicked, this, &TColorTabControl::NewTabClicked);
    connect(FTabBar, &TColorTabBar::dragEnded, this, &TColorTabControl::tabEndDrag);
}

void TColorTabControl::Clear()
{
    const bool HadTabs = Count() > 0;
    {
        const QSignalBlocker Blocker(FTabBar);
        while (Count() > 0)
            FTabBar->removeTab(Count() - 1);
    }
    if (HadTabs)
        emit changed();
}

int TColorTabControl::AddTab(const QString& ACaption)
{
    const int Index = InsertTab(ACaption);
    if (Count() == 1)
        Activate(Index);
    return Index;
}

QString TColorTabControl::TabCaption(int AIndex) const
{
    return IsTab(AIndex) ? FTabBar->Caption(AIndex) : QString();
}

// A tab shows a few dozen characters; keeping thousands would make every
// layout and paint shape them all.
void TColorTabControl::SetTabCaption(int AIndex, const QString& ACaption)
{
    const QString Shown = ACaption.left(MaxCaptionLength);
    // Each caption change lays out all tabs, and most refreshes change nothing.
    if (IsTab(AIndex) && FTabBar->Caption(AIndex) != Shown)
        FTabBar->SetCaption(AIndex, Shown);
}

QString TColorTabControl::TabHint(int AIndex) const
{
    return IsTab(AIndex) ? FTabBar->tabToolTip(AIndex) : QString();
}

void TColorTabControl::SetTabHint(int AIndex, const QString& AHint)
{
    if (IsTab(AIndex))
        FTabBar->setTabToolTip(AIndex, AHint);
}

QColor TColorTabControl::TabColor(int AIndex) const
{
    return IsTab(AIndex) ? FTabBar->TabColor(AIndex) : QColor();
}

void TColorTabControl::SetTabColor(int AIndex, const QColor& AColor)
{
    if (IsTab(AIndex) && FTabBar->TabColor(AIndex) != AColor)
        FTabBar->SetTabColor(AIndex, AColor);
}

// A hidden tab bar postpones its layout to when it is shown again, so many
// tabs added or renamed at once cost one layout instead of one each.
void TColorTabControl::BeginUpdate()
{
    if (FUpdating++ == 0 && FTabBar->isVisible()) {
        FHiddenForUpdate = true;
        FTabBar->hide();
    }
}

void TColorTabControl::EndUpdate()
{
    if (--FUpdating == 0 && FHiddenForUpdate) {
        FHiddenForUpdate = false;
        FTabBar->show();
    }
}

int TColorTabControl::ActiveIndex() const
{
    const int Index = FTabBar->currentIndex();
    return IsTab(Index) ? Index : -1;
}

void TColorTabControl::SetActiveIndex(int AIndex)
{
    if (IsTab(AIndex) && AIndex != ActiveIndex())
        Activate(AIndex);
}

void TColorTabControl::SetNewTabButton(const QString& ACaption, int AWidth)
{
    FNewTab->setText(ACaption);
    static_cast<TNewTabButton*>(FNewTab)->SetLeastWidth(AWidth);
    FNewTab->show();
}

void TColorTabControl::Step(int ADelta)
{
    if (Count() > 1)
        SetActiveIndex(((ActiveIndex() + ADelta) % Count() + Count()) % Count());
}

int TColorTabControl::InsertTab(const QString& ACaption)
{
    const QSignalBlocker Blocker(FTabBar);
    const int Index = FTabBar->insertTab(Count(), QString());
    FTabBar->SetCaption(Index, ACaption.left(MaxCaptionLength));
    return Index;
}

void TColorTabControl::Activate(int AIndex)
{
    {
        const QSignalBlocker Blocker(FTabBar);
        FTabBar->setCurrentIndex(AIndex);
    }
    emit changed();
}

void TColorTabControl::CloseTab(int AIndex)
{
    if (!IsTab(AIndex) || (OnCanClose && !OnCanClose(AIndex)))
        return;
    const bool WasActive = AIndex == ActiveIndex();
    {
        // QTabBar reports a new current index for any removal before it, and
        // picks its own successor for the current tab; both are decided here.
        const QSignalBlocker Blocker(FTabBar);
        FTabBar->removeTab(AIndex);
        if (WasActive && Count() > 0)
            FTabBar->setCurrentIndex(std::min(AIndex, Count() - 1));
    }
    emit tabClosed(AIndex);
    if (WasActive)
        emit changed();
}

void TColorTabControl::NewTabClicked()
{
    if (OnNewTabButtonClick && OnNewTabButtonClick())
        return;
    Activate(InsertTab(QString()));
}
