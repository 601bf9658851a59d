// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include <QApplication>
#include <QMessageBox>

void TQtDialogs::Beep()
{
    QApplication::beep();
}

void TQtDialogs::ShowError(QWidget* AParent, const QString& AMessage)
{
    QMessageBox::critical(AParent, QStringLiteral("Verbanto"), AMessage);
}

bool TQtDialogs::Confirm(QWidget* AParent, const QString& AQuestion)
{
    return QMessageBox::question(AParent, QStringLiteral("Verbanto"), AQuestion,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}
