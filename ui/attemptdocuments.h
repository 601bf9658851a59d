// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <unordered_map>

class QObject;
class QTextDocument;
class QTextEdit;
class TAnagram;

// One text document per attempt that has been shown in the editor, so that
// each keeps its own undo history while the editor shows the others. A
// document is made when its attempt is first shown: a file of thousands of
// attempts opens without thousands of documents.
class TAttemptDocuments
{
public:
    // AOwner outlives AEditor and keeps the editor's document for the
    // moments when no attempt's may be shown.
    TAttemptDocuments(QTextEdit& AEditor, QObject& AOwner);
    ~TAttemptDocuments();
    TAttemptDocuments(const TAttemptDocuments&) = delete;
    TAttemptDocuments& operator=(const TAttemptDocuments&) = delete;

    // Shows the attempt's document in the editor; a new one holds AText
    // with an empty history.
    void Show(const TAnagram& AAttempt, const QString& AText);
    // The attempt is going, and its document with it.
    void Drop(const TAnagram& AAttempt);
    void Clear();

private:
    void Release(QTextDocument* ADocument);

    QTextEdit& FEditor;
    QTextDocument* FIdle;
    std::unordered_map<const TAnagram*, std::unique_ptr<QTextDocument>> FDocuments;
};
