// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileassociation.h"

#include "dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <optional>

namespace {

const QString MimeType = QStringLiteral("application/x-verbanto");
const QString DefaultsSection = QStringLiteral("[Default Applications]");
const QString DefaultLine = QStringLiteral("application/x-verbanto=verbanto.desktop");

// The base folders as the XDG Base Directory rules define them: a relative
// value is invalid and falls back to the default.
QString BaseFolder(const char* AVariable, const QString& ADefault)
{
    const QString Value = qEnvironmentVariable(AVariable);
    return QDir::isAbsolutePath(Value) ? QDir::cleanPath(Value) : QDir::homePath() + ADefault;
}

enum class TWritten
{
    Done,
    PassedOver,
    Failed
};

TWritten WriteFile(const QString& APath, const QByteArray& ABytes, QString& AError)
{
    if (!QDir().mkpath(QFileInfo(APath).absolutePath()))
        return TWritten::PassedOver;
    QSaveFile File(APath);
    if (!File.open(QIODevice::WriteOnly))
        return TWritten::PassedOver;
    // QSaveFile's commit lets a failed flush of its buffer pass (a full disk
    // gave an empty file), so the flush is checked on its own.
    if (File.write(ABytes) != ABytes.size() || !File.flush() || !File.commit()) {
        AError = QStringLiteral("Cannot create file \"%1\". %2").arg(APath, File.errorString());
        return TWritten::Failed;
    }
    return TWritten::Done;
}

// Empty for a file that is not there; none for one that is there but
// cannot be read, which must then not be written over.
std::optional<QString> ReadText(const QString& APath)
{
    QFile File(APath);
    if (!File.exists())
        return QString();
    if (!File.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(File.readAll());
}

// Without the tool (or without the folder) there is no database to refresh.
void Refresh(const QString& ATool, const QString& AFolder)
{
    const QString Tool = QStandardPaths::findExecutable(ATool);
    if (Tool.isEmpty() || !QFileInfo(AFolder).isDir())
        return;
    QProcess Process;
    Process.start(Tool, {AFolder});
    Process.waitForFinished(60000);
}

bool IsSectionHeader(const QString& ALine)
{
    const QString Line = ALine.trimmed();
    return Line.startsWith(u'[') && Line.endsWith(u']');
}

bool IsOurKey(const QString& ALine)
{
    const QString Line = ALine.trimmed();
    const qsizetype Equals = Line.indexOf(u'=');
    return !Line.startsWith(u'#') && Equals > 0 && Line.left(Equals).trimmed() == MimeType;
}

QStringList Lines(const QString& AText)
{
    QStringList Result = AText.split(u'\n');
    if (!Result.isEmpty() && Result.constLast().isEmpty())
        Result.removeLast();
    return Result;
}

QString Joined(const QStringList& ALines)
{
    return ALines.isEmpty() ? QString() : ALines.join(u'\n') + u'\n';
}

// Drops our key from every [Default Applications] section; true when one was there.
bool DropOurKey(QStringList& ALines)
{
    bool InDefaults = false;
    bool Dropped = false;
    for (qsizetype I = 0; I < ALines.size();) {
        if (IsSectionHeader(ALines.at(I)))
            InDefaults = ALines.at(I).trimmed() == DefaultsSection;
        if (InDefaults && IsOurKey(ALines.at(I))) {
            ALines.removeAt(I);
            Dropped = true;
        } else {
            ++I;
        }
    }
    return Dropped;
}

} // namespace

TFileAssociation::TFileAssociation(const QString& AProgramPath)
    : FProgramPath(AProgramPath),
      FDataHome(BaseFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"))),
      FConfigHome(BaseFolder("XDG_CONFIG_HOME", QStringLiteral("/.config")))
{}

QString TFileAssociation::MimePackageFile() const
{
    return FDataHome + QStringLiteral("/mime/packages/verbanto.xml");
}

QString TFileAssociation::DesktopFile() const
{
    return FDataHome + QStringLiteral("/applications/verbanto.desktop");
}

QString TFileAssociation::IconFile() const
{
    return FDataHome + QStringLiteral("/icons/hicolor/scalable/apps/verbanto.svg");
}

QString TFileAssociation::MimeAppsFile() const
{
    return FConfigHome + QStringLiteral("/mimeapps.list");
}

// The same text is installed system-wide from packaging/verbanto-mime.xml.
QString TFileAssociation::MimePackage()
{
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- SPDX-License-Identifier: GPL-3.0-or-later -->\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-verbanto\">\n"
        "    <comment>Verbanto file</comment>\n"
        "    <glob pattern=\"*.vbf\"/>\n"
        "    <!-- The two byte layouts: 0x13 followed by 'b' or 'J'. -->\n"
        "    <magic priority=\"50\">\n"
        "      <match type=\"big16\" offset=\"0\" value=\"0x1362\"/>\n"
        "      <match type=\"big16\" offset=\"0\" value=\"0x134a\"/>\n"
        "    </magic>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

// Also installed system-wide, as packaging/verbanto.desktop with the bare name.
QString TFileAssociation::DesktopEntry(const QString& AProgramPath)
{
    return QStringLiteral("# SPDX-License-Identifier: GPL-3.0-or-later\n"
                          "[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Verbanto\n"
                          "GenericName=Anagrammi\n"
                          "Comment=Aiuta a comporre anagrammi a mano\n"
                          "Comment[en]=Helps compose anagrams by hand\n"
                          "Exec=") +
           ExecLine(AProgramPath) +
           QStringLiteral("\n"
                          "Icon=verbanto\n"
                          "Terminal=false\n"
                          "MimeType=application/x-verbanto;\n"
                          "Categories=Utility;TextTools;\n");
}

// The Desktop Entry rules: a path with reserved characters goes in double
// quotes with " ` $ \ escaped, '%' doubles as it would start a field code,
// and then every backslash is escaped once more as the value is a string.
QString TFileAssociation::ExecLine(const QString& AProgramPath)
{
    static const QString Reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString Program = AProgramPath;
    Program.replace(u'%', QStringLiteral("%%"));
    const bool NeedsQuotes =
        std::any_of(Program.cbegin(), Program.cend(), [](QChar C) { return Reserved.contains(C); });
    if (NeedsQuotes) {
        QString Quoted;
        for (const QChar C : Program) {
            if (C == u'"' || C == u'`' || C == u'$' || C == u'\\')
                Quoted += u'\\';
            Quoted += C;
        }
        Program = u'"' + Quoted + u'"';
    }
    Program.replace(u'\\', QStringLiteral("\\\\"));
    return Program + QStringLiteral(" %f");
}

QString TFileAssociation::WithDefault(const QString& AText)
{
    QStringList Lines = ::Lines(AText);
    DropOurKey(Lines);
    const auto Header = std::find_if(Lines.cbegin(), Lines.cend(), [](const QString& ALine) {
        return ALine.trimmed() == DefaultsSection;
    });
    if (Header == Lines.cend()) {
        if (!Lines.isEmpty() && !Lines.constLast().trimmed().isEmpty())
            Lines.append(QString());
        Lines.append(DefaultsSection);
        Lines.append(DefaultLine);
        return Joined(Lines);
    }
    // After the section's last entry, so the blank line before the next
    // section stays where it was.
    qsizetype Insert = Header - Lines.cbegin() + 1;
    for (qsizetype I = Insert; I < Lines.size() && !IsSectionHeader(Lines.at(I)); ++I) {
        if (!Lines.at(I).trimmed().isEmpty())
            Insert = I + 1;
    }
    Lines.insert(Insert, DefaultLine);
    return Joined(Lines);
}

QString TFileAssociation::WithoutDefault(const QString& AText)
{
    QStringList Lines = ::Lines(AText);
    if (!DropOurKey(Lines))
        return AText;
    // A section left with nothing in it says nothing, and is most likely
    // the one Add made.
    for (qsizetype I = 0; I < Lines.size(); ++I) {
        if (Lines.at(I).trimmed() != DefaultsSection)
            continue;
        qsizetype End = I + 1;
        while (End < Lines.size() && Lines.at(End).trimmed().isEmpty())
            ++End;
        if (End == Lines.size() || IsSectionHeader(Lines.at(End))) {
            Lines.remove(I, End - I);
            --I;
        }
    }
    while (!Lines.isEmpty() && Lines.constLast().trimmed().isEmpty())
        Lines.removeLast();
    return Joined(Lines);
}

bool TFileAssociation::Add(QString& AError)
{
    if (WriteFile(MimePackageFile(), MimePackage().toUtf8(), AError) == TWritten::Failed)
        return false;
    Refresh(QStringLiteral("update-mime-database"), FDataHome + QStringLiteral("/mime"));

    if (WriteFile(DesktopFile(), DesktopEntry(FProgramPath).toUtf8(), AError) == TWritten::Failed)
        return false;
    Refresh(QStringLiteral("update-desktop-database"), FDataHome + QStringLiteral("/applications"));

    QFile Icon(QStringLiteral(":/icons/verbanto.svg"));
    if (Icon.open(QIODevice::ReadOnly) &&
        WriteFile(IconFile(), Icon.readAll(), AError) == TWritten::Failed)
        return false;

    const QString MimeApps = MimeAppsFile();
    const std::optional<QString> Defaults = ReadText(MimeApps);
    return !Defaults ||
           WriteFile(MimeApps, WithDefault(*Defaults).toUtf8(), AError) != TWritten::Failed;
}

void TFileAssociation::Remove()
{
    const QString MimeApps = MimeAppsFile();
    const std::optional<QString> Before = ReadText(MimeApps);
    const QString After = Before ? WithoutDefault(*Before) : QString();
    if (Before && After != *Before) {
        QString Ignored;
        if (After.isEmpty())
            QFile::remove(MimeApps);
        else
            WriteFile(MimeApps, After.toUtf8(), Ignored);
    }

    QFile::remove(IconFile());

    QFile::remove(DesktopFile());
    Refresh(QStringLiteral("update-desktop-database"), FDataHome + QStringLiteral("/applications"));

    QFile::remove(MimePackageFile());
    Refresh(QStringLiteral("update-mime-database"), FDataHome + QStringLiteral("/mime"));
}

void mnuAddAssociationClick(QWidget* AParent, TDialogs& ADialogs, const QString& AProgramPath)
{
    const QString Question =
        QStringLiteral("I file con estensione .vbf verranno associati con il programma ") +
        AProgramPath + QStringLiteral(". Proseguo?");
    if (!ADialogs.Confirm(AParent, Question))
        return;
    QString Error;
    if (TFileAssociation(AProgramPath).Add(Error))
        ADialogs.ShowMessage(AParent, QStringLiteral("Associazione creata con successo"));
    else
        ADialogs.ShowError(AParent, Error);
}

void mnuDeleteAssociationClick(QWidget* AParent, TDialogs& ADialogs, const QString& AProgramPath)
{
    TFileAssociation(AProgramPath).Remove();
    ADialogs.ShowMessage(
        AParent, QStringLiteral("L'associazione ai file con estensione .vbf è stata eliminata"));
}
