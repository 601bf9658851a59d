// SPDX-License-Identifier: GPL-3.0-or-later
#include "attemptdocuments.h"

#include <QTextDocument>
#include <QTextEdit>

TAttemptDocuments::TAttemptDocuments(QTextEdit& AEditor, QObject& AOwner)
    : FEditor(AEditor), FIdle(new QTextDocument(&AOwner))
{}

TAttemptDocuments::~TAttemptDocuments()
{
    Clear();
}

void TAttemptDocuments::Show(const TAnagram& AAttempt, const QString& AText)
{
    std::unique_ptr<QTextDocument>& Document = FDocuments[&AAttempt];
    if (!Document) {
        Document = std::make_unique<QTextDocument>();
        Document->setPlainText(AText);
    }
    // The size of text may have changed while another attempt was shown.
    Document->setDefaultFont(FEditor.font());
    FEditor.setDocument(Document.get());
}

void TAttemptDocuments::Drop(const TAnagram& AAttempt)
{
    const auto Found = FDocuments.find(&AAttempt);
    if (Found == FDocuments.end())
        return;
    Release(Found->second.get());
    FDocuments.erase(Found);
}

void TAttemptDocuments::Clear()
{
    for (const auto& [Attempt, Document] : FDocuments)
        Release(Document.get());
    FDocuments.clear();
}

// The editor must never be left with a document that is deleted.
void TAttemptDocuments::Release(QTextDocument* ADocument)
{
    if (FEditor.document() == ADocument)
        FEditor.setDocument(FIdle);
}
