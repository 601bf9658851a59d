// SPDX-License-Identifier: GPL-3.0-or-later
#include "letterboard.h"

#include "anagramengine.h"
#include "colors.h"
#include "residuallines.h"
#include "sizetable.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

namespace {

constexpr int Columns = 26;
// Kept free on either side of a count, so neighbouring counts never touch.
constexpr int CellPadding = 2;
const QColor UsedUpColor(0x80, 0x80, 0x80);

QFont FixedFont(bool ABold)
{
    static const QFont Fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont Font = Fixed;
    Font.setBold(ABold);
    return Font;
}

void SetColor(QLabel* ALabel, const QColor& AColor)
{
    if (ALabel->palette().color(QPalette::WindowText) == AColor)
        return;
    QPalette Palette = ALabel->palette();
    Palette.setColor(QPalette::WindowText, AColor);
    ALabel->setPalette(Palette);
}

QFont LookFont(const TLetterLook& ALook, qreal AScale)
{
    QFont Font = FixedFont(ALook.Bold);
    Font.setPointSizeF(ALook.PointSize * AScale);
    return Font;
}

// Exactly bold or exactly regular: a refresh also drops the hover underline.
// Every keystroke refreshes all labels, so unchanged fonts are left alone
// rather than making each label lay itself out again.
void SetFont(QLabel* ALabel, const QFont& AFont)
{
    if (ALabel->font() != AFont)
        ALabel->setFont(AFont);
}

QSizeF TextSize(const QFont& AFont, const QString& AText)
{
    const QFontMetricsF Metrics(AFont);
    return {std::max(Metrics.horizontalAdvance(AText), Metrics.boundingRect(AText).width()),
            Metrics.height()};
}

// The widest count the smallest board size must show in full at the
// window's minimum width.
int MinimumColumnWidth()
{
    const QFont Smallest = LookFont({UsedUpColor, SizeTable[0].BoardZeroSize, true}, 1);
    return qCeil(TextSize(Smallest, QStringLiteral("-99")).width()) + 2 * CellPadding;
}

} // namespace

qreal FitScale(const QSizeF& ACell, const QSizeF& AText)
{
    return std::min({qreal(1), ACell.width() / AText.width(), ACell.height() / AText.height()});
}

TLetterLook LetterLook(char16_t ALetter, int32_t ACount, const TConfigOptions& AOptions)
{
    const TSizeRow& Sizes = SizeTable[static_cast<std::size_t>(AOptions.FontSize)];
    if (ACount == 0)
        return {UsedUpColor, Sizes.BoardZeroSize, false};
    const TColor Color = ACount < 0         ? AOptions.ColorExcess
                         : IsVowel(ALetter) ? AOptions.ColorVowels
                                            : AOptions.ColorConsonants;
    return {ToQColor(Color), Sizes.BoardSize, true};
}

TLetterBoard::TLetterBoard(QWidget* AParent) : QWidget(AParent)
{
    setObjectName(QStringLiteral("panData"));
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    FVowels = MakeLabel(QStringLiteral("lblVowels"), QStringLiteral("--"), this);
    FConsonants = MakeLabel(QStringLiteral("lblConsonants"), QStringLiteral("--"), this);
    for (QLabel* Line : {FVowels, FConsonants}) {
        // In line with the captions and text boxes above and below.
        Line->setContentsMargins(4, 0, 5, 0);
        Line->setWordWrap(true);
        // A long run of one letter cannot wrap; it is cut at the board's
        // edge rather than widen the window.
        Line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        Line->setFont(FixedFont(true));
        Layout->addWidget(Line);
    }

    FGrid = new QWidget(this);
    FGrid->setObjectName(QStringLiteral("Grid"));
    auto* Cells = new QGridLayout(FGrid);
    Cells->setContentsMargins(0, 0, 0, 0);
    Cells->setSpacing(0);
    for (int Column = 0; Column < Columns; ++Column) {
        const QString Letter(QChar(u'A' + Column));
        FCounts[Column] =
            MakeLabel(QStringLiteral("Label%1").arg(Column + 1), QStringLiteral("0"), FGrid);
        FLetters[Column] = MakeLabel(QStringLiteral("Label%1").arg(Column + 27), Letter, FGrid);
        FLetters[Column]->setCursor(Qt::PointingHandCursor);
        FLetters[Column]->installEventFilter(this);
        // Each label fills its cell whatever its text, so the columns stay
        // equal; the fonts shrink instead when a text would not fit.
        for (QLabel* Label : {FCounts[Column], FLetters[Column]}) {
            Label->setAlignment(Qt::AlignCenter);
            Label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        }
        Cells->addWidget(FCounts[Column], 0, Column);
        Cells->addWidget(FLetters[Column], 1, Column);
        Cells->setColumnStretch(Column, 1);
    }
    Cells->setRowStretch(0, 1);
    Cells->setRowStretch(1, 1);
    FLooks.fill({UsedUpColor, SizeTable[0].BoardZeroSize, false});
    FGrid->setMinimumWidth(Columns * MinimumColumnWidth());
    FGrid->installEventFilter(this);
    Layout->addWidget(FGrid);
}

QLabel* TLetterBoard::MakeLabel(const QString& AName, const QString& ACaption, QWidget* AParent)
{
    auto* Label = new QLabel(ACaption, AParent);
    Label->setObjectName(AName);
    Label->setTextFormat(Qt::PlainText);
    return Label;
}

void TLetterBoard::ApplySettings(const TConfigOptions& AOptions)
{
    const TSizeRow& Sizes = SizeTable[static_cast<std::size_t>(AOptions.FontSize)];
    SetColor(FVowels, ToQColor(AOptions.ColorVowels));
    SetColor(FConsonants, ToQColor(AOptions.ColorConsonants));
    for (QLabel* Line : {FVowels, FConsonants}) {
        QFont Font = Line->font();
        Font.setPointSize(Sizes.TextSize);
        Line->setFont(Font);
    }
    FGrid->setFixedHeight(Sizes.BoardHeight);
}

void TLetterBoard::UpdateLetters(const TAnagramEngine& AEngine, const TConfigOptions& AOptions)
{
    for (char16_t P = u'A'; P <= u'Z'; ++P) {
        const char16_t L = AEngine.GetLetterAtPosition(P);
        const int32_t N = AEngine.GetLetters(L);
        const TLetterLook Look = LetterLook(L, N, AOptions);
        const int Column = L - u'A';
        FLooks[Column] = Look;
        FCounts[Column]->setText(QString::number(N));
        SetColor(FCounts[Column], Look.Color);
        SetColor(FLetters[Column], Look.Color);
    }
    FitFonts();
    const TResidualLines Lines = BuildResidualLines(AEngine);
    FVowels->setText(QString::fromStdU16String(Lines.Vowels));
    FConsonants->setText(QString::fromStdU16String(Lines.Consonants));
}

// The wrapped lines need more height the narrower the board is; the window
// must not be made shorter than that, or the grid would be pushed out.
QSize TLetterBoard::minimumSizeHint() const
{
    QSize Hint = QWidget::minimumSizeHint();
    if (layout()->hasHeightForWidth())
        Hint.setHeight(std::max(Hint.height(), layout()->totalHeightForWidth(width())));
    return Hint;
}

void TLetterBoard::resizeEvent(QResizeEvent* AEvent)
{
    QWidget::resizeEvent(AEvent);
    // The splitter between here and the window does not pass a child's new
    // minimum on by itself, so every widget up to the window hears of it.
    if (AEvent->size().width() != AEvent->oldSize().width())
        for (QWidget* Widget = this; Widget && !Widget->isWindow(); Widget = Widget->parentWidget())
            Widget->updateGeometry();
}

// One scale for the whole board, so sizes still tell free letters from
// used-up ones when the window is narrow.
void TLetterBoard::FitFonts()
{
    const QSizeF Cell(FGrid->width() / qreal(Columns) - 2 * CellPadding, FGrid->height() / 2.0);
    if (Cell.isEmpty())
        return;
    qreal Scale = 1;
    for (int Column = 0; Column < Columns; ++Column)
        for (const QLabel* Label : {FCounts[Column], FLetters[Column]})
            Scale = std::min(Scale,
                             FitScale(Cell, TextSize(LookFont(FLooks[Column], 1), Label->text())));
    // Hinted glyphs do not shrink quite in proportion; at full size the
    // pass above has measured them already.
    while (Scale < 1 && Scale > MinimumScale && !Fits(Cell, Scale))
        Scale *= 0.95;
    for (int Column = 0; Column < Columns; ++Column) {
        const QFont Font = LookFont(FLooks[Column], Scale);
        SetFont(FCounts[Column], Font);
        SetFont(FLetters[Column], Font);
    }
}

bool TLetterBoard::Fits(const QSizeF& ACell, qreal AScale) const
{
    for (int Column = 0; Column < Columns; ++Column)
        for (const QLabel* Label : {FCounts[Column], FLetters[Column]})
            if (FitScale(ACell, TextSize(LookFont(FLooks[Column], AScale), Label->text())) < 1)
                return false;
    return true;
}

bool TLetterBoard::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == FGrid) {
        if (AEvent->type() == QEvent::Resize)
            FitFonts();
        return false;
    }
    auto* Label = qobject_cast<QLabel*>(AWatched);
    if (!Label)
        return false;
    switch (AEvent->type()) {
    case QEvent::MouseButtonPress:
        emit letterPressed(Label->text().at(0));
        return true;
    case QEvent::MouseButtonRelease:
        emit letterReleased();
        return true;
    case QEvent::Enter:
        SetUnderline(Label, true);
        break;
    case QEvent::Leave:
        SetUnderline(Label, false);
        break;
    default:
        break;
    }
    return false;
}

void TLetterBoard::SetUnderline(QLabel* ALabel, bool AOn)
{
    QFont Font = ALabel->font();
    Font.setUnderline(AOn);
    ALabel->setFont(Font);
}
