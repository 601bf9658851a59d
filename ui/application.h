// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

class TDialogs;

// The program's application object: Qt's own texts in Italian like the
// rest of the interface, and an error that escapes a handler shown in the
// standard error box instead of ending the program.
class TApplication : public QApplication
{
public:
    TApplication(int& argc, char** argv);

    void SetDialogs(TDialogs* ADialogs) { FDialogs = ADialogs; }
    bool notify(QObject* AReceiver, QEvent* AEvent) override;

private:
    void LoadQtTranslations();

    TDialogs* FDialogs = nullptr;
};
