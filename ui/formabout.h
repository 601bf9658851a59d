// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// The about box: product name, icon, version, notice and two links to
// documents installed with the program.
class TFormAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TFormAbout(QWidget* AParent = nullptr);
    // ADocFolder holds the documents the links open; a missing one is named
    // without a link.
    TFormAbout(QWidget* AParent, const QString& ADocFolder);

private:
    void LabelsLinkClick(const QString& ALink);
};

// Shows a new about box modally over AParent and frees it when it closes.
void ShowAbout(QWidget* AParent);
