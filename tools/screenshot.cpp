// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window with a sample document, the options dialog and
// the about box into PNG files, for the README. Usage: verbanto-screenshot OUTPUT_FOLDER
#include "application.h"
#include "config.h"
#include "dialogs.h"
#include "formabout.h"
#include "formconfig.h"
#include "formmain.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest/QTest>
#include <cstdio>

namespace {

std::string SampleDocument(const QTemporaryDir& AFolder)
{
    TAnagramEngine Engine;
    Engine.SetSentence(u"La vita \u00E8 bella");
    Engine.SetCurrentAnagramString(u"Tabella vi");
    Engine.AddAnagram();
    Engine.GetAnagram(1).SetAnagram(u"Alibi tav\u00E8 al");
    Engine.AddAnagram();
    Engine.GetAnagram(2).SetAnagram(u"Vale, abitale");
    Engine.AddAnagram();
    Engine.GetAnagram(3).SetAnagram(u"Bella vita");
    const std::string Path = AFolder.filePath(QStringLiteral("esempio.vbf")).toStdString();
    Engine.Save(Path);
    return Path;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VERBANTO_SCREEN_CONFIG);
    TApplication App(argc, argv);
    if (argc != 2) {
        std::fputs("usage: verbanto-screenshot OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    QTemporaryDir Work;
    TConfig Settings(Work.filePath(QStringLiteral("verbanto.ini")));
    TQtDialogs Dialogs;
    TFormMain Window(Settings, Dialogs, QString::fromStdString(SampleDocument(Work)));
    Window.show();
    QTest::qWait(100);
    TFormConfig Options(&Window);
    Options.SetOptions(Settings.Options());
    TFormAbout About(&Window);
    const QDir Output(QString::fromLocal8Bit(argv[1]));
    const std::pair<QWidget*, const char*> Shots[] = {
        {&Window, "verbanto.png"}, {&Options, "options.png"}, {&About, "about.png"}};
    for (const auto& [Widget, Name] : Shots) {
        const QString File = Output.filePath(QLatin1String(Name));
        if (!Widget->grab().save(File)) {
            std::fprintf(stderr, "verbanto-screenshot: cannot write %s\n", qPrintable(File));
            return 1;
        }
        std::printf("%s\n", qPrintable(File));
    }
    return 0;
}
