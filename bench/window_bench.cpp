// SPDX-License-Identifier: GPL-3.0-or-later
// Keystroke latency and document opening of the real window, offscreen.
// Prints the median and the 99th percentile of each measurement.
#include "anagrameditor.h"
#include "benchtext.h"
#include "config.h"
#include "dialogs.h"
#include "formmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Keys = 1000;

class TSilentDialogs : public TDialogs
{
public:
    void Beep() override {}
    bool Confirm(QWidget*, const QString&) override { return true; }
    void ShowMessage(QWidget*, const QString&) override {}
    void ShowError(QWidget*, const QString& AMessage) override
    {
        std::fprintf(stderr, "error: %s\n", qPrintable(AMessage));
    }
    QString OpenFileName(QWidget*) override { return {}; }
    QString SaveFileName(QWidget*) override { return {}; }
};

std::string Document(const QTemporaryDir& AFolder, int AAttempts)
{
    TAnagramEngine Engine;
    Engine.SetSentence(ItalianText());
    for (int I = 1; I < AAttempts; ++I)
        Engine.AddAnagram();
    for (int I = 0; I < AAttempts; ++I)
        Engine.GetAnagram(I).SetAnagram(MixedText());
    const std::string Path =
        AFolder.filePath(QStringLiteral("doc-%1.vbf").arg(AAttempts)).toStdString();
    Engine.Save(Path);
    return Path;
}

void Report(const char* AWhat, std::vector<double> AMillis)
{
    std::sort(AMillis.begin(), AMillis.end());
    const auto At = [&](double AFraction) {
        return AMillis[static_cast<std::size_t>(AFraction *
                                                static_cast<double>(AMillis.size() - 1))];
    };
    std::printf("%-52s n=%5zu  median %7.3f ms  p99 %7.3f ms\n", AWhat, AMillis.size(), At(0.5),
                At(0.99));
    std::fflush(stdout);
}

// One key through the window, with the layout and painting it causes.
double TimeKey(QWidget* AWidget, int AKey, const QString& AText)
{
    QElapsedTimer Timer;
    Timer.start();
    QKeyEvent Press(QEvent::KeyPress, AKey, Qt::NoModifier, AText);
    QApplication::sendEvent(AWidget, &Press);
    QKeyEvent Release(QEvent::KeyRelease, AKey, Qt::NoModifier, AText);
    QApplication::sendEvent(AWidget, &Release);
    QApplication::processEvents();
    return static_cast<double>(Timer.nsecsElapsed()) / 1e6;
}

// Types a letter and takes it back again, so the text keeps its length.
std::vector<double> TypeAndErase(QWidget* AWidget)
{
    std::vector<double> Millis;
    for (int I = 0; I < Keys; ++I) {
        Millis.push_back(TimeKey(AWidget, Qt::Key_A, QStringLiteral("a")));
        Millis.push_back(TimeKey(AWidget, Qt::Key_Backspace, QString()));
    }
    return Millis;
}

void Keystrokes(const QTemporaryDir& AFolder, TConfig& AConfig, TDialogs& ADialogs, int AAttempts,
                const char* AEditor, const char* AWhat)
{
    TFormMain Window(AConfig, ADialogs, QString::fromStdString(Document(AFolder, AAttempts)));
    Window.show();
    QApplication::processEvents();
    Window.findChild<QCheckBox*>(QStringLiteral("chkAllowExcess"))->setChecked(true);
    auto* Editor = Window.findChild<QWidget*>(QLatin1String(AEditor));
    Editor->setFocus();
    // At the start, so that every key changes what the tab shows.
    if (auto* Text = qobject_cast<QTextEdit*>(Editor))
        Text->moveCursor(QTextCursor::Start);
    if (auto* Text = qobject_cast<QPlainTextEdit*>(Editor))
        Text->moveCursor(QTextCursor::Start);
    Report(AWhat, TypeAndErase(Editor));
}

void Opening(const QTemporaryDir& AFolder, TConfig& AConfig, TDialogs& ADialogs, int AAttempts,
             int ARuns)
{
    const QString Path = QString::fromStdString(Document(AFolder, AAttempts));
    std::vector<double> Millis;
    for (int I = 0; I < ARuns; ++I) {
        QElapsedTimer Timer;
        Timer.start();
        TFormMain Window(AConfig, ADialogs, Path);
        Window.show();
        QApplication::processEvents();
        Millis.push_back(static_cast<double>(Timer.nsecsElapsed()) / 1e6);
    }
    const QByteArray What =
        QStringLiteral("opening %L1 attempts (window created and shown)").arg(AAttempts).toUtf8();
    Report(What.constData(), Millis);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    QTemporaryDir Folder;
    TConfig Settings(Folder.filePath(QStringLiteral("verbanto.ini")));
    TSilentDialogs Dialogs;
    Keystrokes(Folder, Settings, Dialogs, 20, "edtAnagram",
               "anagram key, 1,000-char sentence, 20 attempts");
    Keystrokes(Folder, Settings, Dialogs, 100, "edtSentence",
               "sentence key, 1,000-char sentence, 100 attempts");
    Opening(Folder, Settings, Dialogs, 1000, 10);
    Opening(Folder, Settings, Dialogs, 10000, 3);
    Opening(Folder, Settings, Dialogs, 30000, 3);
    return 0;
}
