// SPDX-License-Identifier: GPL-3.0-or-later
#include "colortabbar.h"

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QSignalBlocker>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace {

// How far the colour stays inside the style's tab outline.
constexpr int ColorInset = 3;
constexpr int DropMarkWidth = 3;
constexpr int CloseMargin = 6;

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

TColorTabBar::TColorTabBar(QWidget* AParent)
    : QWidget(AParent), FScrollLeft(new QToolButton(this)), FScrollRight(new QToolButton(this))
{
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
    FScrollLeft->setArrowType(Qt::LeftArrow);
    FScrollRight->setArrowType(Qt::RightArrow);
    for (QToolButton* Button : {FScrollLeft, FScrollRight}) {
        Button->setAutoRepeat(true);
        Button->setFocusPolicy(Qt::NoFocus);
        Button->hide();
    }
    connect(FScrollLeft, &QToolButton::clicked, this, [this] { ScrollTo(FOffset - FTabWidth); });
    connect(FScrollRight, &QToolButton::clicked, this, [this] { ScrollTo(FOffset + FTabWidth); });
}

const TColorTabBar::TTab* TColorTabBar::At(int AIndex) const
{
    return AIndex >= 0 && AIndex < count() ? &FTabs[static_cast<std::size_t>(AIndex)] : nullptr;
}

void TColorTabBar::setCurrentIndex(int AIndex)
{
    if (!At(AIndex) || AIndex == FCurrent)
        return;
    FCurrent = AIndex;
    MakeVisible(AIndex);
    update();
    emit currentChanged(AIndex);
}

QRect TColorTabBar::tabRect(int AIndex) const
{
    if (!At(AIndex))
        return {};
    return QRect(AIndex * FTabWidth - FOffset, 0, FTabWidth, TabHeight());
}

int TColorTabBar::tabAt(const QPoint& APos) const
{
    if (APos.x() < 0 || APos.x() >= StripWidth() || APos.y() < 0 || APos.y() >= TabHeight())
        return -1;
    const int Index = (APos.x() + FOffset) / FTabWidth;
    return Index < count() ? Index : -1;
}

void TColorTabBar::InsertTab(int AIndex)
{
    FTabs.insert(FTabs.begin() + AIndex, TTab());
    if (FCurrent >= AIndex)
        ++FCurrent;
    CancelDrag();
    Relayout();
}

void TColorTabBar::RemoveTab(int AIndex)
{
    ReleaseMnemonic(Caption(AIndex));
    FTabs.erase(FTabs.begin() + AIndex);
    if (FCurrent > AIndex || FCurrent >= count())
        --FCurrent;
    CancelDrag();
    Relayout();
}

QString TColorTabBar::Caption(int AIndex) const
{
    const TTab* Tab = At(AIndex);
    return Tab ? Tab->Caption : QString();
}

void TColorTabBar::SetCaption(int AIndex, const QString& ACaption)
{
    TTab& Tab = FTabs.at(static_cast<std::size_t>(AIndex));
    ReleaseMnemonic(Tab.Caption);
    Tab.Caption = ACaption;
    GrabMnemonic(ACaption);
    update();
}

QString TColorTabBar::Hint(int AIndex) const
{
    const TTab* Tab = At(AIndex);
    return Tab ? Tab->Hint : QString();
}

void TColorTabBar::SetHint(int AIndex, const QString& AHint)
{
    FTabs.at(static_cast<std::size_t>(AIndex)).Hint = AHint;
}

void TColorTabBar::SetTabWidth(int AWidth)
{
    FTabWidth = std::max(AWidth, 1);
    Relayout();
}

QColor TColorTabBar::TabColor(int AIndex) const
{
    const TTab* Tab = At(AIndex);
    return Tab ? Tab->Color : QColor();
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

// One line of text and the close button, the same for all tabs.
int TColorTabBar::TabHeight() const
{
    if (FHintHeight < 0) {
        QStyleOptionTab Option;
        Option.initFrom(this);
        Option.shape = QTabBar::RoundedNorth;
        const int Button = style()->pixelMetric(QStyle::PM_TabCloseIndicatorHeight, &Option, this);
        const int Contents = qMax(fontMetrics().height(), Button) +
                             style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &Option, this);
        FHintHeight =
            style()
                ->sizeFromContents(QStyle::CT_TabBarTab, &Option, QSize(FTabWidth, Contents), this)
                .height();
    }
    return FHintHeight;
}

int TColorTabBar::StripWidth() const
{
    return FScrollLeft->isVisible() ? FScrollLeft->x() : width();
}

QSize TColorTabBar::sizeHint() const
{
    return {count() * FTabWidth, TabHeight()};
}

QSize TColorTabBar::minimumSizeHint() const
{
    return {FTabWidth / 2 + 2 * FScrollLeft->sizeHint().width(), TabHeight()};
}

void TColorTabBar::Relayout()
{
    const bool Scrolls = count() * FTabWidth > width();
    const int Button = Scrolls ? FScrollLeft->sizeHint().width() : 0;
    FScrollLeft->setGeometry(width() - 2 * Button, 0, Button, TabHeight());
    FScrollRight->setGeometry(width() - Button, 0, Button, TabHeight());
    FScrollLeft->setVisible(Scrolls && isVisible());
    FScrollRight->setVisible(Scrolls && isVisible());
    ScrollTo(FOffset);
    updateGeometry();
    update();
}

void TColorTabBar::ScrollTo(int AOffset)
{
    const int Most = std::max(0, count() * FTabWidth - StripWidth());
    FOffset = std::clamp(AOffset, 0, Most);
    FScrollLeft->setEnabled(FOffset > 0);
    FScrollRight->setEnabled(FOffset < Most);
    update();
}

void TColorTabBar::MakeVisible(int AIndex)
{
    const int Left = AIndex * FTabWidth;
    if (Left < FOffset)
        ScrollTo(Left);
    else if (Left + FTabWidth > FOffset + StripWidth())
        ScrollTo(Left + FTabWidth - StripWidth());
}

void TColorTabBar::resizeEvent(QResizeEvent*)
{
    Relayout();
    if (FCurrent >= 0)
        MakeVisible(FCurrent);
}

bool TColorTabBar::event(QEvent* AEvent)
{
    switch (AEvent->type()) {
    case QEvent::Leave:
        FHoveredClose = -1;
        update();
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
        FHintHeight = -1;
        Relayout();
        break;
    case QEvent::Show:
        Relayout();
        break;
    case QEvent::Shortcut:
        ChooseByMnemonic(static_cast<QShortcutEvent*>(AEvent)->shortcutId());
        return true;
    case QEvent::ToolTip:
        ShowHint(*static_cast<QHelpEvent*>(AEvent));
        return true;
    default:
        break;
    }
    return QWidget::event(AEvent);
}

// The hint is the attempt's own text: "<b>" in it is no markup.
void TColorTabBar::ShowHint(const QHelpEvent& AEvent)
{
    const int Index = tabAt(AEvent.pos());
    const QString Text = Hint(Index);
    if (Text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(AEvent.globalPos(), Qt::convertFromPlainText(Text, Qt::WhiteSpaceNormal),
                           this, tabRect(Index));
}

void TColorTabBar::keyPressEvent(QKeyEvent* AEvent)
{
    int Target = -1;
    switch (AEvent->key()) {
    case Qt::Key_Left:
        Target = FCurrent - 1;
        break;
    case Qt::Key_Right:
        Target = FCurrent + 1;
        break;
    case Qt::Key_Home:
        Target = 0;
        break;
    case Qt::Key_End:
        Target = count() - 1;
        break;
    default:
        QWidget::keyPressEvent(AEvent);
        return;
    }
    setCurrentIndex(Target);
    AEvent->accept();
}

void TColorTabBar::wheelEvent(QWheelEvent* AEvent)
{
    const int Delta = AEvent->angleDelta().y() + AEvent->angleDelta().x();
    if (Delta != 0)
        setCurrentIndex(FCurrent + (Delta > 0 ? -1 : 1));
    AEvent->accept();
}

void TColorTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter Painter(this);
    Painter.setClipRect(QRect(0, 0, StripWidth(), height()));
    PaintBase(Painter);
    const int First = std::max(0, FOffset / FTabWidth);
    const int Last = std::min(count() - 1, (FOffset + StripWidth()) / FTabWidth);
    for (int Index = First; Index <= Last; ++Index) {
        if (Index != FCurrent)
            PaintTab(Painter, Index);
    }
    // The selected tab overlaps its neighbours, so it goes last.
    if (FCurrent >= First && FCurrent <= Last)
        PaintTab(Painter, FCurrent);
    if (FDragging && FDropIndex != FDragIndex)
        PaintDropMark(Painter);
}

void TColorTabBar::PaintBase(QStylePainter& APainter) const
{
    QStyleOptionTabBarBase Option;
    Option.initFrom(this);
    Option.shape = QTabBar::RoundedNorth;
    Option.tabBarRect = QRect(-FOffset, 0, count() * FTabWidth, TabHeight());
    Option.selectedTabRect = tabRect(FCurrent);
    const int Overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, &Option, this);
    Option.rect = QRect(0, height() - Overlap, width(), Overlap);
    APainter.drawPrimitive(QStyle::PE_FrameTabBarBase, Option);
}

void TColorTabBar::PaintTab(QStylePainter& APainter, int AIndex) const
{
    QStyleOptionTab Option;
    Option.initFrom(this);
    Option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    Option.rect = tabRect(AIndex);
    Option.shape = QTabBar::RoundedNorth;
    Option.tabIndex = AIndex;
    Option.row = 0;
    Option.rightButtonSize = CloseButtonRect(AIndex).size();
    if (AIndex == FCurrent) {
        Option.state |= QStyle::State_Selected;
        if (hasFocus())
            Option.state |= QStyle::State_HasFocus;
    }
    if (underMouse() && Option.rect.contains(mapFromGlobal(QCursor::pos())))
        Option.state |= QStyle::State_MouseOver;
    if (count() == 1)
        Option.position = QStyleOptionTab::OnlyOneTab;
    else if (AIndex == 0)
        Option.position = QStyleOptionTab::Beginning;
    else if (AIndex == count() - 1)
        Option.position = QStyleOptionTab::End;
    else
        Option.position = QStyleOptionTab::Middle;
    if (AIndex == FCurrent - 1)
        Option.selectedPosition = QStyleOptionTab::NextIsSelected;
    else if (AIndex == FCurrent + 1)
        Option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    else
        Option.selectedPosition = QStyleOptionTab::NotAdjacent;
    const QColor Color = TabColor(AIndex);
    if (Color.isValid())
        Option.palette.setColor(foregroundRole(), ReadableText(Color));
    // Cut for the room the close button leaves; where the caption overflows,
    // the style centres it and cuts it at both ends, number and all.
    const QRect Text = style()->subElementRect(QStyle::SE_TabBarTabText, &Option, this);
    Option.text = Option.fontMetrics.elidedText(Caption(AIndex), Qt::ElideRight, Text.width(),
                                                Qt::TextShowMnemonic);
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
        QWidget::mousePressEvent(AEvent);
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
        QWidget::mouseMoveEvent(AEvent);
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
        QWidget::mouseReleaseEvent(AEvent);
    } else if (FPressedClose >= 0) {
        const int Pressed = FPressedClose;
        FPressedClose = -1;
        update();
        if (CloseButtonAt(Pos) == Pressed)
            emit tabCloseRequested(Pressed);
    } else if (FDragIndex >= 0) {
        FinishDrag(Pos);
    } else {
        QWidget::mouseReleaseEvent(AEvent);
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
        const auto Moved = FTabs.begin() + From;
        const auto Target = FTabs.begin() + To;
        if (To < From)
            std::rotate(Target, Moved, Moved + 1);
        else
            std::rotate(Moved, Moved + 1, Target + 1);
        // The moved tab stays current: no change of tab to report.
        FCurrent = To;
        MakeVisible(To);
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
    connect(FTabBar, &TColorTabBar::currentChanged, this, &TColorTabControl::changed);
    connect(FTabBar, &TColorTabBar::tabCloseRequested, this, &TColorTabControl::CloseTab);
    connect(FNewTab, &QToolButton::clicked, this, &TColorTabControl::NewTabClicked);
    connect(FTabBar, &TColorTabBar::dragEnded, this, &TColorTabControl::tabEndDrag);
}

void TColorTabControl::Clear()
{
    const bool HadTabs = Count() > 0;
    {
        const QSignalBlocker Blocker(FTabBar);
        while (Count() > 0)
            FTabBar->RemoveTab(Count() - 1);
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
    return IsTab(AIndex) ? FTabBar->Hint(AIndex) : QString();
}

void TColorTabControl::SetTabHint(int AIndex, const QString& AHint)
{
    if (IsTab(AIndex))
        FTabBar->SetHint(AIndex, AHint);
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
    const int Index = Count();
    FTabBar->InsertTab(Index);
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
        FTabBar->RemoveTab(AIndex);
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
