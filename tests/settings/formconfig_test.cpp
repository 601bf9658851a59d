// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorbutton.h"
#include "config.h"
#include "formconfig.h"
#include "layoutcheck.h"
#include "qcolor.h"
#include "qttestmain.h"
#include "tempfolder.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

constexpr TColor Olive = 0x00008080;
constexpr TColor Navy = 0x00800000;
constexpr TColor Red = 0x000000FF;

template <typename T> T* Find(QWidget& AForm, const char* AName)
{
    return AForm.findChild<T*>(QString::fromLatin1(AName));
}

// The controls a user touches, looked up by the names the window relies on.
struct TControls
{
    explicit TControls(QWidget& AForm)
        : Vowels(Find<TColorButton>(AForm, "btnColorVowels")),
          Consonants(Find<TColorButton>(AForm, "btnColorConsonants")),
          Excess(Find<TColorButton>(AForm, "btnColorExcess")),
          AllowExcess(Find<QCheckBox>(AForm, "chkAllowExcess")),
          FontSize(Find<QGroupBox>(AForm, "rgFontSize")), Ok(Find<QPushButton>(AForm, "btnOk")),
          Cancel(Find<QPushButton>(AForm, "btnCancel"))
    {}

    bool Complete() const
    {
        return Vowels && Consonants && Excess && AllowExcess && FontSize && Ok && Cancel &&
               FontSize->findChildren<QRadioButton*>().size() == 3;
    }

    QRadioButton* Item(const QString& ACaption) const
    {
        for (QRadioButton* Item : FontSize->findChildren<QRadioButton*>())
            if (Item->text() == ACaption)
                return Item;
        return nullptr;
    }

    QString ChosenItem() const
    {
        for (QRadioButton* Item : FontSize->findChildren<QRadioButton*>())
            if (Item->isChecked())
                return Item->text();
        return {};
    }

    TColorButton* Vowels;
    TColorButton* Consonants;
    TColorButton* Excess;
    QCheckBox* AllowExcess;
    QGroupBox* FontSize;
    QPushButton* Ok;
    QPushButton* Cancel;
};

QAction* PaletteEntry(TColorButton& AButton, const QString& ACaption)
{
    if (!AButton.menu())
        return nullptr;
    for (QAction* Action : AButton.menu()->actions())
        if (Action->text() == ACaption)
            return Action;
    return nullptr;
}

// Clicks the button as a user does and picks the entry from the menu that
// drops down; returns whether the menu came and took the pick.
bool PickFromPalette(TColorButton& AButton, const QString& ACaption)
{
    bool Picked = false;
    QTimer::singleShot(0, [&] {
        auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!Menu)
            return;
        if (QAction* Entry = PaletteEntry(AButton, ACaption); Entry && Menu == AButton.menu()) {
            Menu->setActiveAction(Entry);
            QTest::keyClick(Menu, Qt::Key_Return);
            Picked = !Menu->isVisible();
        }
        Menu->close();
    });
    QTest::mouseClick(&AButton, Qt::LeftButton);
    return Picked;
}

// Clicks on the caption: a radio button only takes clicks there.
void ClickItem(QRadioButton* AItem)
{
    QTest::mouseClick(AItem, Qt::LeftButton, {}, QPoint(8, AItem->height() / 2));
}

using TScript = std::function<void(TFormConfig& AForm)>;

// Calls ShowForm and runs AScript on the dialog once it is up. A script
// that fails has its dialog rejected, and a watchdog rejects whatever modal
// window is left, so no test can hang in a modal loop.
void ShowFormWith(TConfig& AConfig, const TScript& AScript)
{
    bool Ran = false;
    QTimer Watchdog;
    Watchdog.setSingleShot(true);
    QObject::connect(&Watchdog, &QTimer::timeout, [] {
        if (QWidget* Popup = QApplication::activePopupWidget())
            Popup->close();
        if (auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            Dialog->reject();
    });
    Watchdog.start(10000);
    QTimer::singleShot(0, [&] {
        auto* Form = qobject_cast<TFormConfig*>(QApplication::activeModalWidget());
        QVERIFY2(Form, "ShowForm shows no modal options dialog");
        Ran = true;
        AScript(*Form);
        if (Form->isVisible()) {
            Form->reject();
            QVERIFY2(QTest::currentTestFailed(), "the options dialog stayed open");
        }
    });
    AConfig.ShowForm();
    QVERIFY2(Ran, "the options dialog was not driven");
}

QByteArray IniOnDisk(const QString& AFileName)
{
    return QByteArray::fromStdString(ReadBytes(AFileName.toStdString()));
}

} // namespace

class FormConfigTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void OpensWithStoredValues_data();
    void OpensWithStoredValues();
    void LaidOutReadably();
    void LaidOutAtALargeFont();
    void TabOrder();
    void AcceptWritesAllKeysOnce_data();
    void AcceptWritesAllKeysOnce();
    void ChangesAreStored();
    void OtherCloseChangesNothing_data();
    void OtherCloseChangesNothing();
    void OtherColourAsksTheColourDialog_data();
    void OtherColourAsksTheColourDialog();
    void FailingWriteThrowsAfterTheEvent();

private:
    void CountEvents(TConfig& AConfig)
    {
        AConfig.OnConfigChanged = [this](TConfig& ASender) {
            ++FEvents;
            FSender = &ASender;
        };
    }

    std::unique_ptr<TTempFolder> FFolder;
    QString FFileName;
    int FEvents = 0;
    TConfig* FSender = nullptr;
};

void FormConfigTest::init()
{
    FFolder = std::make_unique<TTempFolder>();
    FFileName = QString::fromStdString(FFolder->File("verbanto.ini"));
    FEvents = 0;
    FSender = nullptr;
}

void FormConfigTest::cleanup()
{
    // Every path out of ShowForm must free the dialog.
    for (QWidget* Widget : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<TFormConfig*>(Widget), "an options dialog outlived ShowForm");
    FFolder.reset();
}

void FormConfigTest::OpensWithStoredValues_data()
{
    QTest::addColumn<QByteArray>("Ini");
    QTest::addColumn<int>("Vowels");
    QTest::addColumn<int>("Consonants");
    QTest::addColumn<int>("Excess");
    QTest::addColumn<bool>("AllowExcess");
    QTest::addColumn<QString>("Item");
    QTest::newRow("no settings file")
        << QByteArray() << Olive << Navy << Red << false << QStringLiteral("Medi");
    QTest::newRow("font size above the range") << QByteArray("[MAIN]\nFONTSIZE=5\n") << Olive
                                               << Navy << Red << false << QStringLiteral("Grandi");
    QTest::newRow("every option stored")
        << QByteArray("[MAIN]\nCOLORVOWELS=$00FF0000\nCOLORCONSONANTS=65280\n"
                      "COLOREXCESS=0x00123456\nALLOWEXCESS=1\nFONTSIZE=0\n")
        << 0x00FF0000 << 0x0000FF00 << 0x00123456 << true << QStringLiteral("Piccoli");
}

void FormConfigTest::OpensWithStoredValues()
{
    QFETCH(QByteArray, Ini);
    QFETCH(int, Vowels);
    QFETCH(int, Consonants);
    QFETCH(int, Excess);
    QFETCH(bool, AllowExcess);
    QFETCH(QString, Item);
    if (!Ini.isEmpty())
        WriteBytes(FFileName.toStdString(), Ini.toStdString());
    TConfig Config(FFileName);
    ShowFormWith(Config, [&](TFormConfig& AForm) {
        const TControls C(AForm);
        QVERIFY(C.Complete());
        QCOMPARE(C.Vowels->Color(), Vowels);
        QCOMPARE(C.Consonants->Color(), Consonants);
        QCOMPARE(C.Excess->Color(), Excess);
        QCOMPARE(C.AllowExcess->isChecked(), AllowExcess);
        QCOMPARE(C.ChosenItem(), Item);
        // The colour must really show on the button's face.
        const QImage Face = C.Vowels->grab().toImage();
        QCOMPARE(Face.pixelColor(Face.rect().center()), ToQColor(Vowels));
        AForm.reject();
    });
}

void FormConfigTest::LaidOutReadably()
{
    TFormConfig Form;
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    QCOMPARE(Form.windowTitle(), QStringLiteral("Opzioni"));
    QCOMPARE(Form.minimumSize(), QSize(310, 440));
    QCOMPARE(Form.maximumSize(), QSize(310, 440));
    QVERIFY(!(Form.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));

    const TControls C(Form);
    QVERIFY(C.Complete());
    const std::pair<const char*, QString> Captions[] = {
        {"gbColors", QStringLiteral("Colori")},
        {"Label1", QStringLiteral("Vocali")},
        {"Label2", QStringLiteral("Consonanti")},
        {"Label3", QStringLiteral("Lettere in eccesso")},
        {"chkAllowExcess", QStringLiteral("Consenti lettere in eccesso per default")},
        {"rgFontSize", QStringLiteral("Dimensione dei caratteri")},
        {"btnOk", QStringLiteral("Ok")},
        {"btnCancel", QStringLiteral("Annulla")},
    };
    for (const auto& [Name, Caption] : Captions) {
        QWidget* Widget = Find<QWidget>(Form, Name);
        QVERIFY2(Widget, Name);
        QCOMPARE(Widget->property("text").isValid() ? Widget->property("text").toString()
                                                    : Widget->property("title").toString(),
                 Caption);
    }
    for (const QString& Item :
         {QStringLiteral("Piccoli"), QStringLiteral("Medi"), QStringLiteral("Grandi")})
        QVERIFY2(C.Item(Item), qPrintable(Item));

    // No caption may be cut off, and each label names the button beside it.
    QList<QWidget*> Captioned{Find<QLabel>(Form, "Label1"), Find<QLabel>(Form, "Label2"),
                              Find<QLabel>(Form, "Label3"), C.AllowExcess};
    for (QRadioButton* Item : C.FontSize->findChildren<QRadioButton*>())
        Captioned.append(Item);
    for (QWidget* Widget : Captioned) {
        QVERIFY2(Widget->width() >= Widget->sizeHint().width(), qPrintable(Widget->objectName()));
        QVERIFY2(Widget->parentWidget()->rect().contains(Widget->geometry()),
                 qPrintable(Widget->objectName()));
    }
    const std::pair<const char*, TColorButton*> Rows[] = {
        {"Label1", C.Vowels}, {"Label2", C.Consonants}, {"Label3", C.Excess}};
    for (const auto& [Name, Button] : Rows) {
        const QRect Label = Find<QLabel>(Form, Name)->geometry();
        QVERIFY2(qAbs(Label.center().y() - Button->geometry().center().y()) <= 1, Name);
        QVERIFY2(Label.right() < Button->geometry().left(), Name);
        QCOMPARE(Button->size(), QSize(121, 32));
    }

    QVERIFY(C.Ok->isDefault());
    QVERIFY(!C.Cancel->isDefault());
    for (QPushButton* Button : {C.Ok, C.Cancel}) {
        QVERIFY(!Button->icon().isNull());
        QCOMPARE(Button->iconSize(), QSize(16, 16));
    }
}

// Another font or language must not cut or cover anything: the dialog
// grows instead, and stays fixed at the size it needs.
void FormConfigTest::LaidOutAtALargeFont()
{
    TFormConfig Form;
    QFont Large = Form.font();
    Large.setPixelSize(20);
    Form.setFont(Large);
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    QCOMPARE(Form.minimumSize(), Form.maximumSize());
    QVERIFY(Form.width() >= 310 && Form.height() >= 440);
    const QString Fault = LayoutFault(Form);
    QVERIFY2(Fault.isEmpty(), qPrintable(Fault));
}

void FormConfigTest::TabOrder()
{
    TFormConfig Form;
    Form.SetFontSizeIndex(1);
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    const TControls C(Form);
    QVERIFY(C.Complete());
    C.Vowels->setFocus();
    const QList<QWidget*> Expected{
        C.Consonants, C.Excess, C.AllowExcess, C.Item(QStringLiteral("Medi")),
        C.Ok,         C.Cancel, C.Vowels};
    for (QWidget* Next : Expected) {
        QTest::keyClick(Form.focusWidget(), Qt::Key_Tab);
        QCOMPARE(Form.focusWidget(), Next);
    }
    C.Item(QStringLiteral("Medi"))->setFocus();
    QTest::keyClick(Form.focusWidget(), Qt::Key_Down);
    QCOMPARE(Form.focusWidget(), C.Item(QStringLiteral("Grandi")));
    QCOMPARE(Form.FontSizeIndex(), 2);
    QTest::keyClick(Form.focusWidget(), Qt::Key_Tab);
    QCOMPARE(Form.focusWidget(), C.Ok);
}

void FormConfigTest::AcceptWritesAllKeysOnce_data()
{
    QTest::addColumn<bool>("ByEnter");
    QTest::newRow("Ok button") << false;
    QTest::newRow("Enter key") << true;
}

void FormConfigTest::AcceptWritesAllKeysOnce()
{
    QFETCH(bool, ByEnter);
    TConfig Config(FFileName);
    CountEvents(Config);
    ShowFormWith(Config, [&](TFormConfig& AForm) {
        const TControls C(AForm);
        QVERIFY(C.Complete());
        if (ByEnter)
            QTest::keyClick(C.AllowExcess, Qt::Key_Return);
        else
            QTest::mouseClick(C.Ok, Qt::LeftButton);
    });
    QCOMPARE(FEvents, 1);
    QCOMPARE(FSender, &Config);
    QCOMPARE(IniOnDisk(FFileName),
             QByteArray("[MAIN]\nCOLORVOWELS=32896\nCOLORCONSONANTS=8388608\nCOLOREXCESS=255\n"
                        "ALLOWEXCESS=0\nFONTSIZE=1\n"));
}

void FormConfigTest::ChangesAreStored()
{
    TConfig Config(FFileName);
    CountEvents(Config);
    QColor AskedWith;
    QWidget* AskedOver = nullptr;
    TFormConfig* Shown = nullptr;
    ShowFormWith(Config, [&](TFormConfig& AForm) {
        Shown = &AForm;
        const TControls C(AForm);
        QVERIFY(C.Complete());
        ClickItem(C.Item(QStringLiteral("Piccoli")));
        QTest::mouseClick(C.AllowExcess, Qt::LeftButton);
        QVERIFY(PickFromPalette(*C.Consonants, QStringLiteral("Lime")));
        C.Excess->ColorDialog = [&](const QColor& AInitial, QWidget* AParent) {
            AskedWith = AInitial;
            AskedOver = AParent;
            return QColor(0x12, 0x34, 0x56);
        };
        QVERIFY(PickFromPalette(*C.Excess, QStringLiteral("&Altro...")));
        QTest::mouseClick(C.Ok, Qt::LeftButton);
    });
    QCOMPARE(AskedWith, ToQColor(Red));
    QCOMPARE(AskedOver, Shown);

    const TConfigOptions Stored = Config.Options();
    QCOMPARE(Stored.ColorVowels, Olive);
    QCOMPARE(Stored.ColorConsonants, 0x0000FF00);
    QCOMPARE(Stored.ColorExcess, 0x00563412);
    QVERIFY(Stored.AllowExcess);
    QCOMPARE(Stored.FontSize, 0);
    QCOMPARE(FEvents, 1);

    QCOMPARE(IniOnDisk(FFileName),
             QByteArray("[MAIN]\nCOLORVOWELS=32896\nCOLORCONSONANTS=65280\nCOLOREXCESS=5649426\n"
                        "ALLOWEXCESS=1\nFONTSIZE=0\n"));
    // A fresh read sees the same values.
    QCOMPARE(TConfig(FFileName).Options().ColorExcess, 0x00563412);
}

void FormConfigTest::OtherCloseChangesNothing_data()
{
    QTest::addColumn<int>("Way");
    QTest::newRow("Annulla button") << 0;
    QTest::newRow("Esc key") << 1;
    QTest::newRow("close box") << 2;
}

void FormConfigTest::OtherCloseChangesNothing()
{
    QFETCH(int, Way);
    const std::string Before = "[MAIN]\nCOLORVOWELS=255\nFORMWIDTH=500\n";
    WriteBytes(FFileName.toStdString(), Before);
    TConfig Config(FFileName);
    CountEvents(Config);
    const TConfigOptions Old = Config.Options();
    ShowFormWith(Config, [&](TFormConfig& AForm) {
        const TControls C(AForm);
        QVERIFY(C.Complete());
        ClickItem(C.Item(QStringLiteral("Grandi")));
        QTest::mouseClick(C.AllowExcess, Qt::LeftButton);
        QAction* White = PaletteEntry(*C.Vowels, QStringLiteral("Bianco"));
        QVERIFY(White);
        White->trigger();
        // Otherwise the test would pass on a dialog that ignores the user.
        QCOMPARE(AForm.Options().ColorVowels, 0x00FFFFFF);
        QCOMPARE(AForm.FontSizeIndex(), 2);
        switch (Way) {
        case 0:
            QTest::mouseClick(C.Cancel, Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(AForm.focusWidget() ? AForm.focusWidget() : &AForm, Qt::Key_Escape);
            break;
        default:
            AForm.close();
        }
    });
    QCOMPARE(FEvents, 0);
    QCOMPARE(ReadBytes(FFileName.toStdString()), Before);
    const TConfigOptions Now = Config.Options();
    QCOMPARE(Now.ColorVowels, Old.ColorVowels);
    QCOMPARE(Now.AllowExcess, Old.AllowExcess);
    QCOMPARE(Now.FontSize, Old.FontSize);
}

void FormConfigTest::OtherColourAsksTheColourDialog_data()
{
    QTest::addColumn<QColor>("Answer");
    QTest::addColumn<int>("Expected");
    QTest::newRow("colour picked") << QColor(0xAB, 0xCD, 0xEF) << 0x00EFCDAB;
    QTest::newRow("dialog cancelled") << QColor() << Navy;
}

void FormConfigTest::OtherColourAsksTheColourDialog()
{
    QFETCH(QColor, Answer);
    QFETCH(int, Expected);
    TColorButton Button;
    QVERIFY(Button.ColorDialog);
    Button.SetColor(Navy);
    int Asked = 0;
    QColor AskedWith;
    Button.ColorDialog = [&](const QColor& AInitial, QWidget*) {
        ++Asked;
        AskedWith = AInitial;
        return Answer;
    };
    QAction* Other = PaletteEntry(Button, QStringLiteral("&Altro..."));
    QVERIFY(Other);
    // The extra entry closes the palette.
    QCOMPARE(Button.menu()->actions().constLast(), Other);
    Other->trigger();
    QCOMPARE(Asked, 1);
    QCOMPARE(AskedWith, ToQColor(Navy));
    QCOMPARE(Button.Color(), Expected);
}

// The window still takes the new options, which the fields hold already.
void FormConfigTest::FailingWriteThrowsAfterTheEvent()
{
    TConfig Config(FFileName);
    CountEvents(Config);
    TImmutableFolder Lock(FFolder->Path());
    if (!Lock.Active())
        QSKIP("the folder cannot be made immutable here");
    QString Message;
    try {
        ShowFormWith(Config, [&](TFormConfig& AForm) {
            const TControls C(AForm);
            QVERIFY(C.Complete());
            ClickItem(C.Item(QStringLiteral("Grandi")));
            QTest::mouseClick(C.Ok, Qt::LeftButton);
        });
    } catch (const EConfigWriteError& E) {
        Message = QString::fromStdString(E.what());
    }
    QCOMPARE(Message,
             QStringLiteral("Unable to write to ") + QFileInfo(FFileName).absoluteFilePath());
    QCOMPARE(FEvents, 1);
    QCOMPARE(Config.FontSize(), 2);
    QVERIFY(!QFileInfo::exists(FFileName));
}

VERBANTO_QTEST_MAIN(FormConfigTest)
#include "formconfig_test.moc"
