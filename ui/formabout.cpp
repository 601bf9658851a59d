// SPDX-License-Identifier: GPL-3.0-or-later
#include "formabout.h"

#include "exever.h"
#include "programicon.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace {

QFont PixelFont(int APixels)
{
    QFont Result(QStringLiteral("Tahoma"));
    Result.setPixelSize(APixels);
    return Result;
}

QLabel* PlacedLabel(QWidget* AParent, const QString& AName, const QString& AText, int ALeft,
                    int ATop)
{
    auto* Result = new QLabel(AText, AParent);
    Result->setObjectName(AName);
    Result->move(ALeft, ATop);
    Result->adjustSize();
    return Result;
}

// A document that is not there is named as plain text: a link to it would
// only fail when clicked.
QLabel* LinkLabel(QWidget* AParent, const QString& AName, const QString& AFile, int ALeft, int ATop)
{
    const QString Link = QUrl::fromLocalFile(AFile).toString();
    if (!QFileInfo::exists(AFile)) {
        QLabel* Result = PlacedLabel(AParent, AName, Link, ALeft, ATop);
        Result->setTextFormat(Qt::PlainText);
        return Result;
    }
    QLabel* Result =
        PlacedLabel(AParent, AName,
                    QStringLiteral("<a href=\"%1\">%1</a>").arg(Link.toHtmlEscaped()), ALeft, ATop);
    Result->setTextFormat(Qt::RichText);
    // The dialog opens links itself, so the label only reports the click.
    Result->setOpenExternalLinks(false);
    Result->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    Result->setFocusPolicy(Qt::StrongFocus);
    Result->adjustSize();
    return Result;
}

} // namespace

TFormAbout::TFormAbout(QWidget* AParent) : TFormAbout(AParent, QStringLiteral(VERBANTO_DOCDIR)) {}

TFormAbout::TFormAbout(QWidget* AParent, const QString& ADocFolder) : QDialog(AParent)
{
    const QDir Docs(ADocFolder);
    setWindowTitle(QStringLiteral("Informazioni"));
    setFont(PixelFont(11));

    auto* Icon = new QLabel(this);
    Icon->setObjectName(QStringLiteral("Image1"));
    Icon->setGeometry(32, 24, 32, 32);
    // A null pixmap when the SVG image plugin is missing: the box simply
    // shows no icon then.
    Icon->setPixmap(ProgramIcon().pixmap(32, 32));

    auto* Product = PlacedLabel(this, QStringLiteral("Label1"), QStringLiteral("Verbanto"), 96, 24);
    Product->setFont(PixelFont(19));
    Product->adjustSize();

    PlacedLabel(this, QStringLiteral("lblVersion"),
                QStringLiteral("versione ") + GetVersionString(), 96, 53);
    PlacedLabel(this, QStringLiteral("Label2"),
                QStringLiteral("Software libero sotto licenza GNU GPL"), 96, 72);
    auto* Readme = LinkLabel(this, QStringLiteral("LinkLabel1"),
                             Docs.filePath(QStringLiteral("README.md")), 32, 112);
    auto* Licence = LinkLabel(this, QStringLiteral("LinkLabel2"),
                              Docs.filePath(QStringLiteral("LICENSE")), 32, 135);

    auto* Ok = new QPushButton(QStringLiteral("Ok"), this);
    Ok->setObjectName(QStringLiteral("btnOk"));
    Ok->setGeometry(136, 179, 75, 25);
    Ok->setDefault(true);

    setTabOrder(Readme, Ok);
    setTabOrder(Ok, Licence);

    connect(Readme, &QLabel::linkActivated, this, &TFormAbout::LabelsLinkClick);
    connect(Licence, &QLabel::linkActivated, this, &TFormAbout::LabelsLinkClick);
    connect(Ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(347, 227);
}

void TFormAbout::LabelsLinkClick(const QString& ALink)
{
    // Whether a viewer opened is the desktop's business; nothing to report.
    QDesktopServices::openUrl(QUrl(ALink));
}

void ShowAbout(QWidget* AParent)
{
    // A guarded pointer: should AParent go while the box is up, it takes the
    // box with it and there is nothing left to free.
    QPointer<TFormAbout> Form = new TFormAbout(AParent);
    Form->exec();
    delete Form;
}
