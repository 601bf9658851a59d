// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TColorButton;

// The options dialog: the three letter colours, the default for excess
// letters and the font-size step. It only holds values; TConfig::ShowForm
// fills it and takes the values back after OK.
class TFormConfig : public QDialog
{
    Q_OBJECT
public:
    explicit TFormConfig(QWidget* AParent = nullptr);

    TConfigOptions Options() const;
    void SetOptions(const TConfigOptions& AOptions);

    // 0 "Piccoli", 1 "Medi", 2 "Grandi", -1 when none is chosen.
    int FontSizeIndex() const;
    void SetFontSizeIndex(int AIndex);

private:
    QFrame* panMain;
    QGroupBox* gbColors;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    TColorButton* btnColorVowels;
    TColorButton* btnColorConsonants;
    TColorButton* btnColorExcess;
    QCheckBox* chkAllowExcess;
    QGroupBox* rgFontSize;
    QButtonGroup* FFontSizeItems;
    QFrame* panBottom;
    QPushButton* btnOk;
    QPushButton* btnCancel;
};
