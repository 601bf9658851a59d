// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up time: an empty main window and nothing else.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    QMainWindow Window;
    Window.setWindowTitle(QStringLiteral("Empty"));
    Window.resize(1126, 550);
    Window.show();
    return QApplication::exec();
}
