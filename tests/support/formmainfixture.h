// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "anagrameditor.h"
#include "colortabbar.h"
#include "config.h"
#include "formmain.h"
#include "letterboard.h"
#include "tempfolder.h"
#include "testdialogs.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <memory>

// The real window on settings in a fresh temporary folder, answered through
// the test seam. Tests call Begin() in init() and End() in cleanup().
class TFormMainFixture
{
protected:
    void Begin()
    {
        FFolder = std::make_unique<TTempFolder>();
        qputenv("XDG_CONFIG_HOME", FFolder->Path().c_str());
        FDialogs = std::make_unique<TTestDialogs>();
    }

    void End()
    {
        FWindow.reset();
        FConfig.reset();
        FFolder.reset();
    }

    void Start(const QString& AFileName = {})
    {
        FWindow.reset();
        FConfig = std::make_unique<TConfig>(SettingsFile());
        FWindow = std::make_unique<TFormMain>(*FConfig, *FDialogs, AFileName);
        FWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }

    QString SettingsFile() const { return QString::fromStdString(FFolder->File("verbanto.ini")); }
    QString File(const char* AName) const { return QString::fromStdString(FFolder->File(AName)); }

    template <typename T> T* Child(const char* AName) const
    {
        T* Found = FWindow->findChild<T*>(QLatin1String(AName));
        if (!Found)
            qFatal("no child %s", AName);
        return Found;
    }
    QPlainTextEdit* Sentence() const { return Child<QPlainTextEdit>("edtSentence"); }
    TAnagramEditor* Editor() const { return Child<TAnagramEditor>("edtAnagram"); }
    TLetterBoard* Board() const { return Child<TLetterBoard>("panData"); }
    TColorTabControl* Tabs() const { return Child<TColorTabControl>("tabCtrl"); }
    QAction* Action(const char* AName) const { return Child<QAction>(AName); }
    void ClickNewTab() const { QTest::mouseClick(Tabs()->NewTabButton(), Qt::LeftButton); }

    // Types any text, accented letters included, one key event per character.
    static void Type(QWidget* AWidget, const QString& AText)
    {
        for (QChar C : AText) {
            QKeyEvent Press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(C));
            QApplication::sendEvent(AWidget, &Press);
            QKeyEvent Release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(C));
            QApplication::sendEvent(AWidget, &Release);
        }
    }

    std::unique_ptr<TTempFolder> FFolder;
    std::unique_ptr<TConfig> FConfig;
    std::unique_ptr<TTestDialogs> FDialogs;
    std::unique_ptr<TFormMain> FWindow;
};
