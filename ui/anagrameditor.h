// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QTextEdit>
#include <QTimer>
#include <functional>

class QInputMethodEvent;
class QKeyEvent;
class QMimeData;
class QPaintEvent;

// The box an anagram attempt is typed in. The window owning it decides
// which typed text may enter; pasted and dropped text always enters, as
// plain text in the document's default format (so the font comes from
// setFont, not from a character format).
class TAnagramEditor : public QTextEdit
{
    Q_OBJECT

public:
    explicit TAnagramEditor(QWidget* AParent = nullptr);

    // Asked before typed text enters, with the text about to be inserted:
    // one key's text, or a whole input-method commit. False drops it.
    // Unset, everything is accepted. Pasted text is never asked about.
    std::function<bool(const QString& AText)> OnKeyPress;

    // Marks the characters at these positions (counted as QTextCursor
    // positions; a line break is one) white bold on red, without touching
    // the document, and collapses the caret to the selection start so the
    // selection does not hide the marks. Positions outside the text are
    // skipped; the marks follow their characters if the text changes.
    void HighlightPositions(const QList<int>& APositions);
    // Removes the marks only; the caller restores any selection it wants.
    void ClearHighlight();

    // Flashes the border red for a moment: many desktops mute the bell, so
    // a refused key needs a cue that can be seen.
    void FlashRefusal();
    bool Flashing() const { return FFlashTimer.isActive(); }

signals:
    // After OnKeyPress refused typed text.
    void keyRefused();

protected:
    void keyPressEvent(QKeyEvent* AEvent) override;
    void inputMethodEvent(QInputMethodEvent* AEvent) override;
    bool canInsertFromMimeData(const QMimeData* ASource) const override;
    void insertFromMimeData(const QMimeData* ASource) override;
    void paintEvent(QPaintEvent* AEvent) override;
    void scrollContentsBy(int ADx, int ADy) override;

private:
    void ApplyBold();
    bool Accepts(const QString& AText);
    void Refuse();

    QTimer FFlashTimer;
};
