// SPDX-License-Identifier: GPL-3.0-or-later
#include "exever.h"
#include "formabout.h"
#include "layoutcheck.h"
#include "qttestmain.h"

#include <QDesktopServices>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <functional>

namespace {

// Long enough for a slow machine, short enough that a box nobody closes
// fails the test instead of hanging it.
constexpr int SafetyMs = 10000;

const QString IconPath = QStringLiteral(":/icons/verbanto.svg");

// Opens the about box the way the menu does, hands it to ACheck once it is
// up and closes it afterwards unless ACheck did; whatever goes wrong, a
// safety timer rejects any box left open.
void WithAboutBox(const std::function<void(TFormAbout&)>& ACheck)
{
    QWidget Parent;
    bool Seen = false;
    QTimer::singleShot(0, &Parent, [&] {
        auto* Box = qobject_cast<TFormAbout*>(QApplication::activeModalWidget());
        if (Box != nullptr) {
            Seen = true;
            QCOMPARE(Box->parentWidget(), &Parent);
            ACheck(*Box);
            if (Box->isVisible())
                Box->reject();
        }
    });
    QTimer Safety;
    Safety.setSingleShot(true);
    QObject::connect(&Safety, &QTimer::timeout, [] {
        if (auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            Dialog->reject();
    });
    Safety.start(SafetyMs);

    ShowAbout(&Parent);

    QVERIFY2(Seen, "the about box was not the active modal window");
    QVERIFY(Safety.isActive());
    QVERIFY2(Parent.findChildren<TFormAbout*>().isEmpty(), "the about box outlived its showing");
}

template <typename T> T* Child(QWidget& ABox, const QString& AName)
{
    T* Result = ABox.findChild<T*>(AName);
    if (Result == nullptr)
        qWarning("no control %s", qPrintable(AName));
    return Result;
}

} // namespace

// Receives what the box asks the desktop to open, in place of a viewer.
class TUrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> FUrls;

public slots:
    void Open(const QUrl& AUrl) { FUrls << AUrl; }
};

// Routes file addresses to the catcher for as long as it lives, also when a
// check gives up early.
class TFileUrlHandler
{
public:
    explicit TFileUrlHandler(TUrlCatcher* ACatcher)
    {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), ACatcher, "Open");
    }
    ~TFileUrlHandler() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    TFileUrlHandler(const TFileUrlHandler&) = delete;
    TFileUrlHandler& operator=(const TFileUrlHandler&) = delete;
};

class TFormAboutTest : public QObject
{
    Q_OBJECT

private slots:
    void Texts_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("Expected");

        QTest::newRow("product") << QStringLiteral("Label1") << QStringLiteral("Verbanto");
        QTest::newRow("version") << QStringLiteral("lblVersion")
                                 << QStringLiteral("versione ") + GetVersionString();
        QTest::newRow("button") << QStringLiteral("btnOk") << QStringLiteral("Ok");
    }

    void Texts()
    {
        QFETCH(QString, Name);
        QFETCH(QString, Expected);

        WithAboutBox([&](TFormAbout& ABox) {
            QCOMPARE(ABox.windowTitle(), QStringLiteral("Informazioni"));
            QString Text;
            if (auto* Label = ABox.findChild<QLabel*>(Name))
                Text = Label->text();
            else if (auto* Button = ABox.findChild<QPushButton*>(Name))
                Text = Button->text();
            else
                QFAIL(qPrintable(QStringLiteral("no control ") + Name));
            QCOMPARE(Text, Expected);
        });
    }

    void VersionReadsTheProgramRecord()
    {
        // Guards the label against showing the "no record" text on a build
        // that has one.
        QVERIFY(!GetVersionString().isEmpty());
        QVERIFY(!GetVersionString().startsWith(u'<'));
    }

    void Notice()
    {
        WithAboutBox([](TFormAbout& ABox) {
            QLabel* Label = Child<QLabel>(ABox, QStringLiteral("Label2"));
            QVERIFY(Label != nullptr);
            QVERIFY(!Label->text().trimmed().isEmpty());
        });
    }

    void Links_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("File");
        QTest::addColumn<bool>("Installed");

        QTest::newRow("readme") << QStringLiteral("LinkLabel1") << QStringLiteral("README.md")
                                << true;
        QTest::newRow("licence") << QStringLiteral("LinkLabel2") << QStringLiteral("LICENSE")
                                 << true;
        QTest::newRow("readme missing")
            << QStringLiteral("LinkLabel1") << QStringLiteral("README.md") << false;
        QTest::newRow("licence missing")
            << QStringLiteral("LinkLabel2") << QStringLiteral("LICENSE") << false;
    }

    // A document that is installed is a link that opens it; one that is not
    // is named without a link, so no click leads nowhere.
    void Links()
    {
        QFETCH(QString, Name);
        QFETCH(QString, File);
        QFETCH(bool, Installed);

        QTemporaryDir Docs;
        const QString Path = Docs.filePath(File);
        if (Installed) {
            QFile Document(Path);
            QVERIFY(Document.open(QIODevice::WriteOnly));
        }
        const QUrl Target = QUrl::fromLocalFile(Path);
        TUrlCatcher Catcher;
        const TFileUrlHandler Handler(&Catcher);
        TFormAbout Box(nullptr, Docs.path());
        Box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Box));
        QLabel* Label = Child<QLabel>(Box, Name);
        QVERIFY(Label != nullptr);
        QTextDocument Shown;
        Shown.setHtml(Label->text());
        QCOMPARE(Shown.toPlainText(), Target.toString());
        QCOMPARE(Label->text().contains(QStringLiteral("<a ")), Installed);

        // The label holds nothing but the address, so its left edge is on it.
        QTest::mouseClick(Label, Qt::LeftButton, {}, QPoint(4, Label->height() / 2));
        QCOMPARE(Catcher.FUrls, Installed ? QList<QUrl>{Target} : QList<QUrl>{});
        QVERIFY2(Box.isVisible(), "a link click closed the box");
    }

    void LinksPointWhereTheProgramIsInstalled()
    {
        TFormAbout Box;
        QTextDocument Shown;
        Shown.setHtml(Child<QLabel>(Box, QStringLiteral("LinkLabel1"))->text());
        QCOMPARE(Shown.toPlainText(),
                 QUrl::fromLocalFile(QStringLiteral(VERBANTO_DOCDIR "/README.md")).toString());
    }

    void OkAccepts()
    {
        TFormAbout Box;
        QTimer::singleShot(0, &Box, [&] {
            if (auto* Ok = Box.findChild<QPushButton*>(QStringLiteral("btnOk")))
                QTest::mouseClick(Ok, Qt::LeftButton);
        });
        QTimer::singleShot(SafetyMs, &Box, &QDialog::reject);
        QCOMPARE(Box.exec(), int(QDialog::Accepted));
    }

    void OkIsTheDefaultButton()
    {
        TFormAbout Box;
        auto* Ok = Box.findChild<QPushButton*>(QStringLiteral("btnOk"));
        QVERIFY(Ok != nullptr);
        QVERIFY(Ok->isDefault());
    }

    void TabOrder()
    {
        // Both documents installed, so both links are tab stops.
        QTemporaryDir Docs;
        for (const char* Name : {"README.md", "LICENSE"}) {
            QFile Document(Docs.filePath(QLatin1String(Name)));
            QVERIFY(Document.open(QIODevice::WriteOnly));
        }
        TFormAbout Box(nullptr, Docs.path());
        QWidget* First = Box.findChild<QLabel*>(QStringLiteral("LinkLabel1"));
        QWidget* Ok = Box.findChild<QPushButton*>(QStringLiteral("btnOk"));
        QWidget* Second = Box.findChild<QLabel*>(QStringLiteral("LinkLabel2"));
        QVERIFY(First != nullptr && Ok != nullptr && Second != nullptr);
        for (QWidget* Stop : {First, Ok, Second})
            QVERIFY((Stop->focusPolicy() & Qt::TabFocus) != 0);
        QCOMPARE(First->nextInFocusChain(), Ok);
        QCOMPARE(Ok->nextInFocusChain(), Second);
    }

    void NotResizable()
    {
        TFormAbout Box;
        QCOMPARE(Box.minimumSize(), Box.maximumSize());
    }

    // The box cannot grow, so a text wider than it would be cut off.
    void EveryControlFits()
    {
        WithAboutBox([](TFormAbout& ABox) {
            for (const QWidget* Control : ABox.findChildren<QWidget*>())
                QVERIFY2(ABox.rect().contains(Control->geometry()),
                         qPrintable(Control->objectName()));
        });
    }

    // Another font or language must not cut or cover anything: the box
    // grows instead, and stays fixed at the size it needs.
    void LaidOutAtALargeFont()
    {
        QTemporaryDir Docs;
        for (const char* Name : {"README.md", "LICENSE"}) {
            QFile Document(Docs.filePath(QLatin1String(Name)));
            QVERIFY(Document.open(QIODevice::WriteOnly));
        }
        TFormAbout Box(nullptr, Docs.path());
        QFont Large = Box.font();
        Large.setPixelSize(20);
        Box.setFont(Large);
        Box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Box));
        QCOMPARE(Box.minimumSize(), Box.maximumSize());
        QVERIFY(Box.width() > 347);
        const QString Fault = LayoutFault(Box);
        QVERIFY2(Fault.isEmpty(), qPrintable(Fault));
    }

    void Icon()
    {
        QVERIFY2(QFile::exists(IconPath), "the icon is not among the resources");
        WithAboutBox([](TFormAbout& ABox) {
            QLabel* Image = Child<QLabel>(ABox, QStringLiteral("Image1"));
            QVERIFY(Image != nullptr);
            QCOMPARE(Image->geometry(), QRect(32, 24, 32, 32));
            if (!QImageReader::supportedImageFormats().contains("svg"))
                QSKIP("no SVG image plugin: the box rightly shows no icon");
            QVERIFY(!Image->pixmap().isNull());
            QCOMPARE(Image->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
        });
    }

    void IconIsASquareImage()
    {
        QImageReader Reader(IconPath);
        if (!QImageReader::supportedImageFormats().contains("svg"))
            QSKIP("no SVG image plugin");
        QVERIFY2(Reader.canRead(), qPrintable(Reader.errorString()));
        const QSize Size = Reader.size();
        QVERIFY(!Size.isEmpty());
        QCOMPARE(Size.width(), Size.height());
    }
};

VERBANTO_QTEST_MAIN(TFormAboutTest)
#include "formabout_test.moc"
