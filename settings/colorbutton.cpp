// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorbutton.h"

#include "qcolor.h"

#include <QActionGroup>
#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>
#include <array>

namespace {

struct TPaletteEntry
{
    TColor Color;
    const char16_t* Name;
};

// The sixteen colours every display could show, as the stored settings
// already use them (olive, navy and red are the defaults).
constexpr std::array<TPaletteEntry, 16> StandardColors{{
    {0x00000000, u"Nero"},
    {0x00000080, u"Marrone"},
    {0x00008000, u"Verde"},
    {0x00008080, u"Oliva"},
    {0x00800000, u"Blu marino"},
    {0x00800080, u"Porpora"},
    {0x00808000, u"Verde acqua"},
    {0x00808080, u"Grigio"},
    {0x00C0C0C0, u"Argento"},
    {0x000000FF, u"Rosso"},
    {0x0000FF00, u"Lime"},
    {0x0000FFFF, u"Giallo"},
    {0x00FF0000, u"Blu"},
    {0x00FF00FF, u"Fucsia"},
    {0x00FFFF00, u"Azzurro"},
    {0x00FFFFFF, u"Bianco"},
}};

QIcon Swatch(const QColor& AColor)
{
    QPixmap Pixmap(16, 16);
    Pixmap.fill(AColor);
    QPainter Painter(&Pixmap);
    Painter.setPen(Qt::darkGray);
    Painter.drawRect(0, 0, 15, 15);
    return QIcon(Pixmap);
}

} // namespace

TColorButton::TColorButton(QWidget* AParent)
    : QPushButton(AParent), ColorDialog([](const QColor& AInitial, QWidget* ADialogParent) {
          return QColorDialog::getColor(AInitial, ADialogParent);
      })
{
    // Enter belongs to the dialog's default button, not to the palette.
    setAutoDefault(false);
    auto* Menu = new QMenu(this);
    FPalette = new QActionGroup(this);
    FPalette->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const TPaletteEntry& Entry : StandardColors) {
        QAction* Action =
            Menu->addAction(Swatch(ToQColor(Entry.Color)), QString::fromUtf16(Entry.Name));
        Action->setCheckable(true);
        Action->setData(Entry.Color);
        FPalette->addAction(Action);
        connect(Action, &QAction::triggered, this,
                [this, Color = Entry.Color] { SetColor(Color); });
    }
    Menu->addSeparator();
    connect(Menu->addAction(QStringLiteral("&Altro...")), &QAction::triggered, this,
            &TColorButton::PickOther);
    connect(Menu, &QMenu::aboutToShow, this, &TColorButton::MarkCurrent);
    setMenu(Menu);
}

void TColorButton::SetColor(TColor AValue)
{
    if (AValue == FColor)
        return;
    FColor = AValue;
    update();
    emit ColorChanged(FColor);
}

void TColorButton::MarkCurrent()
{
    // A colour outside the palette leaves no entry ticked.
    for (QAction* Action : FPalette->actions())
        Action->setChecked(Action->data().toInt() == FColor);
}

void TColorButton::PickOther()
{
    if (!ColorDialog)
        return;
    const QColor Picked = ColorDialog(ToQColor(FColor), window());
    if (Picked.isValid())
        SetColor(FromQColor(Picked));
}

void TColorButton::paintEvent(QPaintEvent* AEvent)
{
    QPushButton::paintEvent(AEvent);
    QStyleOptionButton Option;
    initStyleOption(&Option);
    QRect Face = style()->subElementRect(QStyle::SE_PushButtonContents, &Option, this);
    // Keep clear of the drop-down arrow the style draws on the right.
    Face.setRight(Face.right() -
                  style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &Option, this) - 2);
    Face.adjust(3, 3, -3, -3);
    if (Face.isEmpty())
        return;
    QPainter Painter(this);
    QColor Fill = ToQColor(FColor);
    if (!isEnabled())
        Fill.setAlphaF(0.4f);
    Painter.fillRect(Face, Fill);
    Painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    Painter.drawRect(Face.adjusted(0, 0, -1, -1));
}
