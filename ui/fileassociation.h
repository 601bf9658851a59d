// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;
class TDialogs;

// Registers the program, for the current user only, as the one that opens
// ".vbf" documents, the freedesktop way: a MIME type, a desktop entry, an
// icon and the default-application line, all under $XDG_DATA_HOME and
// $XDG_CONFIG_HOME, so no administrator rights are needed.
class TFileAssociation
{
public:
    // The folders come from the environment at construction.
    explicit TFileAssociation(const QString& AProgramPath);

    // Files that cannot be opened are passed over. False, with the message
    // in AError, when a file that was opened could not be written: what
    // follows it is then not attempted.
    bool Add(QString& AError);
    // Takes away exactly what Add writes, whatever of it is there.
    void Remove();

    QString MimePackageFile() const;
    QString DesktopFile() const;
    QString IconFile() const;
    QString MimeAppsFile() const;

    static QString MimePackage();
    static QString DesktopEntry(const QString& AProgramPath);
    // The Exec key's value: the program, quoted where needed, then "%f".
    static QString ExecLine(const QString& AProgramPath);
    // AText with our default-application line set in [Default Applications],
    // every other line kept.
    static QString WithDefault(const QString& AText);
    // AText without our default-application line; an emptied section goes too.
    static QString WithoutDefault(const QString& AText);

private:
    QString FProgramPath;
    QString FDataHome;
    QString FConfigHome;
};

// The commands of the "Utilità" menu; AProgramPath is the running program's
// full path.
void mnuAddAssociationClick(QWidget* AParent, TDialogs& ADialogs, const QString& AProgramPath);
void mnuDeleteAssociationClick(QWidget* AParent, TDialogs& ADialogs, const QString& AProgramPath);
