// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QKeySequence>
#include <QMap>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <vector>

class QHelpEvent;
class QStylePainter;
class QStyleOptionTab;
class QToolButton;

// The strip of tabs of TColorTabControl: tabs of one width, each with its
// own background colour and close button; a caption too long for its tab
// loses its end, never its start, which holds the number. The tabs are
// drawn with the style's tab elements, but the strip is no QTabBar: that
// lays out all its tabs for every tab added, so that a document of many
// attempts opened in time the square of their number. Here a tab's place
// follows from its index, and only the tabs in sight are drawn.
//
// Tabs with the same accelerator share one shortcut, which goes to the next
// of them at each press. Dragging moves a tab only when it is dropped.
class TColorTabBar : public QWidget
{
    Q_OBJECT
public:
    explicit TColorTabBar(QWidget* AParent = nullptr);

    int count() const { return static_cast<int>(FTabs.size()); }
    // -1 when there are no tabs.
    int currentIndex() const { return FCurrent; }
    void setCurrentIndex(int AIndex);
    // Where the tab is drawn, scrolled; empty for no tab.
    QRect tabRect(int AIndex) const;
    int tabAt(const QPoint& APos) const;
    // A new tab with no caption and no colour.
    void InsertTab(int AIndex);
    void RemoveTab(int AIndex);

    QString Caption(int AIndex) const;
    void SetCaption(int AIndex, const QString& ACaption);
    QString Hint(int AIndex) const;
    void SetHint(int AIndex, const QString& AHint);
    void SetTabWidth(int AWidth);
    QColor TabColor(int AIndex) const;
    void SetTabColor(int AIndex, const QColor& AColor);
    // Where a tab's close button is drawn.
    QRect CloseButtonRect(int AIndex) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void currentChanged(int AIndex);
    void tabCloseRequested(int AIndex);
    // A press on a tab has been released: the tab's index after the drop.
    void dragEnded(int AIndex);

protected:
    bool event(QEvent* AEvent) override;
    void paintEvent(QPaintEvent* AEvent) override;
    void resizeEvent(QResizeEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;
    void wheelEvent(QWheelEvent* AEvent) override;
    void mousePressEvent(QMouseEvent* AEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* AEvent) override;
    void mouseMoveEvent(QMouseEvent* AEvent) override;
    void mouseReleaseEvent(QMouseEvent* AEvent) override;

private:
    struct TTab
    {
        QString Caption;
        QString Hint;
        QColor Color;
    };
    struct TMnemonic
    {
        int Id = 0;
        int Uses = 0;
    };

    const TTab* At(int AIndex) const;
    int TabHeight() const;
    // The width the tabs may use: all but the scroll buttons, when shown.
    int StripWidth() const;
    void ScrollTo(int AOffset);
    void MakeVisible(int AIndex);
    void Relayout();
    void StartDrag(int AIndex, const QPoint& APos);
    void FinishDrag(const QPoint& APos);
    void CancelDrag();
    int DropIndex(const QPoint& APos) const;
    void PaintBase(QStylePainter& APainter) const;
    void PaintTab(QStylePainter& APainter, int AIndex) const;
    void PaintDropMark(QStylePainter& APainter) const;
    void PaintCloseButton(QStylePainter& APainter, int AIndex) const;
    int CloseButtonAt(const QPoint& APos) const;
    QRect ColorRect(const QStyleOptionTab& AOption) const;
    void GrabMnemonic(const QString& ACaption);
    void ReleaseMnemonic(const QString& ACaption);
    void ChooseByMnemonic(int AShortcutId);
    void ShowHint(const QHelpEvent& AEvent);

    std::vector<TTab> FTabs;
    QMap<QKeySequence, TMnemonic> FMnemonics;
    QToolButton* FScrollLeft;
    QToolButton* FScrollRight;
    int FCurrent = -1;
    int FOffset = 0;
    int FTabWidth = 180;
    mutable int FHintHeight = -1;
    int FHoveredClose = -1;
    int FPressedClose = -1;
    int FDragIndex = -1;
    int FDropIndex = -1;
    bool FDragging = false;
    QPoint FDragStart;
};

// The tabs of the attempts above a page the window fills with the controls
// all tabs share. The new-tab button stands at the end of the row, outside
// the strip, so that it stays in sight however many tabs scroll.
//
// changed() is raised whenever another tab becomes the active one: by the
// user, and also synchronously from inside the writing calls (Clear, AddTab
// on an empty control, SetActiveIndex to another index). Two moves keep the
// same tab active and raise nothing: dropping a dragged tab, and deleting a
// tab other than the active one.
class TColorTabControl : public QWidget
{
    Q_OBJECT
public:
    // Captions are kept up to this length; no tab is wide enough for more.
    static constexpr int MaxCaptionLength = 256;

    explicit TColorTabControl(QWidget* AParent = nullptr);

    QWidget* Page() const { return FPage; }
    TColorTabBar* TabBar() const { return FTabBar; }

    int Count() const { return FTabBar->count(); }
    void Clear();
    // Appends a tab and returns its index; the first tab becomes active.
    int AddTab(const QString& ACaption);
    QString TabCaption(int AIndex) const;
    void SetTabCaption(int AIndex, const QString& ACaption);
    // An invalid colour gives the style's normal tab.
    QColor TabColor(int AIndex) const;
    void SetTabColor(int AIndex, const QColor& AColor);
    // Plain text shown when the pointer rests on the tab.
    QString TabHint(int AIndex) const;
    void SetTabHint(int AIndex, const QString& AHint);
    // -1 when there are no tabs. Out-of-range indexes are ignored.
    int ActiveIndex() const;
    void SetActiveIndex(int AIndex);

    // Shows the new-tab button after the last tab, or renames it; it is
    // AWidth wide at least, and wider when its caption needs it.
    void SetNewTabButton(const QString& ACaption, int AWidth);
    QToolButton* NewTabButton() const { return FNewTab; }
    // Moves to the next or previous tab, round from the last to the first.
    void Step(int ADelta);
    void SetTabWidth(int AWidth) { FTabBar->SetTabWidth(AWidth); }

    // Asked before a close button deletes its tab; unset lets it go.
    std::function<bool(int AIndex)> OnCanClose;
    // The new-tab button was clicked; true means the handler dealt with it.
    // Unset or false: an empty tab is appended and made active.
    std::function<bool()> OnNewTabButtonClick;

    // Asks OnCanClose about the tab, then deletes it.
    void CloseTab(int AIndex);

signals:
    void changed();
    void tabEndDrag(int AIndex);
    // After CloseTab deleted the tab that stood at AIndex, before changed()
    // when it was the active one.
    void tabClosed(int AIndex);

private:
    bool IsTab(int AIndex) const { return AIndex >= 0 && AIndex < Count(); }
    int InsertTab(const QString& ACaption);
    void Activate(int AIndex);
    void NewTabClicked();

    TColorTabBar* FTabBar;
    QToolButton* FNewTab;
    QWidget* FPage;
};
