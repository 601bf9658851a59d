// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config.h"

#include <QColor>
#include <QPushButton>
#include <functional>

class QAction;
class QActionGroup;

// A push button that shows one stored colour on its face; a click drops
// down a palette of the standard colours and an entry for any other colour.
class TColorButton : public QPushButton
{
    Q_OBJECT
public:
    explicit TColorButton(QWidget* AParent = nullptr);

    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);

    // Asks for any colour, starting at the given one; an invalid result
    // means the user gave up. QColorDialog unless replaced.
    std::function<QColor(const QColor& AInitial, QWidget* AParent)> ColorDialog;

signals:
    void ColorChanged(TColor AColor);

protected:
    void paintEvent(QPaintEvent* AEvent) override;

private:
    void MarkCurrent();
    void PickOther();

    TColor FColor = 0;
    QActionGroup* FPalette;
};
