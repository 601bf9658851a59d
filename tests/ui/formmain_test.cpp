// SPDX-License-Identifier: GPL-3.0-or-later
#include "formconfig.h"
#include "formmainfixture.h"
#include "qttestmain.h"
#include "sizetable.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTimer>

namespace {

QString Utf8(const char* AText)
{
    return QString::fromUtf8(AText);
}

} // namespace

class FormMainTest : public QObject, private TFormMainFixture
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void FirstStartLooksAsDesigned();
    void MenuCaptionsAndShortcuts_data();
    void MenuCaptionsAndShortcuts();
    void StoredGeometryIsRestored();
    void StoredSizesStayOnTheScreen_data();
    void StoredSizesStayOnTheScreen();
    void OpensCentred_data();
    void OpensCentred();
    void WindowShowsTheProgramIcon();
    void FontStepsSizeTextsAndBoard_data();
    void FontStepsSizeTextsAndBoard();
    void BoardFollowsTyping();
    void BoardIsReadableAtTheMinimumSize_data();
    void BoardIsReadableAtTheMinimumSize();
    void ResidualLinesLineUpWithTheCaptions();
    void ShuffleMovesOnlyTheLines();
    void KeyFilterRefusesLettersThatAreNotFree_data();
    void KeyFilterRefusesLettersThatAreNotFree();
    void KeyFilterGivesBackTheSelection();
    void AllowingExcessLetsEverythingIn();
    void InputMethodCommitsCountTogether();
    void PasteIsPlainTextAndUnfiltered();
    void PressingALetterMarksItsOccurrences();
    void HoveringALetterUnderlinesIt();
    void CommandLineDocumentIsShown();
    void MissingCommandLineDocumentIsReported();
    void ClosingWritesTheGeometry();
    void AcceptedOptionsApplyAtOnce();
    void OptionsDialogRoundTrip_data();
    void OptionsDialogRoundTrip();
};

void FormMainTest::init()
{
    Begin();
}

void FormMainTest::cleanup()
{
    End();
}

void FormMainTest::FirstStartLooksAsDesigned()
{
    Start();
    QCOMPARE(FWindow->windowTitle(), QStringLiteral("Verbanto - [senza nome]"));
    QCOMPARE(FWindow->width(), 1126);
    QCOMPARE(FWindow->centralWidget()->height(), 525);
    QCOMPARE(Child<QWidget>("panTop")->height(), 150);
    QCOMPARE(Sentence()->font().pointSize(), 14);
    QCOMPARE(Editor()->font().pointSize(), 14);
    QCOMPARE(Board()->Grid()->height(), 80);
    QCOMPARE(Tabs()->Count(), 1);
    QCOMPARE(Tabs()->TabCaption(0), QStringLiteral("&1."));
    QCOMPARE(Tabs()->ActiveIndex(), 0);
    QVERIFY(!Child<QCheckBox>("chkAllowExcess")->isChecked());
    QCOMPARE(Board()->VowelsLabel()->text(), QStringLiteral("--"));
    QCOMPARE(Board()->CountLabel(0)->text(), QStringLiteral("0"));
    QVERIFY(!QFile::exists(SettingsFile()));
}

void FormMainTest::MenuCaptionsAndShortcuts_data()
{
    QTest::addColumn<QString>("Name");
    QTest::addColumn<QString>("Caption");
    QTest::addColumn<QKeySequence>("Shortcut");
    const auto Row = [](const char* AName, const char* ACaption, QKeySequence AKey) {
        QTest::newRow(AName) << QString(QLatin1String(AName)) << Utf8(ACaption) << AKey;
    };
    Row("mnuNew", "&Nuovo", QKeySequence(Qt::CTRL | Qt::Key_N));
    Row("mnuOpen", "A&pri", QKeySequence(Qt::CTRL | Qt::Key_P));
    Row("mnuSave", "&Salva", QKeySequence(Qt::CTRL | Qt::Key_S));
    Row("mnuSaveas", "Salva con n&ome...", QKeySequence(Qt::CTRL | Qt::Key_O));
    Row("mnuOptions", "Op&zioni", QKeySequence(Qt::Key_F10));
    Row("mnuInfo", "&Informazioni...", QKeySequence());
    Row("mnuCloseTab", "&Chiudi la scheda", QKeySequence(Qt::CTRL | Qt::Key_W));
    Row("mnuNextTab", "Scheda s&uccessiva", QKeySequence(Qt::CTRL | Qt::Key_Tab));
    Row("mnuPrevTab", "Scheda p&recedente", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab));
    Row("mnuClose", "Es&ci", QKeySequence());
    Row("mnuShuffle", "&Rimescola le lettere residue", QKeySequence(Qt::CTRL | Qt::Key_R));
    Row("mnuSort", "&Ordina alfabeticamente le lettere residue",
        QKeySequence(Qt::CTRL | Qt::Key_F));
    Row("mnuAddAssociation", "A&ssocia questo programma con i file *.vbf", QKeySequence());
    Row("mnuDeleteAssociation", "E&limina l'associazione con i file *.vbf", QKeySequence());
}

void FormMainTest::MenuCaptionsAndShortcuts()
{
    QFETCH(QString, Name);
    QFETCH(QString, Caption);
    QFETCH(QKeySequence, Shortcut);
    Start();
    auto* Item = FWindow->findChild<QAction*>(Name);
    QVERIFY(Item);
    QCOMPARE(Item->text(), Caption);
    QCOMPARE(Item->shortcut(), Shortcut);
    const QList<QAction*> Menus = FWindow->menuBar()->actions();
    QCOMPARE(Menus.size(), 3);
    QCOMPARE(Menus.at(0)->text(), QStringLiteral("&File"));
    QCOMPARE(Menus.at(1)->text(), QStringLiteral("&Schede"));
    QCOMPARE(Menus.at(2)->text(), Utf8("U&tilit\xC3\xA0"));
}

void FormMainTest::StoredGeometryIsRestored()
{
    {
        QSettings Settings(SettingsFile(), QSettings::IniFormat);
        Settings.setValue(QStringLiteral("MAIN/FORMWIDTH"), 900);
        Settings.setValue(QStringLiteral("MAIN/FORMHEIGHT"), 0);
        Settings.setValue(QStringLiteral("MAIN/SPLITTER"), 200);
    }
    Start();
    QCOMPARE(FWindow->width(), 900);
    QCOMPARE(FWindow->centralWidget()->height(), 525);
    QCOMPARE(Child<QWidget>("panTop")->height(), 200);
}

void FormMainTest::StoredSizesStayOnTheScreen_data()
{
    QTest::addColumn<int>("Stored");
    QTest::newRow("far too large") << 100000;
    QTest::newRow("largest integer") << 2147483647;
    QTest::newRow("negative") << -5;
    QTest::newRow("never saved") << 0;
}

// The same value for width, height and splitter: what the window gets and
// what it writes back must fit the screen, with the tabs still usable.
void FormMainTest::StoredSizesStayOnTheScreen()
{
    QFETCH(int, Stored);
    {
        QSettings Settings(SettingsFile(), QSettings::IniFormat);
        for (const char* Key : {"MAIN/FORMWIDTH", "MAIN/FORMHEIGHT", "MAIN/SPLITTER"})
            Settings.setValue(QLatin1String(Key), Stored);
    }
    Start();
    const QRect Available = FWindow->screen()->availableGeometry();
    QVERIFY2(Available.contains(FWindow->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                          .arg(FWindow->x())
                                                                          .arg(FWindow->y())
                                                                          .arg(FWindow->width())
                                                                          .arg(FWindow->height())));
    auto* Split = Child<QSplitter>("split");
    QVERIFY(Tabs()->height() >= Tabs()->minimumSizeHint().height());
    QVERIFY(Child<QWidget>("panTop")->height() <= Split->height());
    const QSize Shown = FWindow->size();
    const int Top = Child<QWidget>("panTop")->height();

    QVERIFY(FWindow->close());
    const QSettings Settings(SettingsFile(), QSettings::IniFormat);
    QCOMPARE(Settings.value(QStringLiteral("MAIN/FORMWIDTH")).toInt(), Shown.width());
    QCOMPARE(Settings.value(QStringLiteral("MAIN/FORMHEIGHT")).toInt(), Shown.height());
    QCOMPARE(Settings.value(QStringLiteral("MAIN/SPLITTER")).toInt(), Top);
}

void FormMainTest::OpensCentred_data()
{
    QTest::addColumn<int>("Width");
    QTest::addColumn<int>("Height");
    QTest::newRow("designed size") << 0 << 0;
    QTest::newRow("stored width only") << 900 << 0;
    QTest::newRow("stored size") << 1000 << 700;
    QTest::newRow("larger than the screen") << 100000 << 100000;
}

void FormMainTest::OpensCentred()
{
    QFETCH(int, Width);
    QFETCH(int, Height);
    {
        QSettings Settings(SettingsFile(), QSettings::IniFormat);
        Settings.setValue(QStringLiteral("MAIN/FORMWIDTH"), Width);
        Settings.setValue(QStringLiteral("MAIN/FORMHEIGHT"), Height);
    }
    Start();
    if (Width > 0 && Width < 1600)
        QCOMPARE(FWindow->width(), Width);
    const QPoint Off =
        FWindow->frameGeometry().center() - FWindow->screen()->availableGeometry().center();
    QVERIFY2(qAbs(Off.x()) <= 2 && qAbs(Off.y()) <= 2,
             qPrintable(QStringLiteral("off by %1,%2").arg(Off.x()).arg(Off.y())));
}

void FormMainTest::WindowShowsTheProgramIcon()
{
    Start();
    const QIcon Icon = FWindow->windowIcon();
    QVERIFY(!Icon.isNull());
    const QImage Shown = Icon.pixmap(32, 32).toImage();
    const QImage Ours = QIcon(QStringLiteral(":/icons/verbanto.svg")).pixmap(32, 32).toImage();
    QVERIFY(!Ours.isNull());
    QCOMPARE(Shown, Ours);
}

void FormMainTest::FontStepsSizeTextsAndBoard_data()
{
    QTest::addColumn<int>("Step");
    QTest::addColumn<int>("TextSize");
    QTest::addColumn<int>("GridHeight");
    QTest::newRow("small") << 0 << 11 << 70;
    QTest::newRow("medium") << 1 << 14 << 80;
    QTest::newRow("large") << 2 << 16 << 90;
}

void FormMainTest::FontStepsSizeTextsAndBoard()
{
    QFETCH(int, Step);
    QFETCH(int, TextSize);
    QFETCH(int, GridHeight);
    QSettings(SettingsFile(), QSettings::IniFormat).setValue(QStringLiteral("MAIN/FONTSIZE"), Step);
    Start();
    QCOMPARE(Sentence()->font().pointSize(), TextSize);
    QCOMPARE(Editor()->font().pointSize(), TextSize);
    QCOMPARE(Board()->VowelsLabel()->font().pointSize(), TextSize);
    QCOMPARE(Board()->ConsonantsLabel()->font().pointSize(), TextSize);
    QCOMPARE(Board()->Grid()->height(), GridHeight);
    QTest::keyClicks(Sentence(), QStringLiteral("ab"));
    QCOMPARE(Board()->CountLabel(0)->font().pointSize(), SizeTable[Step].BoardSize);
    QCOMPARE(Board()->CountLabel(25)->font().pointSize(), SizeTable[Step].BoardZeroSize);
}

void FormMainTest::BoardFollowsTyping()
{
    Start();
    QTest::keyClicks(Sentence(), QStringLiteral("Casa"));
    QCOMPARE(Board()->VowelsLabel()->text(), QStringLiteral("AA"));
    QCOMPARE(Board()->ConsonantsLabel()->text(), QStringLiteral("C S"));
    QCOMPARE(Board()->CountLabel(0)->text(), QStringLiteral("2"));
    QVERIFY(Board()->CountLabel(0)->font().bold());
    QCOMPARE(Board()->CountLabel(0)->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0));
    QCOMPARE(Board()->LetterLabel(2)->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
    QVERIFY(!Board()->CountLabel(1)->font().bold());

    Child<QCheckBox>("chkAllowExcess")->setChecked(true);
    QTest::keyClicks(Editor(), QStringLiteral("Ass"));
    QCOMPARE(Board()->CountLabel(0)->text(), QStringLiteral("1"));
    QCOMPARE(Board()->CountLabel(18)->text(), QStringLiteral("-1"));
    QCOMPARE(Board()->LetterLabel(18)->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
    QCOMPARE(Board()->VowelsLabel()->text(), QStringLiteral("A"));
    QCOMPARE(Board()->ConsonantsLabel()->text(), QStringLiteral("C"));
    QCOMPARE(FWindow->Engine().CurrentAnagramString(), u"Ass");
    QVERIFY(FWindow->Engine().Changed());
}

void FormMainTest::BoardIsReadableAtTheMinimumSize_data()
{
    QTest::addColumn<int>("Step");
    QTest::newRow("small") << 0;
    QTest::newRow("medium") << 1;
    QTest::newRow("large") << 2;
}

// Judged on what is painted: in each of 26 equal columns the count and the
// letter keep clear of the column's edges, the count of the letter below
// it, and the letter of the board's bottom edge.
void FormMainTest::BoardIsReadableAtTheMinimumSize()
{
    QFETCH(int, Step);
    QSettings(SettingsFile(), QSettings::IniFormat).setValue(QStringLiteral("MAIN/FONTSIZE"), Step);
    Start();
    Child<QCheckBox>("chkAllowExcess")->setChecked(true);
    QString Sentence, Attempt;
    for (int Column = 0; Column < 13; ++Column) {
        Sentence += QString(100 + Column, QChar(u'a' + Column));
        Attempt += QString(10 + Column, QChar(u'n' + Column));
    }
    this->Sentence()->setPlainText(Sentence);
    Editor()->setPlainText(Attempt);
    QCOMPARE(Board()->CountLabel(0)->text(), QStringLiteral("100"));
    QCOMPARE(Board()->CountLabel(25)->text(), QStringLiteral("-22"));

    // The narrower board wraps the lines into more rows, which raises the
    // minimum height once the layouts have heard of it.
    FWindow->resize(1, 1);
    QCoreApplication::processEvents();
    FWindow->resize(1, 1);
    QTRY_COMPARE(FWindow->size(), FWindow->minimumSize());
    QVERIFY(FWindow->minimumWidth() <= 800);
    // From the window, so whatever covers the grid is seen as the user would.
    const QWidget* Grid = Board()->Grid();
    const QImage Image = FWindow->grab(QRect(Grid->mapTo(FWindow.get(), QPoint()), Grid->size()))
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    const QRgb Background = Image.pixel(0, 0);
    const auto InkBox = [&](const QRect& AArea) {
        QRect Box;
        for (int Y = AArea.top(); Y <= AArea.bottom(); ++Y)
            for (int X = AArea.left(); X <= AArea.right(); ++X)
                if (Image.pixel(X, Y) != Background)
                    Box |= QRect(X, Y, 1, 1);
        return Box;
    };
    const int Width = Image.width();
    const int Half = Image.height() / 2;
    for (int Column = 0; Column < 26; ++Column) {
        const int Left = Column * Width / 26;
        const int Right = (Column + 1) * Width / 26;
        const QRect Count = InkBox(QRect(Left, 0, Right - Left, Half));
        const QRect Letter = InkBox(QRect(Left, Half, Right - Left, Image.height() - Half));
        const char Where[] = {char('A' + Column), 0};
        QVERIFY2(!Count.isEmpty() && !Letter.isEmpty(), Where);
        for (const QRect& Ink : {Count, Letter})
            QVERIFY2(Ink.left() > Left && Ink.right() < Right - 1, Where);
        QVERIFY2(Count.top() > 0 && Count.bottom() < Half - 1, Where);
        QVERIFY2(Letter.top() > Half && Letter.bottom() < Image.height() - 1, Where);
    }
}

void FormMainTest::ResidualLinesLineUpWithTheCaptions()
{
    Start();
    QTest::keyClicks(Sentence(), QStringLiteral("Casa"));
    const auto TextLeft = [this](QLabel* ALabel) {
        return ALabel->mapTo(FWindow.get(), ALabel->contentsRect().topLeft()).x();
    };
    const int Caption = TextLeft(Child<QLabel>("Label54"));
    QCOMPARE(TextLeft(Board()->VowelsLabel()), Caption);
    QCOMPARE(TextLeft(Board()->ConsonantsLabel()), Caption);
    QCOMPARE(TextLeft(Child<QLabel>("Label53")), Caption);
}

void FormMainTest::ShuffleMovesOnlyTheLines()
{
    Start();
    QTest::keyClicks(Sentence(), QStringLiteral("Casa"));
    bool SawCAfterS = false;
    for (int Round = 0; Round < 40 && !SawCAfterS; ++Round) {
        Action("mnuShuffle")->trigger();
        SawCAfterS = Board()->ConsonantsLabel()->text() == QStringLiteral("S C");
        for (int Column = 0; Column < 26; ++Column)
            QCOMPARE(Board()->LetterLabel(Column)->text(), QString(QChar(u'A' + Column)));
    }
    QVERIFY(SawCAfterS);
    Action("mnuSort")->trigger();
    QCOMPARE(Board()->ConsonantsLabel()->text(), QStringLiteral("C S"));
}

void FormMainTest::KeyFilterRefusesLettersThatAreNotFree_data()
{
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<QString>("Expected");
    QTest::addColumn<int>("Beeps");
    QTest::newRow("free letter") << QStringLiteral("a") << QStringLiteral("a") << 0;
    QTest::newRow("second a") << QStringLiteral("aa") << QStringLiteral("a") << 1;
    QTest::newRow("absent letter") << QStringLiteral("x") << QString() << 1;
    QTest::newRow("accented free") << Utf8("\xC3\xB2") << Utf8("\xC3\xB2") << 0;
    QTest::newRow("accented used") << Utf8("o\xC3\xB2") << QStringLiteral("o") << 1;
    QTest::newRow("no letters always pass")
        << QStringLiteral("roma 1,!") << QStringLiteral("roma 1,!") << 0;
}

void FormMainTest::KeyFilterRefusesLettersThatAreNotFree()
{
    QFETCH(QString, Typed);
    QFETCH(QString, Expected);
    QFETCH(int, Beeps);
    Start();
    QTest::keyClicks(Sentence(), QStringLiteral("Roma"));
    Type(Editor(), Typed);
    QCOMPARE(Editor()->toPlainText(), Expected);
    QCOMPARE(FDialogs->Beeps, Beeps);
    QTest::keyClick(Editor(), Qt::Key_Return);
    QTest::keyClick(Editor(), Qt::Key_Backspace);
    QCOMPARE(Editor()->toPlainText(), Expected);
    QCOMPARE(FDialogs->Beeps, Beeps);
}

void FormMainTest::KeyFilterGivesBackTheSelection()
{
    Start();
    QTest::keyClicks(Sentence(), QStringLiteral("Roma"));
    QTest::keyClicks(Editor(), QStringLiteral("amor"));
    QTextCursor Cursor = Editor()->textCursor();
    Cursor.setPosition(1);
    Cursor.setPosition(2, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(Cursor);
    QTest::keyClicks(Editor(), QStringLiteral("r"));
    QCOMPARE(FDialogs->Beeps, 1);
    QTest::keyClicks(Editor(), QStringLiteral("m"));
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("amor"));
    QCOMPARE(FDialogs->Beeps, 1);
}

void FormMainTest::AllowingExcessLetsEverythingIn()
{
    Start();
    QTest::keyClicks(Sentence(), QStringLiteral("Roma"));
    auto* Allow = Child<QCheckBox>("chkAllowExcess");
    Allow->setChecked(true);
    QTest::keyClicks(Editor(), QStringLiteral("zz"));
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("zz"));
    QCOMPARE(FDialogs->Beeps, 0);
    Allow->setChecked(false);
    QTest::keyClicks(Editor(), QStringLiteral("z"));
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("zz"));
    QCOMPARE(FDialogs->Beeps, 1);
}

void FormMainTest::InputMethodCommitsCountTogether()
{
    Start();
    QTest::keyClicks(Sentence(), QStringLiteral("Roma"));
    const auto Commit = [this](const QString& AText) {
        QInputMethodEvent Event;
        Event.setCommitString(AText);
        QApplication::sendEvent(Editor(), &Event);
    };
    Commit(QStringLiteral("aa"));
    QCOMPARE(Editor()->toPlainText(), QString());
    QCOMPARE(FDialogs->Beeps, 1);
    Commit(Utf8("r\xC3\xB2"));
    QCOMPARE(Editor()->toPlainText(), Utf8("r\xC3\xB2"));
    QCOMPARE(FDialogs->Beeps, 1);
}

void FormMainTest::PasteIsPlainTextAndUnfiltered()
{
    Start();
    QTest::keyClicks(Sentence(), QStringLiteral("Roma"));
    auto* Data = new QMimeData;
    Data->setHtml(QStringLiteral("<b style='color:red'>xyz</b>"));
    Data->setText(QStringLiteral("xyz"));
    QApplication::clipboard()->setMimeData(Data);
    QTest::keyClick(Editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("xyz"));
    QCOMPARE(Editor()->textCursor().position(), 3);
    QCOMPARE(FDialogs->Beeps, 0);
    QCOMPARE(Board()->CountLabel(23)->text(), QStringLiteral("-1"));
    QVERIFY(!Editor()->toHtml().contains(QStringLiteral("color:#ff0000")));
}

void FormMainTest::PressingALetterMarksItsOccurrences()
{
    Start();
    Child<QCheckBox>("chkAllowExcess")->setChecked(true);
    Type(Editor(), Utf8("Perch\xC3\xA9"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    Type(Editor(), Utf8("\xC3\xA8"));
    QTextCursor Cursor = Editor()->textCursor();
    Cursor.setPosition(2);
    Cursor.setPosition(4, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(Cursor);
    const bool ChangedBefore = FWindow->Engine().Changed();
    const bool UndoBefore = Editor()->document()->isUndoAvailable();

    for (Qt::MouseButton Button : {Qt::LeftButton, Qt::RightButton}) {
        QLabel* E = Board()->LetterLabel(4);
        QTest::mousePress(E, Button);
        QList<int> Marked;
        for (const QTextEdit::ExtraSelection& Mark : Editor()->extraSelections())
            Marked.append(Mark.cursor.selectionStart());
        QCOMPARE(Marked, (QList<int>{1, 5, 7}));
        QCOMPARE(Editor()->textCursor().position(), 2);
        QTest::mouseRelease(E, Button);
        QVERIFY(Editor()->extraSelections().isEmpty());
        QCOMPARE(Editor()->textCursor().selectionStart(), 2);
        QCOMPARE(Editor()->textCursor().selectionEnd(), 4);
    }
    QCOMPARE(FWindow->Engine().Changed(), ChangedBefore);
    QCOMPARE(Editor()->document()->isUndoAvailable(), UndoBefore);
    QCOMPARE(Editor()->toPlainText(), Utf8("Perch\xC3\xA9\n\xC3\xA8"));
}

void FormMainTest::HoveringALetterUnderlinesIt()
{
    Start();
    QLabel* A = Board()->LetterLabel(0);
    QEvent Enter(QEvent::Enter);
    QApplication::sendEvent(A, &Enter);
    QVERIFY(A->font().underline());
    QTest::keyClicks(Sentence(), QStringLiteral("a"));
    QVERIFY(!A->font().underline());
    QVERIFY(A->font().bold());
    QApplication::sendEvent(A, &Enter);
    QEvent Leave(QEvent::Leave);
    QApplication::sendEvent(A, &Leave);
    QVERIFY(!A->font().underline());
    QVERIFY(A->font().bold());
    QVERIFY(Board()->CountLabel(0)->cursor().shape() != Qt::PointingHandCursor);
    QCOMPARE(A->cursor().shape(), Qt::PointingHandCursor);
}

void FormMainTest::CommandLineDocumentIsShown()
{
    TAnagramEngine Maker;
    Maker.SetSentence(u"Roma");
    Maker.SetCurrentAnagramString(u"amor");
    Maker.AddAnagram();
    Maker.GetAnagram(1).SetAnagram(u"ramo\r\nz");
    const std::string Path = FFolder->File("doc.vbf");
    Maker.Save(Path);

    Start(QString::fromStdString(Path));
    QCOMPARE(FWindow->windowTitle(), QStringLiteral("Verbanto - ") + QString::fromStdString(Path));
    QCOMPARE(Sentence()->toPlainText(), QStringLiteral("Roma"));
    QCOMPARE(Editor()->toPlainText(), QStringLiteral("amor"));
    QCOMPARE(Tabs()->Count(), 2);
    QCOMPARE(Tabs()->ActiveIndex(), 0);
    QCOMPARE(Tabs()->TabCaption(0), QStringLiteral("&1. amor"));
    QCOMPARE(Tabs()->TabCaption(1), QStringLiteral("&2. ramo z"));
    QCOMPARE(Tabs()->TabColor(0), QColor(0, 0xFF, 0));
    QCOMPARE(Tabs()->TabColor(1), QColor(0xFF, 0, 0));
    QVERIFY(!FWindow->Engine().Changed());
    QVERIFY(FDialogs->Errors.isEmpty());
}

void FormMainTest::MissingCommandLineDocumentIsReported()
{
    const QString Missing = QString::fromStdString(FFolder->File("missing.vbf"));
    Start(Missing);
    QCOMPARE(FDialogs->Errors.size(), 1);
    QVERIFY(FDialogs->Errors.at(0).startsWith(QStringLiteral("Cannot open file \"") + Missing));
    QCOMPARE(FWindow->FileName(), Missing);
    QCOMPARE(FWindow->windowTitle(), QStringLiteral("Verbanto - ") + Missing);
    QCOMPARE(FWindow->Engine().AnagramsCount(), 1);
    QTest::keyClicks(Sentence(), QStringLiteral("ok"));
    QCOMPARE(Board()->VowelsLabel()->text(), QStringLiteral("O"));
}

void FormMainTest::ClosingWritesTheGeometry()
{
    Start();
    FWindow->resize(1000, 600);
    auto* Split = Child<QSplitter>("split");
    Split->setSizes({180, Split->height() - 180});
    QVERIFY(FWindow->close());
    const QSettings Settings(SettingsFile(), QSettings::IniFormat);
    QCOMPARE(Settings.value(QStringLiteral("MAIN/FORMWIDTH")).toInt(), 1000);
    QCOMPARE(Settings.value(QStringLiteral("MAIN/FORMHEIGHT")).toInt(), 600);
    QCOMPARE(Settings.value(QStringLiteral("MAIN/SPLITTER")).toInt(), 180);
    QCOMPARE(Settings.allKeys().size(), 3);
}

void FormMainTest::AcceptedOptionsApplyAtOnce()
{
    Start();
    QTest::keyClicks(Sentence(), QStringLiteral("Roma"));
    QTest::keyClicks(Editor(), QStringLiteral("ro"));
    QTextCursor Cursor = Editor()->textCursor();
    Cursor.setPosition(0);
    Cursor.setPosition(1, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(Cursor);
    const bool Changed = FWindow->Engine().Changed();

    FConfig->StoreOptions({0x000000FF, 0x0000FF00, 0x00FF0000, true, 2});
    QCOMPARE(Editor()->font().pointSize(), 16);
    QCOMPARE(Sentence()->font().pointSize(), 16);
    QCOMPARE(Board()->Grid()->height(), 90);
    QCOMPARE(Board()->VowelsLabel()->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
    QCOMPARE(Board()->CountLabel(12)->font().pointSize(), 18);
    QCOMPARE(Board()->CountLabel(12)->palette().color(QPalette::WindowText), QColor(0, 0xFF, 0));
    QVERIFY(!Child<QCheckBox>("chkAllowExcess")->isChecked());
    QCOMPARE(Editor()->textCursor().selectionStart(), 0);
    QCOMPARE(Editor()->textCursor().selectionEnd(), 1);
    QCOMPARE(FWindow->Engine().Changed(), Changed);
}

void FormMainTest::OptionsDialogRoundTrip_data()
{
    QTest::addColumn<bool>("Accept");
    QTest::newRow("Ok") << true;
    QTest::newRow("Annulla") << false;
}

// The real dialog from the menu: the window follows at once on Ok, and
// nothing at all happens on Annulla.
void FormMainTest::OptionsDialogRoundTrip()
{
    QFETCH(bool, Accept);
    Start();
    bool Seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* Dialog = qobject_cast<TFormConfig*>(QApplication::activeModalWidget());
        if (!Dialog)
            return;
        Seen = true;
        TConfigOptions Options = Dialog->Options();
        Options.ColorVowels = 0x000000FF;
        Dialog->SetOptions(Options);
        Dialog->SetFontSizeIndex(2);
        Dialog
            ->findChild<QPushButton*>(Accept ? QStringLiteral("btnOk")
                                             : QStringLiteral("btnCancel"))
            ->click();
    });
    QTimer::singleShot(5000, this, [] {
        if (auto* Stuck = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            Stuck->reject();
    });
    Action("mnuOptions")->trigger();
    QVERIFY(Seen);
    QCOMPARE(Editor()->font().pointSize(), Accept ? 16 : 14);
    QCOMPARE(Board()->VowelsLabel()->palette().color(QPalette::WindowText),
             Accept ? QColor(0xFF, 0, 0) : QColor(0x80, 0x80, 0));
    QCOMPARE(QFile::exists(SettingsFile()), Accept);
    if (Accept) {
        const QSettings Settings(SettingsFile(), QSettings::IniFormat);
        QCOMPARE(Settings.allKeys().size(), 5);
        QCOMPARE(Settings.value(QStringLiteral("MAIN/FONTSIZE")).toInt(), 2);
        QCOMPARE(Settings.value(QStringLiteral("MAIN/COLORVOWELS")).toInt(), 255);
    }
}

VERBANTO_QTEST_MAIN(FormMainTest)
#include "formmain_test.moc"
