// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "config.h"
#include "dialogs.h"
#include "formmain.h"

int main(int argc, char** argv)
{
    TApplication App(argc, argv);
    TConfig& Settings = Config();
    TQtDialogs Dialogs;
    App.SetDialogs(&Dialogs);
    const QStringList Arguments = TApplication::arguments();
    TFormMain Window(Settings, Dialogs, Arguments.size() > 1 ? Arguments.at(1) : QString());
    Window.show();
    return TApplication::exec();
}
