// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs.h"

#include <QStringList>
#include <deque>

// Answers questions from a queue (No when it runs dry) and records
// everything the window asked or showed.
class TTestDialogs : public TDialogs
{
public:
    void Beep() override { ++Beeps; }
    bool Confirm(QWidget*, const QString& AQuestion) override
    {
        Questions.append(AQuestion);
        if (Answers.empty())
            return false;
        const bool Answer = Answers.front();
        Answers.pop_front();
        return Answer;
    }
    void ShowMessage(QWidget*, const QString& AMessage) override { Messages.append(AMessage); }
    void ShowError(QWidget*, const QString& AMessage) override { Errors.append(AMessage); }
    QString OpenFileName(QWidget*) override { return NextFile(OpenDialogs); }
    QString SaveFileName(QWidget*) override { return NextFile(SaveDialogs); }

    int Beeps = 0;
    QStringList Questions;
    QStringList Messages;
    QStringList Errors;
    std::deque<bool> Answers;
    // File names the dialogs return, in turn; an empty one is a cancel.
    std::deque<QString> Files;
    int OpenDialogs = 0;
    int SaveDialogs = 0;

private:
    QString NextFile(int& ACounter)
    {
        ++ACounter;
        if (Files.empty())
            return {};
        const QString File = Files.front();
        Files.pop_front();
        return File;
    }
};
