// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

const QString DocumentFilter = QStringLiteral("File anagramma (*.vbf)");

QString ChosenFile(QFileDialog& ADialog)
{
    return ADialog.exec() == QDialog::Accepted && !ADialog.selectedFiles().isEmpty()
               ? ADialog.selectedFiles().constFirst()
               : QString();
}

} // namespace

void TQtDialogs::Beep()
{
    QApplication::beep();
}

void TQtDialogs::ShowMessage(QWidget* AParent, const QString& AMessage)
{
    QMessageBox::information(AParent, QStringLiteral("Verbanto"), AMessage);
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

QString TQtDialogs::OpenFileName(QWidget* AParent)
{
    QFileDialog Dialog(AParent, QString(), QString(), DocumentFilter);
    Dialog.setFileMode(QFileDialog::ExistingFile);
    Dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return ChosenFile(Dialog);
}

QString TQtDialogs::SaveFileName(QWidget* AParent)
{
    QFileDialog Dialog(AParent, QString(), QString(), DocumentFilter);
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setDefaultSuffix(QStringLiteral("vbf"));
    return ChosenFile(Dialog);
}
