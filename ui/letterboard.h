// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config.h"

#include <QColor>
#include <QSizeF>
#include <QWidget>
#include <array>

class QLabel;
class TAnagramEngine;

// How one letter's two board labels look for its count.
struct TLetterLook
{
    QColor Color;
    int PointSize;
    bool Bold;

    bool operator==(const TLetterLook&) const = default;
};

TLetterLook LetterLook(char16_t ALetter, int32_t ACount, const TConfigOptions& AOptions);

// How far a text of size AText must shrink to fit ACell; never above 1.
qreal FitScale(const QSizeF& ACell, const QSizeF& AText);

// The live picture of the current attempt's tally: the residual vowels and
// consonants on two lines, then a count and a letter label for each of A
// to Z. Pressing a letter label asks for its occurrences to be marked.
class TLetterBoard : public QWidget
{
    Q_OBJECT
public:
    explicit TLetterBoard(QWidget* AParent = nullptr);

    void UpdateLetters(const TAnagramEngine& AEngine, const TConfigOptions& AOptions);
    // Colours and sizes of the residual lines and the grid's height.
    void ApplySettings(const TConfigOptions& AOptions);

    QLabel* CountLabel(int AColumn) const { return FCounts[AColumn]; }
    QLabel* LetterLabel(int AColumn) const { return FLetters[AColumn]; }
    QLabel* VowelsLabel() const { return FVowels; }
    QLabel* ConsonantsLabel() const { return FConsonants; }
    QWidget* Grid() const { return FGrid; }

    QSize minimumSizeHint() const override;

signals:
    void letterPressed(QChar ALetter);
    void letterReleased();

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    void resizeEvent(QResizeEvent* AEvent) override;

private:
    // Below this the board would be unreadable anyway; stop shrinking.
    static constexpr qreal MinimumScale = 0.05;

    QLabel* MakeLabel(const QString& AName, const QString& ACaption, QWidget* AParent);
    void FitFonts();
    bool Fits(const QSizeF& ACell, qreal AScale) const;
    static void SetUnderline(QLabel* ALabel, bool AOn);

    QLabel* FVowels;
    QLabel* FConsonants;
    QWidget* FGrid;
    std::array<QLabel*, 26> FCounts{};
    std::array<QLabel*, 26> FLetters{};
    // Each column's look at full size, before the board is fitted.
    std::array<TLetterLook, 26> FLooks{};
};
