// SPDX-License-Identifier: GPL-3.0-or-later
#include "formmainfixture.h"
#include "qttestmain.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTabBar>

namespace {

const QString DiscardQuestion =
    QStringLiteral("Modifiche non ancora salvate! Sei sicuro di voler abbandonare?");

QString Untitled()
{
    return QStringLiteral("Verbanto - [senza nome]");
}

QString Named(const QString& AFileName)
{
    return QStringLiteral("Verbanto - ") + AFileName;
}

} // namespace

class DocumentCommandsTest : public QObject, private TFormMainFixture
{
    Q_OBJECT
private slots:
    void init() { Begin(); }
    void cleanup() { End(); }

    void NewAndOpenAskOnlyWithUnsavedChanges_data();
    void NewAndOpenAskOnlyWithUnsavedChanges();
    void NewClearsEverythingButTheCheckBox();
    void OpenShowsTheDocument();
    void ACancelledDialogChangesNothing();
    void SaveAsksForANameOnlyOnce();
    void SaveAsSwitchesTheName();
    void ShuffleOnAnEmptyDocumentMakesClosingAsk();
    void ClosingWithChangesAsks_data();
    void ClosingWithChangesAsks();
    void DocumentSurvivesARestart();
    void AFailedOpenKeepsTheFormerDocumentAndName();
    void AnUnreadableStartDocumentIsNotNamed();
    void AFailedSaveKeepsTheChanges();

private:
    void MakeDocument(const QString& APath, std::initializer_list<const char16_t*> ATexts);
};

void DocumentCommandsTest::MakeDocument(const QString& APath,
                                        std::initializer_list<const char16_t*> ATexts)
{
    TAnagramEngine Maker;
    Maker.SetSentence(u"Roma amor");
    for (const char16_t* Text : ATexts) {
        if (!Maker.CurrentAnagramString().empty() || Maker.CurrentIndex() > 0)
            Maker.AddAnagram();
        Maker.GetAnagram(Maker.AnagramsCount() - 1).SetAnagram(Text);
        Maker.SetCurrentIndex(Maker.AnagramsCount() - 1);
    }
    Maker.Save(APath.toStdString());
}

void DocumentCommandsTest::NewAndOpenAskOnlyWithUnsavedChanges_data()
{
    QTest::addColumn<QString>("Command");
    QTest::addColumn<bool>("Edited");
    QTest::addColumn<bool>("Answer");
    QTest::addColumn<bool>("Asked");
    QTest::addColumn<QString>("SentenceAfter");
    const QString Edited = QStringLiteral("xyz");
    for (const auto& [Command, Done] :
         {std::pair{"mnuNew", QString()}, std::pair{"mnuOpen", QStringLiteral("Roma amor")}}) {
        const QString Name = QLatin1String(Command);
        QTest::addRow("%s unchanged", Command) << Name << false << false << false << Done;
        QTest::addRow("%s changed, No", Command) << Name << true << false << true << Edited;
        QTest::addRow("%s changed, Yes", Command) << Name << true << true << true << Done;
    }
}

void DocumentCommandsTest::NewAndOpenAskOnlyWithUnsavedChanges()
{
    QFETCH(QString, Command);
    QFETCH(bool, Edited);
    QFETCH(bool, Answer);
    QFETCH(bool, Asked);
    QFETCH(QString, SentenceAfter);
    MakeDocument(File("other.vbf"), {u"amor"});
    Start();
    if (Edited)
        Type(Sentence(), QStringLiteral("xyz"));
    FDialogs->Answers = {Answer};
    FDialogs->Files = {File("other.vbf")};
    FWindow->findChild<QAction*>(Command)->trigger();
    QCOMPARE(FDialogs->Questions, Asked ? QStringList{DiscardQuestion} : QStringList{});
    QCOMPARE(Sentence()->toPlainText(), SentenceAfter);
    QCOMPARE(FWindow->Engine().Changed(), SentenceAfter == QStringLiteral("xyz"));
}

void DocumentCommandsTest::NewClearsEverythingButTheCheckBox()
{
    MakeDocument(File("doc.vbf"), {u"amor", u"ramo"});
    Start(File("doc.vbf"));
    auto* Allow = Child<QCheckBox>("chkAllowExcess");
    Allow->setChecked(true);
    Action("mnuShuffle")->trigger();
    FDialogs->Answers = {true};
    Action("mnuNew")->trigger();
    QCOMPARE(FWindow->windowTitle(), Untitled());
    QVERIFY(FWindow->FileName().isEmpty());
    QCOMPARE(Sentence()->toPlainText(), QString());
    QCOMPARE(Editor()->toPlainText(), QString());
    QCOMPARE(Tabs()->Count(), 1);
    QCOMPARE(Tabs()->TabCaption(0), QStringLiteral("&1."));
    QCOMPARE(FWindow->Engine().GetLetterAtPosition(u'A'), u'A');
    QVERIFY(!FWindow->Engine().Changed());
    QVERIFY(Allow->isChecked());
}

void DocumentCommandsTest::OpenShowsTheDocument()
{
    MakeDocument(File("three.vbf"), {u"amor", u"ramo", u"orma"});
    Start();
    FDialogs->Files = {File("three.vbf")};
    Action("mnuOpen")->trigger();
    QCOMPARE(FWindow->windowTitle(), Named(File("three.vbf")));
    QCOMPARE(Tabs()->Count(), 3);
    QCOMPARE(Tabs()->ActiveIndex(), 0);
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("amor"));
    QCOMPARE(Sentence()->toPlainText(), QStringLiteral("Roma amor"));
    QVERIFY(!FWindow->Engine().Changed());
}

void DocumentCommandsTest::ACancelledDialogChangesNothing()
{
    Start();
    Type(Sentence(), QStringLiteral("abc"));
    FDialogs->Answers = {true};
    Action("mnuOpen")->trigger();
    Action("mnuSaveas")->trigger();
    QCOMPARE(FDialogs->OpenDialogs, 1);
    QCOMPARE(FDialogs->SaveDialogs, 1);
    QCOMPARE(FWindow->windowTitle(), Untitled());
    QCOMPARE(Sentence()->toPlainText(), QStringLiteral("abc"));
    QVERIFY(FWindow->Engine().Changed());
}

void DocumentCommandsTest::SaveAsksForANameOnlyOnce()
{
    Start();
    Type(Sentence(), QStringLiteral("Roma"));
    FDialogs->Files = {File("new.vbf")};
    Action("mnuSave")->trigger();
    QCOMPARE(FDialogs->SaveDialogs, 1);
    QCOMPARE(FWindow->windowTitle(), Named(File("new.vbf")));
    QVERIFY(!FWindow->Engine().Changed());
    QVERIFY(QFile::exists(File("new.vbf")));

    Type(Sentence(), QStringLiteral("!"));
    Action("mnuSave")->trigger();
    QCOMPARE(FDialogs->SaveDialogs, 1);
    QCOMPARE(FWindow->windowTitle(), Named(File("new.vbf")));
    TAnagramEngine Reader;
    Reader.Load(File("new.vbf").toStdString());
    QCOMPARE(Reader.Sentence(), u"Roma!");
}

void DocumentCommandsTest::SaveAsSwitchesTheName()
{
    MakeDocument(File("first.vbf"), {u"amor"});
    Start(File("first.vbf"));
    Action("mnuSave")->trigger();
    QCOMPARE(FDialogs->SaveDialogs, 0);
    FDialogs->Files = {File("second.vbf")};
    Action("mnuSaveas")->trigger();
    QCOMPARE(FDialogs->SaveDialogs, 1);
    QCOMPARE(FWindow->FileName(), File("second.vbf"));
    QCOMPARE(FWindow->windowTitle(), Named(File("second.vbf")));
    QCOMPARE(ReadBytes(File("first.vbf").toStdString()),
             ReadBytes(File("second.vbf").toStdString()));
}

void DocumentCommandsTest::ShuffleOnAnEmptyDocumentMakesClosingAsk()
{
    Start();
    Action("mnuShuffle")->trigger();
    QVERIFY(FWindow->Engine().Changed());
    QVERIFY(!FWindow->close());
    QCOMPARE(FDialogs->Questions, QStringList{DiscardQuestion});
    QVERIFY(FWindow->isVisible());
}

void DocumentCommandsTest::ClosingWithChangesAsks_data()
{
    QTest::addColumn<bool>("Answer");
    QTest::newRow("No keeps the window") << false;
    QTest::newRow("Yes closes without saving") << true;
}

void DocumentCommandsTest::ClosingWithChangesAsks()
{
    QFETCH(bool, Answer);
    MakeDocument(File("doc.vbf"), {u"amor"});
    const QByteArray Before = QByteArray::fromStdString(ReadBytes(File("doc.vbf").toStdString()));
    Start(File("doc.vbf"));
    Type(Sentence(), QStringLiteral("x"));
    FDialogs->Answers = {Answer};
    Action("mnuClose")->trigger();
    QCOMPARE(FDialogs->Questions, QStringList{DiscardQuestion});
    QCOMPARE(FWindow->isVisible(), !Answer);
    QCOMPARE(QFile::exists(SettingsFile()), Answer);
    QCOMPARE(QByteArray::fromStdString(ReadBytes(File("doc.vbf").toStdString())), Before);
}

void DocumentCommandsTest::DocumentSurvivesARestart()
{
    Start();
    Type(Sentence(), QStringLiteral("Roma amor"));
    Type(Editor(), QStringLiteral("ramo"));
    QTabBar* Bar = Tabs()->TabBar();
    QTest::mouseClick(Bar, Qt::LeftButton, {}, Bar->tabRect(Bar->count() - 1).center());
    Type(Editor(), QStringLiteral("orma"));
    Action("mnuShuffle")->trigger();
    const QString Lines = Board()->ConsonantsLabel()->text();
    FDialogs->Files = {File("kept.vbf")};
    Action("mnuSave")->trigger();
    QVERIFY(FWindow->close());
    QVERIFY(FDialogs->Questions.isEmpty());

    Start(File("kept.vbf"));
    QCOMPARE(Tabs()->Count(), 2);
    QCOMPARE(Tabs()->TabCaption(0), QStringLiteral("&1. ramo"));
    QCOMPARE(Tabs()->TabCaption(1), QStringLiteral("&2. orma"));
    QCOMPARE(Sentence()->toPlainText(), QStringLiteral("Roma amor"));
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("ramo"));
    QCOMPARE(Board()->ConsonantsLabel()->text(), Lines);
    QVERIFY(!FWindow->Engine().Changed());
}

void DocumentCommandsTest::AFailedOpenKeepsTheFormerDocumentAndName()
{
    MakeDocument(File("good.vbf"), {u"amor"});
    WriteBytes(File("bad.vbf").toStdString(), std::string("\x13J\xFF\xFF\xFF\xFF", 6));
    Start(File("good.vbf"));
    FDialogs->Files = {File("bad.vbf")};
    Action("mnuOpen")->trigger();
    QCOMPARE(FDialogs->Errors.size(), 1);
    QVERIFY(FDialogs->Errors.at(0).contains(QStringLiteral("is negative")));
    QCOMPARE(FWindow->FileName(), File("good.vbf"));
    QCOMPARE(FWindow->windowTitle(), Named(File("good.vbf")));
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("amor"));
    QCOMPARE(Tabs()->Count(), 1);
}

void DocumentCommandsTest::AnUnreadableStartDocumentIsNotNamed()
{
    WriteBytes(File("bad.vbf").toStdString(), std::string("\x13\x62\x01", 3));
    Start(File("bad.vbf"));
    QCOMPARE(FDialogs->Errors.size(), 1);
    QVERIFY(FWindow->FileName().isEmpty());
    QCOMPARE(FWindow->windowTitle(), Untitled());
    Type(Sentence(), QStringLiteral("x"));
    Action("mnuSave")->trigger();
    QCOMPARE(FDialogs->SaveDialogs, 1);
    QCOMPARE(ReadBytes(File("bad.vbf").toStdString()), std::string("\x13\x62\x01", 3));
}

void DocumentCommandsTest::AFailedSaveKeepsTheChanges()
{
    Start();
    Type(Sentence(), QStringLiteral("Roma"));
    FDialogs->Files = {File("no-such-folder/doc.vbf")};
    Action("mnuSave")->trigger();
    QCOMPARE(FDialogs->Errors.size(), 1);
    QVERIFY(FDialogs->Errors.at(0).startsWith(QStringLiteral("Cannot create file \"") +
                                              File("no-such-folder/doc.vbf")));
    QVERIFY(FWindow->Engine().Changed());
    QVERIFY(!FWindow->close());
    QCOMPARE(FDialogs->Questions, QStringList{DiscardQuestion});
}

VERBANTO_QTEST_MAIN(DocumentCommandsTest)
#include "documentcommands_test.moc"
