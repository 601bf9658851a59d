// SPDX-License-Identifier: GPL-3.0-or-later
#include "failingallocations.h"
#include "formmainfixture.h"
#include "qttestmain.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <filesystem>
#include <new>

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

constexpr std::uintmax_t HugeFileSize = std::uintmax_t{512} << 20;
constexpr std::size_t RefusedAllocation = std::size_t{256} << 20;

// What the window shows of its document.
struct TShown
{
    QString Title;
    QString FileName;
    QStringList Tabs;
    int ActiveTab;
    QString Sentence;
    QString Editor;
    bool Changed;
    bool operator==(const TShown&) const = default;
};

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
    void AnOpenThatRunsOutOfMemoryChangesNothing_data();
    void AnOpenThatRunsOutOfMemoryChangesNothing();
    void AStartDocumentThatRunsOutOfMemoryIsNotNamed();
    void AFailedSaveKeepsTheChanges();

private:
    void MakeDocument(const QString& APath, std::initializer_list<const char16_t*> ATexts);
    QString MakeHugeFile();
    void FailDuringLoad(int AFailAt);
    QStringList TabCaptions() const;
};

// 512 MiB that take no disk space: reading them needs a buffer that
// TFailingAllocations refuses.
QString DocumentCommandsTest::MakeHugeFile()
{
    const QString Path = File("huge.vbf");
    WriteBytes(Path.toStdString(), "");
    std::filesystem::resize_file(Path.toStdString(), HugeFileSize);
    return Path;
}

// Wraps the window's own handlers so that memory runs out once they have
// shown part of the document: in the loading event (0) or in the event for
// the attempt numbered AFailAt.
void DocumentCommandsTest::FailDuringLoad(int AFailAt)
{
    TAnagramEngine& Engine = FWindow->Engine();
    if (AFailAt == 0) {
        Engine.OnAnagramsLoading =
            [Shown = Engine.OnAnagramsLoading](TAnagramEngine& Sender, int32_t ACount,
                                               const std::u16string& ASentence) {
                Shown(Sender, ACount, ASentence);
                throw std::bad_alloc();
            };
        return;
    }
    Engine.OnAnagramChanged = [Shown = Engine.OnAnagramChanged, AFailAt,
                               Seen = 0](TAnagramEngine& Sender, TAnagram& AAnagram,
                                         int32_t AIndex) mutable {
        Shown(Sender, AAnagram, AIndex);
        if (Sender.Loading() && ++Seen == AFailAt)
            throw std::bad_alloc();
    };
}

QStringList DocumentCommandsTest::TabCaptions() const
{
    QStringList Captions;
    for (int I = 0; I < Tabs()->Count(); ++I)
        Captions.append(Tabs()->TabCaption(I));
    return Captions;
}

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
    ClickNewTab();
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

void DocumentCommandsTest::AnOpenThatRunsOutOfMemoryChangesNothing_data()
{
    QTest::addColumn<bool>("Named");
    // -1: reading the file; 0: the loading event; k: the event of attempt k.
    QTest::addColumn<int>("FailAt");
    for (const bool Named : {true, false}) {
        const char* Former = Named ? "named" : "unnamed";
        QTest::addRow("%s, reading", Former) << Named << -1;
        QTest::addRow("%s, loading event", Former) << Named << 0;
        QTest::addRow("%s, first attempt", Former) << Named << 1;
        QTest::addRow("%s, last attempt", Former) << Named << 3;
    }
}

void DocumentCommandsTest::AnOpenThatRunsOutOfMemoryChangesNothing()
{
    QFETCH(bool, Named);
    QFETCH(int, FailAt);
    MakeDocument(File("good.vbf"), {u"amor", u"ramo"});
    MakeDocument(File("other.vbf"), {u"orma", u"mora", u"Roma"});
    const QString Chosen = FailAt < 0 ? MakeHugeFile() : File("other.vbf");
    const QByteArray ChosenBytes =
        FailAt < 0 ? QByteArray() : QByteArray::fromStdString(ReadBytes(Chosen.toStdString()));
    if (Named) {
        Start(File("good.vbf"));
        TColorTabBar* Bar = Tabs()->TabBar();
        QTest::mouseClick(Bar, Qt::LeftButton, {}, Bar->tabRect(1).center());
    } else {
        Start();
        Type(Sentence(), QStringLiteral("Roma"));
        FDialogs->Answers = {true};
    }
    const auto Shown = [this] {
        return TShown{
            FWindow->windowTitle(),     FWindow->FileName(),       TabCaptions(),
            Tabs()->ActiveIndex(),      Sentence()->toPlainText(), Editor()->toPlainText(),
            FWindow->Engine().Changed()};
    };
    const TShown Before = Shown();
    if (FailAt >= 0)
        FailDuringLoad(FailAt);
    FDialogs->Files = {Chosen};
    {
        const TFailingAllocations Failing(TFailingAllocations::TOfAtLeast{RefusedAllocation});
        Action("mnuOpen")->trigger();
    }
    QCOMPARE(FDialogs->Errors, QStringList{QStringLiteral("std::bad_alloc")});
    QVERIFY(Shown() == Before);
    QCOMPARE(FWindow->Engine().CurrentIndex(), Tabs()->ActiveIndex());

    QTest::keyClick(FWindow.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(FDialogs->SaveDialogs, Named ? 0 : 1);
    if (Named) {
        TAnagramEngine Reader;
        Reader.Load(File("good.vbf").toStdString());
        QCOMPARE(Reader.AnagramsCount(), 2);
        QCOMPARE(Reader.GetAnagram(1).Anagram(), u"ramo");
    }
    if (FailAt < 0)
        QCOMPARE(std::filesystem::file_size(Chosen.toStdString()), HugeFileSize);
    else
        QCOMPARE(QByteArray::fromStdString(ReadBytes(Chosen.toStdString())), ChosenBytes);
}

void DocumentCommandsTest::AStartDocumentThatRunsOutOfMemoryIsNotNamed()
{
    const QString Huge = MakeHugeFile();
    {
        const TFailingAllocations Failing(TFailingAllocations::TOfAtLeast{RefusedAllocation});
        Start(Huge);
        QVERIFY(Failing.Failed());
    }
    QCOMPARE(FDialogs->Errors, QStringList{QStringLiteral("std::bad_alloc")});
    QVERIFY(FWindow->FileName().isEmpty());
    QCOMPARE(FWindow->windowTitle(), Untitled());
    QCOMPARE(TabCaptions(), QStringList{QStringLiteral("&1.")});
    QCOMPARE(Sentence()->toPlainText(), QString());
    QCOMPARE(FWindow->Engine().AnagramsCount(), 1);
    Type(Sentence(), QStringLiteral("x"));
    QTest::keyClick(FWindow.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(FDialogs->SaveDialogs, 1);
    QCOMPARE(std::filesystem::file_size(Huge.toStdString()), HugeFileSize);
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
