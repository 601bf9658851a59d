// SPDX-License-Identifier: GPL-3.0-or-later
#include "formabout.h"

#include "exever.h"
#include "programicon.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>
#include <QUrl>

namespace {

constexpr int DesignedWidth = 347;
constexpr int DesignedHeight = 227;

QFont PixelFont(int APixels)
{
    QFont Result(QStringLiteral("Tahoma"));
    Result.setPixelSize(APixels);
    return Result;
}

QLabel* NamedLabel(QWidget* AParent, const QString& AName, const QString& AText)
{
    auto* Result = new QLabel(AText, AParent);
    Result->setObjectName(AName);
    return Result;
}

// A document that is not there is named as plain text: a link to it would
// only fail when clicked.
QLabel* LinkLabel(QWidget* AParent, const QString& AName, const QString& AFile)
{
    const QString Link = QUrl::fromLocalFile(AFile).toString();
    if (!QFileInfo::exists(AFile)) {
        QLabel* Result = NamedLabel(AParent, AName, Link);
        Result->setTextFormat(Qt::PlainText);
        return Result;
    }
    QLabel* Result = NamedLabel(AParent, AName,
                                QStringLiteral("<a href=\"%1\">%1</a>").arg(Link.toHtmlEscaped()));
    Result->setTextFormat(Qt::RichText);
    // The dialog opens links itself, so the label only reports the click.
    Result->setOpenExternalLinks(false);
    Result->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    Result->setFocusPolicy(Qt::StrongFocus);
    return Result;
}

} // namespace

TFormAbout::TFormAbout(QWidget* AParent) : TFormAbout(AParent, QStringLiteral(VERBANTO_DOCDIR)) {}

TFormAbout::TFormAbout(QWidget* AParent, const QString& ADocFolder) : QDialog(AParent)
{
    const QDir Docs(ADocFolder);
    setWindowTitle(QStringLiteral("Informazioni"));
    setFont(PixelFont(11));

    auto* Icon = NamedLabel(this, QStringLiteral("Image1"), QString());
    Icon->setFixedSize(32, 32);
    // A null pixmap when the SVG image plugin is missing: the box simply
    // shows no icon then.
    Icon->setPixmap(ProgramIcon().pixmap(32, 32));
    auto* Product = NamedLabel(this, QStringLiteral("Label1"), QStringLiteral("Verbanto"));
    Product->setFont(PixelFont(19));
    auto* Readme =
        LinkLabel(this, QStringLiteral("LinkLabel1"), Docs.filePath(QStringLiteral("README.md")));
    auto* Licence =
        LinkLabel(this, QStringLiteral("LinkLabel2"), Docs.filePath(QStringLiteral("LICENSE")));
    auto* Ok = new QPushButton(QStringLiteral("Ok"), this);
    Ok->setObjectName(QStringLiteral("btnOk"));
    Ok->setMinimumSize(75, 25);
    Ok->setDefault(true);

    auto* Layout = new QGridLayout(this);
    Layout->setContentsMargins(32, 24, 32, 23);
    Layout->setHorizontalSpacing(32);
    Layout->setVerticalSpacing(4);
    Layout->addWidget(Icon, 0, 0, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    Layout->addWidget(Product, 0, 1);
    Layout->addWidget(NamedLabel(this, QStringLiteral("lblVersion"),
                                 QStringLiteral("versione ") + GetVersionString()),
                      1, 1);
    Layout->addWidget(NamedLabel(this, QStringLiteral("Label2"),
                                 QStringLiteral("Software libero sotto licenza GNU GPL")),
                      2, 1);
    Layout->setRowMinimumHeight(3, 16);
    Layout->addWidget(Readme, 4, 0, 1, 2);
    Layout->addWidget(Licence, 5, 0, 1, 2);
    Layout->setRowStretch(6, 1);
    Layout->addWidget(Ok, 7, 0, 1, 2, Qt::AlignHCenter);
    // The designed size is the least the box takes; other fonts and
    // languages make it grow, and it stays fixed at the size it needs.
    Layout->addItem(new QSpacerItem(DesignedWidth - 64, DesignedHeight - 47, QSizePolicy::Minimum,
                                    QSizePolicy::Minimum),
                    0, 0, 8, 2);
    Layout->setSizeConstraint(QLayout::SetFixedSize);
    Layout->activate();

    setTabOrder(Readme, Ok);
    setTabOrder(Ok, Licence);

    connect(Readme, &QLabel::linkActivated, this, &TFormAbout::LabelsLinkClick);
    connect(Licence, &QLabel::linkActivated, this, &TFormAbout::LabelsLinkClick);
    connect(Ok, &QPushButton::clicked, this, &QDialog::accept);
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
