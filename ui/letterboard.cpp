// SPDX-License-Identifier: GPL-3.0-or-later
#include "letterboard.h"

#include "anagramengine.h"
#include "colors.h"
#include "residuallines.h"
#include "sizetable.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int Columns = 26;
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

// Exactly bold or exactly regular: a refresh also drops the hover underline.
// Every keystroke refreshes all labels, so unchanged fonts are left alone
// rather than making each label lay itself out again.
void SetLook(QLabel* ALabel, const TLetterLook& ALook)
{
    QFont Font = FixedFont(ALook.Bold);
    Font.setPointSize(ALook.PointSize);
    if (ALabel->font() != Font)
        ALabel->setFont(Font);
    SetColor(ALabel, ALook.Color);
}

} // namespace

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
        Line->setWordWrap(true);
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
        Cells->addWidget(FCounts[Column], 0, Column, Qt::AlignCenter);
        Cells->addWidget(FLetters[Column], 1, Column, Qt::AlignCenter);
        Cells->setColumnStretch(Column, 1);
    }
    Cells->setRowStretch(0, 1);
    Cells->setRowStretch(1, 1);
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
        QLabel* Count = FCounts[L - u'A'];
        QLabel* Letter = FLetters[L - u'A'];
        Count->setText(QString::number(N));
        SetLook(Count, Look);
        SetLook(Letter, Look);
    }
    const TResidualLines Lines = BuildResidualLines(AEngine);
    FVowels->setText(QString::fromStdU16String(Lines.Vowels));
    FConsonants->setText(QString::fromStdU16String(Lines.Consonants));
}

bool TLetterBoard::eventFilter(QObject* AWatched, QEvent* AEvent)
{
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
