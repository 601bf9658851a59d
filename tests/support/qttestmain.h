// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTest>

// Like QTEST_MAIN, but offscreen on the test screen unless the caller chose
// a platform, so a run from a terminal never opens windows.
#define VERBANTO_QTEST_MAIN(TestClass)                                                             \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", VERBANTO_TEST_PLATFORM);                                    \
        QApplication App(argc, argv);                                                              \
        TestClass Test;                                                                            \
        return QTest::qExec(&Test, argc, argv);                                                    \
    }
