// SPDX-License-Identifier: GPL-3.0-or-later
#include "anagrameditor.h"

#include <QChar>
#include <QColor>
#include <QFont>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMap>
#include <QMimeData>
#include <QPainter>
#include <QRect>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

constexpr int FlashDuration = 150; // milliseconds
constexpr int FlashBorder = 2;     // pixels

char32_t FirstCodePoint(const QString& AText)
{
    if (AText.size() > 1 && AText.at(0).isHighSurrogate() && AText.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(AText.at(0), AText.at(1));
    return AText.at(0).unicode();
}

// True when QTextEdit would insert the key's text. This is the test Qt itself
// applies, minus the tab, so that shortcuts and editing keys never reach
// OnKeyPress, while nothing QTextEdit inserts can slip past it. A character
// outside the Basic Multilingual Plane is judged as one, not as two halves.
bool IsTypedText(const QKeyEvent* AEvent)
{
    const QString Text = AEvent->text();
    if (Text.isEmpty())
        return false;
    const char32_t First = FirstCodePoint(Text);
    // Joiners and direction marks: some layouts type them with Ctrl+Shift.
    if (QChar::category(First) == QChar::Other_Format)
        return true;
    // Ctrl and Ctrl+Shift make shortcuts; Ctrl+Alt is AltGr on some systems.
    const Qt::KeyboardModifiers Modifiers = AEvent->modifiers();
    if (Modifiers == Qt::ControlModifier || Modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return QChar::isPrint(First) || QChar::isLetter(First) ||
           QChar::category(First) == QChar::Other_PrivateUse;
}

} // namespace

TAnagramEditor::TAnagramEditor(QWidget* AParent) : QTextEdit(AParent)
{
    setAcceptRichText(false);
    FFlashTimer.setSingleShot(true);
    FFlashTimer.setInterval(FlashDuration);
    connect(&FFlashTimer, &QTimer::timeout, this, [this] { viewport()->update(); });
    connect(this, &QTextEdit::textChanged, this, &TAnagramEditor::ApplyBold);
}

void TAnagramEditor::HighlightPositions(const QList<int>& APositions)
{
    QTextCharFormat Mark;
    Mark.setForeground(QColor(0xFF, 0xFF, 0xFF));
    Mark.setBackground(QColor(0xFF, 0x00, 0x00));
    Mark.setFontWeight(QFont::Bold);
    // The document's last position has no character after it.
    const int End = document()->characterCount() - 1;
    QList<ExtraSelection> Marks;
    for (const int Position : APositions) {
        if (Position < 0 || Position >= End)
            continue;
        ExtraSelection Selection;
        Selection.cursor = QTextCursor(document());
        Selection.cursor.setPosition(Position);
        Selection.cursor.setPosition(Position + 1, QTextCursor::KeepAnchor);
        Selection.format = Mark;
        Marks.append(Selection);
    }
    // Extra selections live beside the document: its text, undo history and
    // modified flag stay as they are.
    setExtraSelections(Marks);
    ApplyBold();
    QTextCursor Caret = textCursor();
    Caret.setPosition(Caret.selectionStart());
    setTextCursor(Caret);
}

void TAnagramEditor::ClearHighlight()
{
    setExtraSelections({});
    ApplyBold();
}

void TAnagramEditor::FlashRefusal()
{
    FFlashTimer.start();
    viewport()->update();
}

void TAnagramEditor::keyPressEvent(QKeyEvent* AEvent)
{
    if (!isReadOnly() && IsTypedText(AEvent) && !Accepts(AEvent->text())) {
        // Accepted, so the key does not travel on to the parent either.
        AEvent->accept();
        Refuse();
        return;
    }
    QTextEdit::keyPressEvent(AEvent);
}

void TAnagramEditor::inputMethodEvent(QInputMethodEvent* AEvent)
{
    const QString Commit = AEvent->commitString();
    if (Commit.isEmpty() || isReadOnly() || Accepts(Commit)) {
        QTextEdit::inputMethodEvent(AEvent);
        return;
    }
    // Swallowing the event outright would leave the composition on screen:
    // an empty one takes its place, and touches nothing when there was none.
    QInputMethodEvent Cleared;
    QTextEdit::inputMethodEvent(&Cleared);
    AEvent->accept();
    // Ending a composition resets its block's formats, bold marks included,
    // and with the text unchanged no textChanged() brings them back.
    ApplyBold();
    Refuse();
}

bool TAnagramEditor::canInsertFromMimeData(const QMimeData* ASource) const
{
    return ASource != nullptr && ASource->hasText() && !ASource->text().isEmpty();
}

void TAnagramEditor::insertFromMimeData(const QMimeData* ASource)
{
    if (isReadOnly() || !canInsertFromMimeData(ASource))
        return;
    QTextCursor Cursor = textCursor();
    // An empty format: pasted text looks like typed text, whatever fonts or
    // colours the source carried.
    Cursor.insertText(ASource->text(), QTextCharFormat());
    setTextCursor(Cursor);
}

void TAnagramEditor::paintEvent(QPaintEvent* AEvent)
{
    QTextEdit::paintEvent(AEvent);
    if (!Flashing())
        return;
    // Drawn inside the viewport rather than on the frame, which a style or
    // the window may have made zero pixels wide.
    QPainter Painter(viewport());
    const QRect Area = viewport()->rect();
    const QColor Red(0xFF, 0x00, 0x00);
    Painter.fillRect(QRect(Area.left(), Area.top(), Area.width(), FlashBorder), Red);
    Painter.fillRect(QRect(Area.left(), Area.bottom() - FlashBorder + 1, Area.width(), FlashBorder),
                     Red);
    Painter.fillRect(QRect(Area.left(), Area.top(), FlashBorder, Area.height()), Red);
    Painter.fillRect(QRect(Area.right() - FlashBorder + 1, Area.top(), FlashBorder, Area.height()),
                     Red);
}

void TAnagramEditor::scrollContentsBy(int ADx, int ADy)
{
    QTextEdit::scrollContentsBy(ADx, ADy);
    // Scrolling moves the pixels already drawn, border included.
    if (Flashing())
        viewport()->update();
}

// Qt paints extra selections in their colours but with the plain font, so
// the weight goes into the blocks' layouts, as a syntax highlighter's formats
// do: that, too, leaves the text, its history and its modified flag alone.
// Layout formats count from the block's start and stay put when the text
// moves, hence they are rebuilt from the marks, which do follow it.
void TAnagramEditor::ApplyBold()
{
    QTextDocument* Document = document();
    QMap<int, QList<QTextLayout::FormatRange>> Ranges; // by block number
    QTextCharFormat Bold;
    Bold.setFontWeight(QFont::Bold);
    for (const ExtraSelection& Mark : extraSelections()) {
        if (!Mark.cursor.hasSelection())
            continue; // its character was deleted
        const int Position = Mark.cursor.selectionStart();
        const QTextBlock Block = Document->findBlock(Position);
        const int Offset = Position - Block.position();
        // A line break has no glyph to thicken.
        if (Offset < Block.length() - 1)
            Ranges[Block.blockNumber()].append({Offset, 1, Bold});
    }
    for (QTextBlock Block = Document->begin(); Block.isValid(); Block = Block.next()) {
        QTextLayout* Layout = Block.layout();
        const QList<QTextLayout::FormatRange> Wanted = Ranges.value(Block.blockNumber());
        // A composition in progress owns the formats of its block.
        if (Layout->formats() == Wanted || !Layout->preeditAreaText().isEmpty())
            continue;
        Layout->setFormats(Wanted);
        Document->markContentsDirty(Block.position(), Block.length());
    }
}

bool TAnagramEditor::Accepts(const QString& AText)
{
    return !OnKeyPress || OnKeyPress(AText);
}

void TAnagramEditor::Refuse()
{
    FlashRefusal();
    emit keyRefused();
}
