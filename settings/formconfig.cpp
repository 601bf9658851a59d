// SPDX-License-Identifier: GPL-3.0-or-later
#include "formconfig.h"

#include "colorbutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The designed sizes, kept as the smallest the dialog and its parts take.
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

// One row of the colours' frame: the caption level with its button.
TColorButton* AddColorRow(QGridLayout* ARows, const QString& AName, QLabel* ALabel)
{
    QWidget* Frame = ARows->parentWidget();
    auto* Button = Named(new TColorButton(Frame), AName);
    Button->setFixedSize(121, 32);
    const int Row = ARows->rowCount();
    ARows->addWidget(ALabel, Row, 0, Qt::AlignVCenter);
    ARows->addWidget(Button, Row, 1, Qt::AlignRight | Qt::AlignVCenter);
    return Button;
}

QPushButton* NewDialogButton(QWidget* AParent, const QString& AName, const QString& ACaption,
                             const QString& AIconName, QStyle::StandardPixmap AFallback)
{
    auto* Button = Named(new QPushButton(ACaption, AParent), AName);
    Button->setMinimumSize(113, 49);
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

    // Created in tab order, so the focus chain needs no further setup.
    panMain = NewPanel(this, QStringLiteral("panMain"));
    panMain->setMinimumSize(ClientWidth, ClientHeight - BottomHeight);
    auto* Main = new QVBoxLayout(panMain);
    // Inside the panel's one-pixel frame, so the frames sit where designed.
    Main->setContentsMargins(15, 18, 20, 12);
    Main->setSpacing(12);

    gbColors = Named(new QGroupBox(QStringLiteral("Colori"), panMain), QStringLiteral("gbColors"));
    auto* Rows = new QGridLayout(gbColors);
    Rows->setContentsMargins(16, 8, 16, 16);
    Rows->setVerticalSpacing(16);
    Rows->setHorizontalSpacing(12);
    Rows->setColumnStretch(0, 1);
    Label1 = Named(new QLabel(QStringLiteral("Vocali"), gbColors), QStringLiteral("Label1"));
    Label2 = Named(new QLabel(QStringLiteral("Consonanti"), gbColors), QStringLiteral("Label2"));
    Label3 =
        Named(new QLabel(QStringLiteral("Lettere in eccesso"), gbColors), QStringLiteral("Label3"));
    btnColorVowels = AddColorRow(Rows, QStringLiteral("btnColorVowels"), Label1);
    btnColorConsonants = AddColorRow(Rows, QStringLiteral("btnColorConsonants"), Label2);
    btnColorExcess = AddColorRow(Rows, QStringLiteral("btnColorExcess"), Label3);
    Main->addWidget(gbColors);

    chkAllowExcess =
        Named(new QCheckBox(QStringLiteral("Consenti lettere in eccesso per default"), panMain),
              QStringLiteral("chkAllowExcess"));
    auto* Indented = new QHBoxLayout;
    Indented->addSpacing(16);
    Indented->addWidget(chkAllowExcess, 1);
    Main->addLayout(Indented);

    rgFontSize = Named(new QGroupBox(QStringLiteral("Dimensione dei caratteri"), panMain),
                       QStringLiteral("rgFontSize"));
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
    Main->addWidget(rgFontSize);
    Main->addStretch(1);

    panBottom = NewPanel(this, QStringLiteral("panBottom"));
    panBottom->setMinimumSize(ClientWidth, BottomHeight);
    QFont BottomFont = FormFont;
    BottomFont.setPixelSize(16);
    panBottom->setFont(BottomFont);
    btnOk = NewDialogButton(panBottom, QStringLiteral("btnOk"), QStringLiteral("Ok"),
                            QStringLiteral("dialog-ok"), QStyle::SP_DialogOkButton);
    btnOk->setDefault(true);
    btnCancel = NewDialogButton(panBottom, QStringLiteral("btnCancel"), QStringLiteral("Annulla"),
                                QStringLiteral("dialog-cancel"), QStyle::SP_DialogCancelButton);
    auto* Buttons = new QHBoxLayout(panBottom);
    Buttons->setContentsMargins(15, 15, 20, 15);
    Buttons->addWidget(btnOk);
    Buttons->addStretch(1);
    Buttons->addWidget(btnCancel);

    auto* Form = new QVBoxLayout(this);
    Form->setContentsMargins(0, 0, 0, 0);
    Form->setSpacing(0);
    Form->addWidget(panMain, 1);
    Form->addWidget(panBottom);
    // Fixed at the size the contents need, and never below the designed one.
    Form->setSizeConstraint(QLayout::SetFixedSize);

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
