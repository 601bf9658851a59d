// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "dialogs.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("verbanto"));
    setDesktopFileName(QStringLiteral("verbanto"));
    LoadQtTranslations();
}

// The program's own texts are Italian whatever the system's language, so
// Qt's buttons, menus and dialogs are too, and so are the dates and numbers
// they show: one language on the screen.
void TApplication::LoadQtTranslations()
{
    const QLocale Italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(Italian);
    auto* Translator = new QTranslator(this);
    if (Translator->load(Italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(Translator);
}

bool TApplication::notify(QObject* AReceiver, QEvent* AEvent)
{
    try {
        return QApplication::notify(AReceiver, AEvent);
    } catch (const std::exception& Error) {
        if (FDialogs)
            FDialogs->ShowError(activeWindow(), QString::fromUtf8(Error.what()));
        return false;
    }
}
