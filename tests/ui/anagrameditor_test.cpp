// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagrameditor.h"
#include "qttestmain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <functional>
#include <memory>

namespace {

using TRule = std::function<bool(const QString&)>;

bool RefuseAll(const QString&)
{
    return false;
}

// Records what the editor asks and signals from the moment it is made, so
// that setting up a test's text does not count.
struct TProbe
{
    TProbe(TAnagramEditor& AEditor, TRule ARule)
        : Refused(&AEditor, &TAnagramEditor::keyRefused), Changed(&AEditor, &QTextEdit::textChanged)
    {
        AEditor.OnKeyPress = [this, ARule](const QString& AText) {
            Asked.append(AText);
            return ARule(AText);
        };
    }

    QStringList Asked;
    QSignalSpy Refused;
    QSignalSpy Changed;
};

bool ShowActive(TAnagramEditor& AEditor)
{
    AEditor.resize(300, 120);
    AEditor.show();
    if (!QTest::qWaitForWindowExposed(&AEditor))
        return false;
    AEditor.activateWindow();
    QApplication::setActiveWindow(&AEditor);
    AEditor.setFocus();
    return QTest::qWaitForWindowActive(&AEditor) && AEditor.hasFocus();
}

void Select(TAnagramEditor& AEditor, int AAnchor, int APosition)
{
    QTextCursor Cursor = AEditor.textCursor();
    Cursor.setPosition(AAnchor);
    Cursor.setPosition(APosition, QTextCursor::KeepAnchor);
    AEditor.setTextCursor(Cursor);
}

void SetText(TAnagramEditor& AEditor, const QString& AText, int AAnchor, int APosition)
{
    AEditor.setPlainText(AText);
    Select(AEditor, AAnchor, APosition);
}

// A key as the windowing system delivers it, with the text it chose; QTest
// would derive the text from the key code alone.
void SendKey(QWidget* AWidget, int AKey, Qt::KeyboardModifiers AModifiers, const QString& AText)
{
    QKeyEvent Press(QEvent::KeyPress, AKey, AModifiers, AText);
    QApplication::sendEvent(AWidget, &Press);
    QKeyEvent Release(QEvent::KeyRelease, AKey, AModifiers, AText);
    QApplication::sendEvent(AWidget, &Release);
}

QString Preedit(const TAnagramEditor& AEditor)
{
    return AEditor.textCursor().block().layout()->preeditAreaText();
}

// What another program puts on the clipboard when rich text is copied.
QMimeData* RichMime(const QString& AText)
{
    auto* Mime = new QMimeData;
    Mime->setHtml(QStringLiteral("<b><i><span style=\"color:#00ff00; font-size:30pt; "
                                 "background:#0000ff\">%1</span></i></b>")
                      .arg(AText));
    Mime->setText(AText);
    return Mime;
}

QMimeData* ImageMime()
{
    auto* Mime = new QMimeData;
    QImage Image(8, 8, QImage::Format_RGB32);
    Image.fill(Qt::blue);
    Mime->setImageData(Image);
    return Mime;
}

// Every character of the document in one and the same format, the one of
// the text typed before: nothing came in with the pasted text.
bool UniformFormat(const QTextDocument& ADocument, const QTextCharFormat& AExpected)
{
    for (QTextBlock Block = ADocument.begin(); Block.isValid(); Block = Block.next())
        for (auto It = Block.begin(); !It.atEnd(); ++It)
            if (It.fragment().charFormat() != AExpected)
                return false;
    return true;
}

// The format of the character at APosition, which a cursor just after it reports.
QTextCharFormat FormatAt(const TAnagramEditor& AEditor, int APosition)
{
    QTextCursor Cursor(AEditor.document());
    Cursor.setPosition(APosition + 1);
    return Cursor.charFormat();
}

// Where a click or a drop lands between the characters either side of APosition.
QPoint PointAt(const TAnagramEditor& AEditor, int APosition)
{
    QTextCursor Target(AEditor.document());
    Target.setPosition(APosition);
    return AEditor.cursorRect(Target).center();
}

void DropOn(TAnagramEditor& AEditor, const QMimeData& AMime, int APosition, bool* AEntered)
{
    const QPoint Point = PointAt(AEditor, APosition);
    QDragEnterEvent Enter(Point, Qt::CopyAction, &AMime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(AEditor.viewport(), &Enter);
    *AEntered = Enter.isAccepted();
    QDropEvent Drop(QPointF(Point), Qt::CopyAction, &AMime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(AEditor.viewport(), &Drop);
}

enum class TPastePath
{
    CtrlV,
    ShiftInsert,
    Slot,
    ContextMenu,
    Drop, // not through the clipboard: see DropOn
};

void Paste(TAnagramEditor& AEditor, TPastePath APath)
{
    switch (APath) {
    case TPastePath::CtrlV:
        QTest::keyClick(&AEditor, Qt::Key_V, Qt::ControlModifier);
        break;
    case TPastePath::ShiftInsert:
        QTest::keyClick(&AEditor, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case TPastePath::Slot:
        AEditor.paste();
        break;
    case TPastePath::ContextMenu: {
        std::unique_ptr<QMenu> Menu(AEditor.createStandardContextMenu());
        auto* Action = Menu->findChild<QAction*>(QStringLiteral("edit-paste"));
        QVERIFY(Action != nullptr);
        // Qt enables it only when canInsertFromMimeData agrees.
        if (Action->isEnabled())
            Action->trigger();
        break;
    }
    case TPastePath::Drop:
        QFAIL("a drop does not go through the clipboard");
    }
}

} // namespace

Q_DECLARE_METATYPE(TPastePath)

class TAnagramEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void TypedTextIsAskedFirst_data();
    void TypedTextIsAskedFirst();
    void EveryTypedKeyIsAskedAlone();
    void EditingKeysAreNeverAsked_data();
    void EditingKeysAreNeverAsked();
    void InputMethodCommitIsAskedWhole_data();
    void InputMethodCommitIsAskedWhole();
    void PasteBringsPlainTextOnly_data();
    void PasteBringsPlainTextOnly();
    void InsertAtPointBringsPlainText_data();
    void InsertAtPointBringsPlainText();
    void MimeWithoutTextChangesNothing_data();
    void MimeWithoutTextChangesNothing();
    void HighlightMarksWithoutTouchingDocument_data();
    void HighlightMarksWithoutTouchingDocument();
    void HighlightedCharactersAreDrawnBold();
    void RefusalFlashesTheBorder();
};

void TAnagramEditorTest::TypedTextIsAskedFirst_data()
{
    QTest::addColumn<int>("Key");
    QTest::addColumn<Qt::KeyboardModifiers>("Modifiers");
    QTest::addColumn<QString>("Text");
    QTest::addColumn<bool>("Accept");

    struct TSample
    {
        const char* Name;
        int Key;
        Qt::KeyboardModifiers Modifiers;
        QString Text;
    };
    const TSample Samples[] = {
        {"letter", Qt::Key_A, Qt::NoModifier, QStringLiteral("a")},
        {"capital", Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A")},
        {"accented", Qt::Key_Egrave, Qt::NoModifier, QStringLiteral("è")},
        {"blank", Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")},
        {"digit", Qt::Key_5, Qt::NoModifier, QStringLiteral("5")},
        {"keypad digit", Qt::Key_5, Qt::KeypadModifier, QStringLiteral("5")},
        {"punctuation", Qt::Key_Exclam, Qt::ShiftModifier, QStringLiteral("!")},
        {"altgr", Qt::Key_At, Qt::GroupSwitchModifier, QStringLiteral("@")},
        {"altgr as ctrl+alt", Qt::Key_At, Qt::ControlModifier | Qt::AltModifier,
         QStringLiteral("@")},
        {"outside the basic plane", Qt::Key_unknown, Qt::NoModifier,
         QString::fromUtf16(u"\U0001D49C")},
    };
    for (const TSample& Sample : Samples) {
        QTest::addRow("%s accepted", Sample.Name)
            << Sample.Key << Sample.Modifiers << Sample.Text << true;
        QTest::addRow("%s refused", Sample.Name)
            << Sample.Key << Sample.Modifiers << Sample.Text << false;
    }
}

void TAnagramEditorTest::TypedTextIsAskedFirst()
{
    QFETCH(int, Key);
    QFETCH(Qt::KeyboardModifiers, Modifiers);
    QFETCH(QString, Text);
    QFETCH(bool, Accept);

    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    SetText(Editor, QStringLiteral("xy"), 2, 2);
    TProbe Probe(Editor, [Accept](const QString&) { return Accept; });

    SendKey(&Editor, Key, Modifiers, Text);

    QCOMPARE(Probe.Asked, QStringList{Text});
    if (Accept) {
        QCOMPARE(Editor.toPlainText(), QStringLiteral("xy") + Text);
        QVERIFY(Probe.Changed.count() > 0);
        QCOMPARE(Probe.Refused.count(), 0);
        QVERIFY(!Editor.Flashing());
    } else {
        QCOMPARE(Editor.toPlainText(), QStringLiteral("xy"));
        QCOMPARE(Probe.Changed.count(), 0);
        QCOMPARE(Probe.Refused.count(), 1);
        QVERIFY(Editor.Flashing());
        QVERIFY(!Editor.document()->isUndoAvailable());
    }
}

void TAnagramEditorTest::EveryTypedKeyIsAskedAlone()
{
    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    TProbe Probe(Editor, [](const QString& AText) { return AText != QStringLiteral("a"); });

    QTest::keyClicks(&Editor, QStringLiteral("casa"));

    QCOMPARE(Probe.Asked, (QStringList{QStringLiteral("c"), QStringLiteral("a"),
                                       QStringLiteral("s"), QStringLiteral("a")}));
    QCOMPARE(Editor.toPlainText(), QStringLiteral("cs"));
    QCOMPARE(Probe.Refused.count(), 2);
}

void TAnagramEditorTest::EditingKeysAreNeverAsked_data()
{
    QTest::addColumn<int>("Key");
    QTest::addColumn<Qt::KeyboardModifiers>("Modifiers");
    QTest::addColumn<QString>("Text");
    QTest::addColumn<int>("Start");
    QTest::addColumn<QString>("ExpectedText");
    QTest::addColumn<int>("ExpectedAnchor");
    QTest::addColumn<int>("ExpectedPosition");

    const Qt::KeyboardModifiers None = Qt::NoModifier;
    const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
    const QString Abcd = QStringLiteral("abcd");
    // The editor holds "abcd", the "d" typed last and undoable.
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << None << QStringLiteral("\b") << 4
                               << QStringLiteral("abc") << 3 << 3;
    QTest::newRow("delete") << int(Qt::Key_Delete) << None << QStringLiteral("\x7f") << 0
                            << QStringLiteral("bcd") << 0 << 0;
    QTest::newRow("return") << int(Qt::Key_Return) << None << QStringLiteral("\r") << 2
                            << QStringLiteral("ab\ncd") << 3 << 3;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                  << QStringLiteral("\r") << 2 << QStringLiteral("ab\ncd") << 3
                                  << 3;
    QTest::newRow("tab") << int(Qt::Key_Tab) << None << QStringLiteral("\t") << 2
                         << QStringLiteral("ab\tcd") << 3 << 3;
    QTest::newRow("left") << int(Qt::Key_Left) << None << QString() << 2 << Abcd << 1 << 1;
    QTest::newRow("right") << int(Qt::Key_Right) << None << QString() << 2 << Abcd << 3 << 3;
    QTest::newRow("home") << int(Qt::Key_Home) << None << QString() << 2 << Abcd << 0 << 0;
    QTest::newRow("end") << int(Qt::Key_End) << None << QString() << 2 << Abcd << 4 << 4;
    QTest::newRow("shift+left") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                << QString() << 2 << Abcd << 2 << 1;
    // X11 sends the control character; QTest sends the bare letter.
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << Ctrl << QStringLiteral("\x01") << 2 << Abcd << 0
                            << 4;
    QTest::newRow("ctrl+a with letter text")
        << int(Qt::Key_A) << Ctrl << QStringLiteral("a") << 2 << Abcd << 0 << 4;
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << Ctrl << QStringLiteral("\x1a") << 2
                            << QStringLiteral("abc") << 3 << 3;
    QTest::newRow("ctrl+z with letter text")
        << int(Qt::Key_Z) << Ctrl << QStringLiteral("z") << 2 << QStringLiteral("abc") << 3 << 3;
    QTest::newRow("ctrl+shift+left")
        << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)
        << QString() << 4 << Abcd << 4 << 0;
}

void TAnagramEditorTest::EditingKeysAreNeverAsked()
{
    QFETCH(int, Key);
    QFETCH(Qt::KeyboardModifiers, Modifiers);
    QFETCH(QString, Text);
    QFETCH(int, Start);
    QFETCH(QString, ExpectedText);
    QFETCH(int, ExpectedAnchor);
    QFETCH(int, ExpectedPosition);

    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    SetText(Editor, QStringLiteral("abc"), 3, 3);
    Editor.textCursor().insertText(QStringLiteral("d"));
    Select(Editor, Start, Start);
    TProbe Probe(Editor, RefuseAll);

    SendKey(&Editor, Key, Modifiers, Text);

    QCOMPARE(Probe.Asked, QStringList());
    QCOMPARE(Probe.Refused.count(), 0);
    QCOMPARE(Editor.toPlainText(), ExpectedText);
    QCOMPARE(Editor.textCursor().anchor(), ExpectedAnchor);
    QCOMPARE(Editor.textCursor().position(), ExpectedPosition);
}

void TAnagramEditorTest::InputMethodCommitIsAskedWhole_data()
{
    QTest::addColumn<QString>("Composing");
    QTest::addColumn<QString>("Commit");
    QTest::addColumn<int>("ReplaceFrom");
    QTest::addColumn<int>("ReplaceLength");
    QTest::addColumn<bool>("Accept");
    QTest::addColumn<QString>("ExpectedText");

    // The editor holds "ab" with the caret at its end.
    QTest::newRow("dead key accepted")
        << QStringLiteral("`") << QStringLiteral("è") << 0 << 0 << true << QStringLiteral("abè");
    QTest::newRow("dead key refused")
        << QStringLiteral("`") << QStringLiteral("è") << 0 << 0 << false << QStringLiteral("ab");
    QTest::newRow("several characters accepted")
        << QString() << QStringLiteral("ciao") << 0 << 0 << true << QStringLiteral("abciao");
    QTest::newRow("several characters refused")
        << QString() << QStringLiteral("ciao") << 0 << 0 << false << QStringLiteral("ab");
    QTest::newRow("composition of several accepted")
        << QStringLiteral("kana") << QStringLiteral("かな") << 0 << 0 << true
        << QStringLiteral("abかな");
    QTest::newRow("composition of several refused")
        << QStringLiteral("kana") << QStringLiteral("かな") << 0 << 0 << false
        << QStringLiteral("ab");
    QTest::newRow("replacing the letter before accepted")
        << QString() << QStringLiteral("à") << -1 << 1 << true << QStringLiteral("aà");
    QTest::newRow("replacing the letter before refused")
        << QString() << QStringLiteral("à") << -1 << 1 << false << QStringLiteral("ab");
}

void TAnagramEditorTest::InputMethodCommitIsAskedWhole()
{
    QFETCH(QString, Composing);
    QFETCH(QString, Commit);
    QFETCH(int, ReplaceFrom);
    QFETCH(int, ReplaceLength);
    QFETCH(bool, Accept);
    QFETCH(QString, ExpectedText);

    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    SetText(Editor, QStringLiteral("ab"), 2, 2);
    TProbe Probe(Editor, [Accept](const QString&) { return Accept; });

    if (!Composing.isEmpty()) {
        QInputMethodEvent Update(Composing, {});
        QApplication::sendEvent(&Editor, &Update);
        // Composing is not typing yet: nothing asked, nothing refused.
        QCOMPARE(Probe.Asked, QStringList());
        QCOMPARE(Preedit(Editor), Composing);
    }
    QInputMethodEvent Done;
    Done.setCommitString(Commit, ReplaceFrom, ReplaceLength);
    QApplication::sendEvent(&Editor, &Done);

    QCOMPARE(Probe.Asked, QStringList{Commit});
    QCOMPARE(Editor.toPlainText(), ExpectedText);
    QCOMPARE(Preedit(Editor), QString());
    QCOMPARE(Probe.Refused.count(), Accept ? 0 : 1);
    if (!Accept)
        QVERIFY(!Editor.document()->isUndoAvailable());
}

void TAnagramEditorTest::PasteBringsPlainTextOnly_data()
{
    QTest::addColumn<TPastePath>("Path");

    QTest::newRow("ctrl+v") << TPastePath::CtrlV;
    QTest::newRow("shift+insert") << TPastePath::ShiftInsert;
    QTest::newRow("paste slot") << TPastePath::Slot;
    QTest::newRow("context menu") << TPastePath::ContextMenu;
}

void TAnagramEditorTest::PasteBringsPlainTextOnly()
{
    QFETCH(TPastePath, Path);

    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    SetText(Editor, QStringLiteral("abcd"), 1, 3);
    const QTextCharFormat Typed = FormatAt(Editor, 0);
    QGuiApplication::clipboard()->setMimeData(RichMime(QStringLiteral("XYZ")));
    // Pasting may bring letters the window would refuse: it is never asked.
    TProbe Probe(Editor, RefuseAll);

    Paste(Editor, Path);

    QCOMPARE(Editor.toPlainText(), QStringLiteral("aXYZd"));
    QCOMPARE(Editor.textCursor().position(), 4);
    QVERIFY(!Editor.textCursor().hasSelection());
    QVERIFY(UniformFormat(*Editor.document(), Typed));
    QVERIFY(Probe.Changed.count() > 0);
    QCOMPARE(Probe.Asked, QStringList());
    QCOMPARE(Probe.Refused.count(), 0);
}

void TAnagramEditorTest::InsertAtPointBringsPlainText_data()
{
    QTest::addColumn<bool>("MiddleClick");

    QTest::newRow("drop") << false;
    QTest::newRow("middle click") << true;
}

void TAnagramEditorTest::InsertAtPointBringsPlainText()
{
    QFETCH(bool, MiddleClick);

    QClipboard& Clipboard = *QGuiApplication::clipboard();
    if (MiddleClick && !Clipboard.supportsSelection())
        QSKIP("no selection clipboard on this platform");
    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    SetText(Editor, QStringLiteral("abcd"), 0, 0);
    const QTextCharFormat Typed = FormatAt(Editor, 0);
    std::unique_ptr<QMimeData> Mime(RichMime(QStringLiteral("XY")));
    TProbe Probe(Editor, RefuseAll);

    if (MiddleClick) {
        Clipboard.setMimeData(Mime.release(), QClipboard::Selection);
        QTest::mouseClick(Editor.viewport(), Qt::MiddleButton, Qt::NoModifier, PointAt(Editor, 2));
    } else {
        bool Entered = false;
        DropOn(Editor, *Mime, 2, &Entered);
        QVERIFY(Entered);
    }

    QCOMPARE(Editor.toPlainText(), QStringLiteral("abXYcd"));
    QCOMPARE(Editor.textCursor().position(), 4);
    QVERIFY(UniformFormat(*Editor.document(), Typed));
    QVERIFY(Probe.Changed.count() > 0);
    QCOMPARE(Probe.Asked, QStringList());
}

void TAnagramEditorTest::MimeWithoutTextChangesNothing_data()
{
    QTest::addColumn<TPastePath>("Path");

    QTest::newRow("ctrl+v") << TPastePath::CtrlV;
    QTest::newRow("paste slot") << TPastePath::Slot;
    QTest::newRow("context menu") << TPastePath::ContextMenu;
    QTest::newRow("drop") << TPastePath::Drop;
}

void TAnagramEditorTest::MimeWithoutTextChangesNothing()
{
    QFETCH(TPastePath, Path);

    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    SetText(Editor, QStringLiteral("abcd"), 1, 3);
    const int Revision = Editor.document()->revision();
    TProbe Probe(Editor, RefuseAll);

    if (Path == TPastePath::Drop) {
        std::unique_ptr<QMimeData> Mime(ImageMime());
        bool Entered = true;
        DropOn(Editor, *Mime, 2, &Entered);
        QVERIFY(!Entered);
    } else {
        QGuiApplication::clipboard()->setMimeData(ImageMime());
        QVERIFY(!Editor.canPaste());
        Paste(Editor, Path);
    }

    QCOMPARE(Editor.toPlainText(), QStringLiteral("abcd"));
    QCOMPARE(Editor.document()->revision(), Revision);
    QCOMPARE(Editor.textCursor().anchor(), 1);
    QCOMPARE(Editor.textCursor().position(), 3);
    QCOMPARE(Probe.Changed.count(), 0);
    QCOMPARE(Probe.Refused.count(), 0);
    QVERIFY(!Editor.Flashing());
}

void TAnagramEditorTest::HighlightMarksWithoutTouchingDocument_data()
{
    QTest::addColumn<QString>("Text");
    QTest::addColumn<QList<int>>("Positions");
    QTest::addColumn<QList<int>>("MarkedPositions");
    QTest::addColumn<QStringList>("MarkedCharacters");
    QTest::addColumn<bool>("Edited");
    QTest::addColumn<int>("SelectionAnchor");
    QTest::addColumn<int>("SelectionPosition");

    struct TSample
    {
        const char* Name;
        QString Text;
        QList<int> Positions;
        QList<int> Marked;
        QStringList Characters;
    };
    const TSample Samples[] = {
        {"letters",
         QStringLiteral("casa"),
         {0, 2},
         {0, 2},
         {QStringLiteral("c"), QStringLiteral("s")}},
        {"after a line break",
         QStringLiteral("ab\ncd"),
         {3, 4},
         {3, 4},
         {QStringLiteral("c"), QStringLiteral("d")}},
        {"the line break itself",
         QStringLiteral("ab\ncd"),
         {2},
         {2},
         {QString(QChar::ParagraphSeparator)}},
        {"outside the text", QStringLiteral("abc"), {-1, 1, 3, 9}, {1}, {QStringLiteral("b")}},
    };
    // The caret lands on the selection's start, at 1 here, whichever end is the anchor.
    for (const TSample& Sample : Samples) {
        const int End = int(Sample.Text.size());
        QTest::addRow("%s, unedited, selected backwards", Sample.Name)
            << Sample.Text << Sample.Positions << Sample.Marked << Sample.Characters << false << End
            << 1;
        QTest::addRow("%s, edited, selected forwards", Sample.Name)
            << Sample.Text << Sample.Positions << Sample.Marked << Sample.Characters << true << 1
            << End;
    }
}

void TAnagramEditorTest::HighlightMarksWithoutTouchingDocument()
{
    QFETCH(QString, Text);
    QFETCH(QList<int>, Positions);
    QFETCH(QList<int>, MarkedPositions);
    QFETCH(QStringList, MarkedCharacters);
    QFETCH(bool, Edited);
    QFETCH(int, SelectionAnchor);
    QFETCH(int, SelectionPosition);

    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    if (Edited) {
        Editor.textCursor().insertText(Text);
    } else {
        Editor.setPlainText(Text);
        Editor.document()->setModified(false);
    }
    QTextDocument& Document = *Editor.document();
    QCOMPARE(Document.isUndoAvailable(), Edited);
    const int Revision = Document.revision();
    const int UndoSteps = Document.availableUndoSteps();
    Select(Editor, SelectionAnchor, SelectionPosition);
    Document.setModified(Edited);
    QSignalSpy Changed(&Editor, &QTextEdit::textChanged);

    Editor.HighlightPositions(Positions);

    const QList<QTextEdit::ExtraSelection> Marks = Editor.extraSelections();
    QCOMPARE(Marks.size(), MarkedPositions.size());
    for (qsizetype I = 0; I < Marks.size(); ++I) {
        const QTextEdit::ExtraSelection& Mark = Marks.at(I);
        QCOMPARE(Mark.cursor.selectionStart(), MarkedPositions.at(I));
        QCOMPARE(Mark.cursor.selectionEnd(), MarkedPositions.at(I) + 1);
        QCOMPARE(Mark.cursor.selectedText(), MarkedCharacters.at(I));
        QCOMPARE(Mark.format.foreground().color(), QColor(0xFF, 0xFF, 0xFF));
        QCOMPARE(Mark.format.background().color(), QColor(0xFF, 0x00, 0x00));
        QCOMPARE(Mark.format.fontWeight(), int(QFont::Bold));
    }
    QCOMPARE(Editor.textCursor().position(), 1);
    QVERIFY(!Editor.textCursor().hasSelection());

    Editor.ClearHighlight();

    QVERIFY(Editor.extraSelections().isEmpty());
    QCOMPARE(Editor.textCursor().position(), 1);
    QCOMPARE(Editor.toPlainText(), Text);
    QCOMPARE(Document.revision(), Revision);
    QCOMPARE(Document.isModified(), Edited);
    QCOMPARE(Document.isUndoAvailable(), Edited);
    QCOMPARE(Document.availableUndoSteps(), UndoSteps);
    QCOMPARE(Changed.count(), 0);
}

void TAnagramEditorTest::HighlightedCharactersAreDrawnBold()
{
    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    Editor.setPlainText(QStringLiteral("mmmm"));
    // Where the caret would stand at each position: a bold letter is wider
    // and pushes the ones after it right.
    const auto Left = [&Editor](int APosition) {
        QTextCursor Cursor(Editor.document());
        Cursor.setPosition(APosition);
        return Editor.cursorRect(Cursor).left();
    };
    QList<int> Plain;
    for (int Position = 0; Position <= 4; ++Position)
        Plain.append(Left(Position));

    Editor.HighlightPositions({1});
    QCOMPARE(Left(1), Plain.at(1));
    QVERIFY(Left(2) > Plain.at(2));

    // The mark moves with its letter, and so must the weight.
    Select(Editor, 0, 0);
    QTest::keyClick(&Editor, Qt::Key_M);
    QCOMPARE(Editor.toPlainText(), QStringLiteral("mmmmm"));
    QCOMPARE(Left(2), Plain.at(2));
    QVERIFY(Left(3) > Plain.at(3));

    Editor.ClearHighlight();
    for (int Position = 0; Position <= 4; ++Position)
        QCOMPARE(Left(Position), Plain.at(Position));
}

void TAnagramEditorTest::RefusalFlashesTheBorder()
{
    TAnagramEditor Editor;
    QVERIFY(ShowActive(Editor));
    TProbe Probe(Editor, RefuseAll);
    const auto EdgeIsRed = [&Editor] {
        const QImage Image = Editor.viewport()->grab().toImage();
        const QColor Red(0xFF, 0x00, 0x00);
        const int Middle = Image.height() / 2;
        return Image.pixelColor(0, Middle) == Red &&
               Image.pixelColor(Image.width() - 1, Middle) == Red;
    };
    QVERIFY(!EdgeIsRed());

    QTest::keyClick(&Editor, Qt::Key_A);

    QCOMPARE(Probe.Refused.count(), 1);
    QVERIFY(Editor.Flashing());
    QVERIFY(EdgeIsRed());
    QTRY_VERIFY(!Editor.Flashing());
    QVERIFY(!EdgeIsRed());
}

VERBANTO_QTEST_MAIN(TAnagramEditorTest)
#include "anagrameditor_test.moc"
