// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileassociation.h"
#include "qttestmain.h"
#include "tempfolder.h"
#include "testdialogs.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <fstream>
#include <memory>

namespace {

const QString Question = QStringLiteral(
    "I file con estensione .vbf verranno associati con il programma /opt/verbanto/verbanto. "
    "Proseguo?");
const QString Added = QStringLiteral("Associazione creata con successo");
const QString Removed =
    QStringLiteral("L'associazione ai file con estensione .vbf è stata eliminata");
const QString Program = QStringLiteral("/opt/verbanto/verbanto");

QByteArray Read(const QString& APath)
{
    QFile File(APath);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

void Write(const QString& APath, const QByteArray& ABytes)
{
    QFile File(APath);
    QVERIFY(File.open(QIODevice::WriteOnly));
    QCOMPARE(File.write(ABytes), ABytes.size());
}

// Standard output of a tool, or empty when it is not installed.
QString Run(const QString& ATool, const QStringList& AArguments)
{
    const QString Tool = QStandardPaths::findExecutable(ATool);
    if (Tool.isEmpty())
        return {};
    QProcess Process;
    Process.start(Tool, AArguments);
    Process.waitForFinished(30000);
    return QString::fromUtf8(Process.readAllStandardOutput());
}

QString ContentType(const QString& AFile)
{
    return Run(QStringLiteral("gio"), {QStringLiteral("info"), QStringLiteral("-a"),
                                       QStringLiteral("standard::content-type"), AFile});
}

// Every file under AFolder whose name or content mentions our type.
QStringList Mentioning(const QString& AFolder)
{
    QStringList Result;
    QDirIterator It(AFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (It.hasNext()) {
        const QString File = It.next();
        if (File.sliced(AFolder.size()).contains(u"verbanto") || Read(File).contains("x-verbanto"))
            Result.append(File);
    }
    return Result;
}

} // namespace

class FileAssociationTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void AddWritesTheFiles();
    void ThePackagedFilesSayTheSame();
    void ExecQuotesThePath_data();
    void ExecQuotesThePath();
    void MimeAppsKeepsEveryOtherLine_data();
    void MimeAppsKeepsEveryOtherLine();
    void RemoveLeavesNothingOfOurs();
    void TheCommandsAskAndTell_data();
    void TheCommandsAskAndTell();
    void AFolderThatCannotBeWrittenIsPassedOver();
    void AFullDiskIsReportedAndStopsAdding();
    void GioSeesTheAssociation();

private:
    QString Data() const { return QString::fromStdString(FFolder->File("data")); }
    QString ConfigFolder() const { return QString::fromStdString(FFolder->File("config")); }

    std::unique_ptr<TTempFolder> FFolder;
};

void FileAssociationTest::init()
{
    FFolder = std::make_unique<TTempFolder>();
    qputenv("XDG_DATA_HOME", Data().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", ConfigFolder().toLocal8Bit());
}

void FileAssociationTest::cleanup()
{
    FFolder.reset();
}

void FileAssociationTest::AddWritesTheFiles()
{
    TFileAssociation Association(Program);
    QCOMPARE(Association.MimePackageFile(), Data() + QStringLiteral("/mime/packages/verbanto.xml"));
    QCOMPARE(Association.DesktopFile(), Data() + QStringLiteral("/applications/verbanto.desktop"));
    QCOMPARE(Association.IconFile(),
             Data() + QStringLiteral("/icons/hicolor/scalable/apps/verbanto.svg"));
    QCOMPARE(Association.MimeAppsFile(), ConfigFolder() + QStringLiteral("/mimeapps.list"));

    QString Error;
    QVERIFY(Association.Add(Error));
    QVERIFY(Error.isEmpty());

    const QByteArray Mime = Read(Association.MimePackageFile());
    for (const char* Part :
         {"<mime-type type=\"application/x-verbanto\">", "<comment>Verbanto file</comment>",
          "<glob pattern=\"*.vbf\"/>", "<match type=\"big16\" offset=\"0\" value=\"0x1362\"/>",
          "<match type=\"big16\" offset=\"0\" value=\"0x134a\"/>"})
        QVERIFY2(Mime.contains(Part), Part);

    const QStringList Desktop = QString::fromUtf8(Read(Association.DesktopFile())).split(u'\n');
    for (const char16_t* Line :
         {u"[Desktop Entry]", u"Type=Application", u"Name=Verbanto",
          u"Exec=/opt/verbanto/verbanto %f", u"Icon=verbanto", u"MimeType=application/x-verbanto;"})
        QVERIFY2(Desktop.contains(QString::fromUtf16(Line)), qPrintable(QString::fromUtf16(Line)));

    const QByteArray Icon = Read(QStringLiteral(":/icons/verbanto.svg"));
    if (Icon.isEmpty())
        QVERIFY(!QFile::exists(Association.IconFile()));
    else
        QCOMPARE(Read(Association.IconFile()), Icon);

    QCOMPARE(Read(Association.MimeAppsFile()),
             QByteArray("[Default Applications]\napplication/x-verbanto=verbanto.desktop\n"));

    if (!QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
        QVERIFY(QFile::exists(Data() + QStringLiteral("/mime/application/x-verbanto.xml")));
    if (!QStandardPaths::findExecutable(QStringLiteral("update-desktop-database")).isEmpty())
        QVERIFY(Read(Data() + QStringLiteral("/applications/mimeinfo.cache"))
                    .contains("application/x-verbanto=verbanto.desktop;"));
}

void FileAssociationTest::ThePackagedFilesSayTheSame()
{
    QCOMPARE(QString::fromUtf8(Read(QStringLiteral(VERBANTO_PACKAGING_DIR "/verbanto-mime.xml"))),
             TFileAssociation::MimePackage());
    QCOMPARE(QString::fromUtf8(Read(QStringLiteral(VERBANTO_PACKAGING_DIR "/verbanto.desktop"))),
             TFileAssociation::DesktopEntry(QStringLiteral("verbanto")));
}

void FileAssociationTest::ExecQuotesThePath_data()
{
    QTest::addColumn<QString>("Path");
    QTest::addColumn<QString>("Exec");
    QTest::newRow("plain") << u"/usr/bin/verbanto"_qs << u"/usr/bin/verbanto %f"_qs;
    QTest::newRow("space") << u"/opt/My Apps/verbanto"_qs << u"\"/opt/My Apps/verbanto\" %f"_qs;
    // Inside the quotes $ gets a backslash, which the string level doubles.
    QTest::newRow("dollar") << u"/opt/a$b/verbanto"_qs << u"\"/opt/a\\\\$b/verbanto\" %f"_qs;
    QTest::newRow("quote") << u"/opt/a\"b/verbanto"_qs << u"\"/opt/a\\\\\"b/verbanto\" %f"_qs;
    QTest::newRow("backslash") << u"/opt/a\\b/verbanto"_qs << u"\"/opt/a\\\\\\\\b/verbanto\" %f"_qs;
    QTest::newRow("percent") << u"/opt/100%/verbanto"_qs << u"/opt/100%%/verbanto %f"_qs;
    QTest::newRow("accented") << u"/home/niccolò/verbanto"_qs << u"/home/niccolò/verbanto %f"_qs;
}

void FileAssociationTest::ExecQuotesThePath()
{
    QFETCH(QString, Path);
    QFETCH(QString, Exec);
    QCOMPARE(TFileAssociation::ExecLine(Path), Exec);

    TFileAssociation Association(Path);
    QString Error;
    QVERIFY(Association.Add(Error));
    QVERIFY(QString::fromUtf8(Read(Association.DesktopFile()))
                .split(u'\n')
                .contains(QStringLiteral("Exec=") + Exec));
    const QString Validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!Validator.isEmpty()) {
        QProcess Process;
        Process.start(Validator, {Association.DesktopFile()});
        QVERIFY(Process.waitForFinished(30000));
        QVERIFY2(Process.exitCode() == 0, Process.readAllStandardOutput().constData());
    }
}

void FileAssociationTest::MimeAppsKeepsEveryOtherLine_data()
{
    QTest::addColumn<QByteArray>("Before");
    QTest::addColumn<QByteArray>("AfterAdd");
    QTest::addColumn<QByteArray>("AfterRemove");
    const QByteArray Ours = "application/x-verbanto=verbanto.desktop\n";
    QTest::newRow("no file") << QByteArray() << "[Default Applications]\n" + Ours << QByteArray();
    QTest::newRow("other section")
        << QByteArray("[Added Associations]\ntext/plain=gedit.desktop;\n")
        << "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + Ours
        << QByteArray("[Added Associations]\ntext/plain=gedit.desktop;\n");
    QTest::newRow("section followed by another")
        << QByteArray("# mine\n[Default Applications]\ntext/plain=a.desktop\n\n[Removed "
                      "Associations]\nimage/png=b.desktop;\n")
        << "# mine\n[Default Applications]\ntext/plain=a.desktop\n" + Ours +
               "\n[Removed Associations]\nimage/png=b.desktop;\n"
        << QByteArray("# mine\n[Default Applications]\ntext/plain=a.desktop\n\n[Removed "
                      "Associations]\nimage/png=b.desktop;\n");
    QTest::newRow("another program was the default")
        << QByteArray("[Default Applications]\napplication/x-verbanto = other.desktop\ntext/"
                      "plain=a.desktop\n")
        << "[Default Applications]\ntext/plain=a.desktop\n" + Ours
        << QByteArray("[Default Applications]\ntext/plain=a.desktop\n");
    QTest::newRow("our type in another section stays")
        << QByteArray("[Added Associations]\napplication/x-verbanto=verbanto.desktop;\n")
        << "[Added Associations]\napplication/x-verbanto=verbanto.desktop;\n\n[Default "
           "Applications]\n" +
               Ours
        << QByteArray("[Added Associations]\napplication/x-verbanto=verbanto.desktop;\n");
    QTest::newRow("no final newline")
        << QByteArray("[Default Applications]\ntext/plain=a.desktop")
        << "[Default Applications]\ntext/plain=a.desktop\n" + Ours
        << QByteArray("[Default Applications]\ntext/plain=a.desktop\n");
}

void FileAssociationTest::MimeAppsKeepsEveryOtherLine()
{
    QFETCH(QByteArray, Before);
    QFETCH(QByteArray, AfterAdd);
    QFETCH(QByteArray, AfterRemove);
    TFileAssociation Association(Program);
    const QString File = Association.MimeAppsFile();
    if (!Before.isNull()) {
        QVERIFY(QDir().mkpath(ConfigFolder()));
        Write(File, Before);
    }

    QString Error;
    QVERIFY(Association.Add(Error));
    QCOMPARE(Read(File), AfterAdd);
    QVERIFY(Association.Add(Error));
    QCOMPARE(Read(File), AfterAdd);

    Association.Remove();
    QCOMPARE(QFile::exists(File), !AfterRemove.isNull());
    QCOMPARE(Read(File), AfterRemove);
}

void FileAssociationTest::RemoveLeavesNothingOfOurs()
{
    TFileAssociation Association(Program);
    QString Error;
    QVERIFY(Association.Add(Error));
    QVERIFY(!Mentioning(Data()).isEmpty());

    Association.Remove();
    QCOMPARE(Mentioning(Data()), QStringList());
    QVERIFY(!QFile::exists(Association.MimeAppsFile()));

    // Again with nothing there to remove.
    Association.Remove();
    QCOMPARE(Mentioning(Data()), QStringList());
}

void FileAssociationTest::TheCommandsAskAndTell_data()
{
    QTest::addColumn<bool>("Add");
    QTest::addColumn<bool>("Answer");
    QTest::addColumn<QStringList>("Questions");
    QTest::addColumn<QStringList>("Messages");
    QTest::addColumn<bool>("Associated");
    QTest::newRow("add, yes") << true << true << QStringList{Question} << QStringList{Added}
                              << true;
    QTest::newRow("add, no") << true << false << QStringList{Question} << QStringList() << false;
    QTest::newRow("delete") << false << true << QStringList() << QStringList{Removed} << false;
}

void FileAssociationTest::TheCommandsAskAndTell()
{
    QFETCH(bool, Add);
    QFETCH(bool, Answer);
    QFETCH(QStringList, Questions);
    QFETCH(QStringList, Messages);
    QFETCH(bool, Associated);
    TTestDialogs Dialogs;
    Dialogs.Answers.push_back(Answer);
    if (Add)
        mnuAddAssociationClick(nullptr, Dialogs, Program);
    else
        mnuDeleteAssociationClick(nullptr, Dialogs, Program);
    QCOMPARE(Dialogs.Questions, Questions);
    QCOMPARE(Dialogs.Messages, Messages);
    QCOMPARE(Dialogs.Errors, QStringList());
    QCOMPARE(QFile::exists(TFileAssociation(Program).DesktopFile()), Associated);
    if (!Associated)
        QCOMPARE(ListFolder(FFolder->Path()), std::string());
}

void FileAssociationTest::AFolderThatCannotBeWrittenIsPassedOver()
{
    TFileAssociation Association(Program);
    const QString Applications = Data() + QStringLiteral("/applications");
    QVERIFY(QDir().mkpath(Applications));
    TImmutableFolder Locked(Applications.toStdString());
    if (!Locked.Active())
        QSKIP("chattr +i is not allowed here");

    TTestDialogs Dialogs;
    Dialogs.Answers.push_back(true);
    mnuAddAssociationClick(nullptr, Dialogs, Program);
    QCOMPARE(Dialogs.Messages, QStringList{Added});
    QCOMPARE(Dialogs.Errors, QStringList());
    QVERIFY(!QFile::exists(Association.DesktopFile()));
    QVERIFY(QFile::exists(Association.MimePackageFile()));
    QVERIFY(QFile::exists(Association.MimeAppsFile()));
}

void FileAssociationTest::AFullDiskIsReportedAndStopsAdding()
{
    TFileAssociation Association(Program);
    const QString Packages = Data() + QStringLiteral("/mime/packages");
    QVERIFY(QDir().mkpath(Packages));
    TSmallFileSystem Small(Packages.toStdString(), "64k");
    if (!Small.Active())
        QSKIP("mounting a tmpfs is not allowed here");
    {
        std::ofstream Filler((Packages + QStringLiteral("/filler")).toStdString(),
                             std::ios::binary);
        const std::string Block(4096, 'x');
        while (Filler.write(Block.data(), Block.size()) && Filler.flush()) {
        }
    }

    TTestDialogs Dialogs;
    Dialogs.Answers.push_back(true);
    mnuAddAssociationClick(nullptr, Dialogs, Program);
    QCOMPARE(Dialogs.Messages, QStringList());
    QCOMPARE(Dialogs.Errors.size(), 1);
    QVERIFY2(Dialogs.Errors.constFirst().contains(Association.MimePackageFile()),
             qPrintable(Dialogs.Errors.constFirst()));
    QVERIFY(!QFile::exists(Association.MimePackageFile()));
    QVERIFY(!QFile::exists(Association.DesktopFile()));
    QVERIFY(!QFile::exists(Association.MimeAppsFile()));
}

void FileAssociationTest::GioSeesTheAssociation()
{
    if (QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
        QSKIP("gio or update-mime-database is not installed");
    const QString Type = QStringLiteral("application/x-verbanto");
    const QString Named = QString::fromStdString(FFolder->File("doc.vbf"));
    const QString Signed = QString::fromStdString(FFolder->File("doc.bin"));
    Write(Named, QByteArray("\x13J", 2) + QByteArray(40, '\0'));
    Write(Signed, QByteArray("\x13"
                             "b",
                             2) +
                      QByteArray(40, '\1'));
    const QString Default = Run(QStringLiteral("gio"), {QStringLiteral("mime"), Type});
    QVERIFY(!Default.contains(u"verbanto.desktop"));

    // GIO ignores a desktop entry whose program is not there.
    TFileAssociation Association(QCoreApplication::applicationFilePath());
    QString Error;
    QVERIFY(Association.Add(Error));
    QVERIFY2(ContentType(Named).contains(QStringLiteral("standard::content-type: ") + Type),
             qPrintable(ContentType(Named)));
    QVERIFY2(ContentType(Signed).contains(QStringLiteral("standard::content-type: ") + Type),
             qPrintable(ContentType(Signed)));
    const QString Registered = Run(QStringLiteral("gio"), {QStringLiteral("mime"), Type});
    QVERIFY2(Registered.contains(u": verbanto.desktop"), qPrintable(Registered));

    Association.Remove();
    QVERIFY(!ContentType(Named).contains(Type));
    QVERIFY(!ContentType(Signed).contains(Type));
    QVERIFY(
        !Run(QStringLiteral("gio"), {QStringLiteral("mime"), Type}).contains(u"verbanto.desktop"));
}

VERBANTO_QTEST_MAIN(FileAssociationTest)
#include "fileassociation_test.moc"
