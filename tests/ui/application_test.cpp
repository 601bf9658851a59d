// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "dialogs.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

// The program's application object started on a system that is not
// Italian: Qt's own texts must be Italian all the same.
class ApplicationTest : public QObject
{
    Q_OBJECT
private slots:
    void QuestionButtonsAreItalian();
    void StandardButtonsAreItalian_data();
    void StandardButtonsAreItalian();
    void EditMenuIsItalian();
    void NumbersAreItalian();
};

void ApplicationTest::QuestionButtonsAreItalian()
{
    QStringList Buttons;
    QTimer::singleShot(0, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!Box)
            return;
        for (QAbstractButton* Button : Box->buttons())
            Buttons.append(Button->text());
        Box->reject();
    });
    TQtDialogs Dialogs;
    Dialogs.Confirm(nullptr, QStringLiteral("Sei sicuro?"));
    Buttons.sort();
    QCOMPARE(Buttons, (QStringList{QStringLiteral("&No"), QStringLiteral("&S\u00EC")}));
}

void ApplicationTest::StandardButtonsAreItalian_data()
{
    QTest::addColumn<int>("Button");
    QTest::addColumn<QString>("Caption");
    QTest::newRow("cancel") << int(QDialogButtonBox::Cancel) << QStringLiteral("Annulla");
    QTest::newRow("open") << int(QDialogButtonBox::Open) << QStringLiteral("Apri");
    QTest::newRow("save") << int(QDialogButtonBox::Save) << QStringLiteral("Salva");
    QTest::newRow("close") << int(QDialogButtonBox::Close) << QStringLiteral("Chiudi");
}

void ApplicationTest::StandardButtonsAreItalian()
{
    QFETCH(int, Button);
    QFETCH(QString, Caption);
    const QDialogButtonBox Box(static_cast<QDialogButtonBox::StandardButton>(Button));
    QCOMPARE(Box.button(static_cast<QDialogButtonBox::StandardButton>(Button))->text(), Caption);
}

void ApplicationTest::EditMenuIsItalian()
{
    QLineEdit Edit;
    const std::unique_ptr<QMenu> Menu(Edit.createStandardContextMenu());
    QStringList Captions;
    for (const QAction* Action : Menu->actions())
        Captions.append(Action->text().section(u'\t', 0, 0));
    QVERIFY2(Captions.contains(QStringLiteral("&Incolla")), qPrintable(Captions.join(u'|')));
}

void ApplicationTest::NumbersAreItalian()
{
    QCOMPARE(QLocale().toString(1234.5), QStringLiteral("1.234,5"));
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", VERBANTO_TEST_PLATFORM);
    // An English system, as far as both the environment and Qt can tell.
    qputenv("LANG", "C.UTF-8");
    qputenv("LC_ALL", "C.UTF-8");
    qunsetenv("LANGUAGE");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TApplication App(argc, argv);
    ApplicationTest Test;
    return QTest::qExec(&Test, argc, argv);
}

#include "application_test.moc"
