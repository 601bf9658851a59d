// SPDX-License-Identifier: GPL-3.0-or-later
#include "formconfig.h"

#include "colorbutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 310;
constexpr int ClientHeight = 440;
constexpr int BottomHeight = 81;

template <typename T> T* Named(T* AWidget, const QString& AName)
{
    AWidget->setObjectName(AName);
    return AWidget;
}

QFrame* NewPanel(QWidget* AParent, const QString& AName)
{
    auto* Panel = Named(new QFrame(AParent), AName);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return Panel;
}

TColorButton* NewColorButton(QWidget* AParent, const QString& AName, int ATop)
{
    auto* Button = Named(new TColorButton(AParent), AName);
    Button->setGeometry(128, ATop, 121, 32);
    return Button;
}

// Stands level with the colour button whose top is AButtonTop.
QLabel* NewColorLabel(QWidget* AParent, const QString& AName, const QString& ACaption,
                      int AButtonTop)
{
    auto* Label = Named(new QLabel(ACaption, AParent), AName);
    Label->adjustSize();
    Label->move(16, AButtonTop + (32 - Label->height()) / 2);
    return Label;
}

QPushButton* NewDialogButton(QWidget* AParent, const QString& AName, const QString& ACaption,
                             const QString& AIconName, QStyle::StandardPixmap AFallback, int ALeft)
{
    auto* Button = Named(new QPushButton(ACaption, AParent), AName);
    Button->setGeometry(ALeft, 16, 113, 49);
    Button->setIcon(QIcon::fromTheme(AIconName, AParent->style()->standardIcon(AFallback)));
    Button->setIconSize(QSize(16, 16));
    return Button;
}

} // namespace

TFormConfig::TFormConfig(QWidget* AParent) : QDialog(AParent)
{
    setObjectName(QStringLiteral("FormConfig"));
    setWindowTitle(QStringLiteral("Opzioni"));
    // A fixed dialog frame whose title bar only offers closing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont FormFont = font();
    FormFont.setPixelSize(11);
    setFont(FormFont);
    setFixedSize(ClientWidth, ClientHeight);

    // Created in tab order, so the focus chain needs no further setup.
    panMain = NewPanel(this, QStringLiteral("panMain"));
    panMain->setGeometry(0, 0, ClientWidth, ClientHeight - BottomHeight);

    gbColors = Named(new QGroupBox(QStringLiteral("Colori"), panMain), QStringLiteral("gbColors"));
    gbColors->setGeometry(16, 19, 273, 174);
    btnColorVowels = NewColorButton(gbColors, QStringLiteral("btnColorVowels"), 24);
    btnColorConsonants = NewColorButton(gbColors, QStringLiteral("btnColorConsonants"), 72);
    btnColorExcess = NewColorButton(gbColors, QStringLiteral("btnColorExcess"), 120);
    Label1 = NewColorLabel(gbColors, QStringLiteral("Label1"), QStringLiteral("Vocali"), 24);
    Label2 = NewColorLabel(gbColors, QStringLiteral("Label2"), QStringLiteral("Consonanti"), 72);
    Label3 = NewColorLabel(gbColors, QStringLiteral("Label3"), QStringLiteral("Lettere in eccesso"),
                           120);

    chkAllowExcess =
        Named(new QCheckBox(QStringLiteral("Consenti lettere in eccesso per default"), panMain),
              QStringLiteral("chkAllowExcess"));
    chkAllowExcess->setGeometry(32, 208, 257, 17);

    rgFontSize = Named(new QGroupBox(QStringLiteral("Dimensione dei caratteri"), panMain),
                       QStringLiteral("rgFontSize"));
    rgFontSize->setGeometry(16, 240, 273, 105);
    FFontSizeItems = new QButtonGroup(this);
    auto* Items = new QVBoxLayout(rgFontSize);
    const QString Captions[] = {QStringLiteral("Piccoli"), QStringLiteral("Medi"),
                                QStringLiteral("Grandi")};
    for (int Index = 0; Index < 3; ++Index) {
        auto* Item = new QRadioButton(Captions[Index], rgFontSize);
        Item->setFocusPolicy(Qt::ClickFocus);
        FFontSizeItems->addButton(Item, Index);
        Items->addWidget(Item);
        // Tab stops at the chosen item only; the arrow keys move between them.
        connect(Item, &QRadioButton::toggled, Item, [Item](bool AChecked) {
            Item->setFocusPolicy(AChecked ? Qt::StrongFocus : Qt::ClickFocus);
        });
    }

    panBottom = NewPanel(this, QStringLiteral("panBottom"));
    panBottom->setGeometry(0, ClientHeight - BottomHeight, ClientWidth, BottomHeight);
    QFont BottomFont = FormFont;
    BottomFont.setPixelSize(16);
    panBottom->setFont(BottomFont);
    btnOk = NewDialogButton(panBottom, QStringLiteral("btnOk"), QStringLiteral("Ok"),
                            QStringLiteral("dialog-ok"), QStyle::SP_DialogOkButton, 16);
    btnOk->setDefault(true);
    btnCancel =
        NewDialogButton(panBottom, QStringLiteral("btnCancel"), QStringLiteral("Annulla"),
                        QStringLiteral("dialog-cancel"), QStyle::SP_DialogCancelButton, 176);
    // Esc already rejects a QDialog, just as the Cancel button does.
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TConfigOptions TFormConfig::Options() const
{
    return {btnColorVowels->Color(), btnColorConsonants->Color(), btnColorExcess->Color(),
            chkAllowExcess->isChecked(), FontSizeIndex()};
}

void TFormConfig::SetOptions(const TConfigOptions& AOptions)
{
    btnColorVowels->SetColor(AOptions.ColorVowels);
    btnColorConsonants->SetColor(AOptions.ColorConsonants);
    btnColorExcess->SetColor(AOptions.ColorExcess);
    chkAllowExcess->setChecked(AOptions.AllowExcess);
    SetFontSizeIndex(AOptions.FontSize);
}

int TFormConfig::FontSizeIndex() const
{
    return FFontSizeItems->checkedId();
}

void TFormConfig::SetFontSizeIndex(int AIndex)
{
    if (QAbstractButton* Item = FFontSizeItems->button(AIndex)) {
        Item->setChecked(true);
        return;
    }
    // An exclusive group never lets the last choice go by itself.
    FFontSizeItems->setExclusive(false);
    for (QAbstractButton* Item : FFontSizeItems->buttons())
        Item->setChecked(false);
    FFontSizeItems->setExclusive(true);
}

void TConfig::ShowForm(QWidget* AParent)
{
    // On the stack, so the dialog goes on every path, a failing write too.
    TFormConfig Form(AParent);
    Form.SetOptions(Options());
    if (Form.exec() == QDialog::Accepted)
        StoreOptions(Form.Options());
}
