// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"
#include "qttestmain.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// The real question box, answered from the keyboard as a user would.
class DialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void QuestionsAnswerNoOnEnter_data();
    void QuestionsAnswerNoOnEnter();
};

void DialogsTest::QuestionsAnswerNoOnEnter_data()
{
    QTest::addColumn<int>("Key");
    QTest::addColumn<bool>("Answer");
    QTest::newRow("Enter") << int(Qt::Key_Return) << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("Yes clicked") << int(Qt::Key_Y) << true;
}

void DialogsTest::QuestionsAnswerNoOnEnter()
{
    QFETCH(int, Key);
    QFETCH(bool, Answer);
    QString Text;
    QTimer::singleShot(0, this, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!Box)
            return;
        Text = Box->text();
        if (Key == Qt::Key_Y)
            Box->button(QMessageBox::Yes)->click();
        else
            QTest::keyClick(Box, static_cast<Qt::Key>(Key));
    });
    QTimer::singleShot(5000, this, [] {
        if (auto* Stuck = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            Stuck->done(QMessageBox::No);
    });
    TQtDialogs Dialogs;
    QCOMPARE(Dialogs.Confirm(nullptr, QStringLiteral("Sei sicuro?")), Answer);
    QCOMPARE(Text, QStringLiteral("Sei sicuro?"));
}

VERBANTO_QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
