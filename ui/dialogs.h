// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Everything the window asks of the user or signals to them outside its
// own controls; tests answer and observe through their own implementation.
class TDialogs
{
public:
    virtual ~TDialogs() = default;

    virtual void Beep() = 0;
    // A Yes/No question whose default button is No; true for Yes.
    virtual bool Confirm(QWidget* AParent, const QString& AQuestion) = 0;
    // A plain message box with an OK button.
    virtual void ShowMessage(QWidget* AParent, const QString& AMessage) = 0;
    // The standard error box with one message.
    virtual void ShowError(QWidget* AParent, const QString& AMessage) = 0;
    // The full path of the document chosen, or empty when cancelled.
    virtual QString OpenFileName(QWidget* AParent) = 0;
    // The same for saving: a name typed without an extension gets ".vbf",
    // and an existing file is only chosen after the user agreed to replace it.
    virtual QString SaveFileName(QWidget* AParent) = 0;
};

// The real thing: the system bell and Qt's message boxes.
class TQtDialogs : public TDialogs
{
public:
    void Beep() override;
    bool Confirm(QWidget* AParent, const QString& AQuestion) override;
    void ShowMessage(QWidget* AParent, const QString& AMessage) override;
    void ShowError(QWidget* AParent, const QString& AMessage) override;
    QString OpenFileName(QWidget* AParent) override;
    QString SaveFileName(QWidget* AParent) override;
};
