#include "editor/SourceDoc.h"

#include "framework/Archive.h"
#include "framework/MessageBox.h"
#include "framework/View.h"
#include "editor/SourceText.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTextDocument>

std::function<bool(const QString&, qsizetype)> CSourceDoc::s_confirmTruncatedOpen =
    [](const QString& path, qsizetype offset) {
        const auto answer = ZtMessageBox::Show(
            QObject::tr("%1 holds binary data: a zero byte at offset %2.\n"
                        "Only the text before it can be shown, and saving the file would keep only that text.\n\n"
                        "Open it anyway?")
                .arg(QDir::toNativeSeparators(path))
                .arg(offset),
            QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        return answer == QMessageBox::Yes;
    };

QTextDocument* CSourceDoc::TextDocument() const
{
    auto* editor = GetFirstView() ? qobject_cast<QPlainTextEdit*>(GetFirstView()->GetWidget()) : nullptr;
    return editor ? editor->document() : nullptr;
}

void CSourceDoc::Serialize(CArchive& ar)
{
    QTextDocument* text = TextDocument();
    if (!text) {
        ar.Fail(tr("The document has no editor."));
        return;
    }
    if (ar.IsStoring()) {
        ar.Bytes() = CSourceText::Save(text);
        return;
    }
    const qsizetype nul = CSourceText::FirstNul(ar.Bytes());
    if (nul >= 0 && !s_confirmTruncatedOpen(ar.GetFilePath(), nul)) {
        ar.Cancel();
        return;
    }
    CSourceText::LoadInto(text, ar.Bytes());
    // A file opens with the caret at its start.
    if (auto* editor = qobject_cast<QPlainTextEdit*>(GetFirstView()->GetWidget()))
        editor->moveCursor(QTextCursor::Start);
}

std::function<QByteArray()> CSourceDoc::StoreLater()
{
    QTextDocument* text = TextDocument();
    if (!text)
        return {};
    return [snapshot = CSourceText::Snapshot(text)] { return snapshot.Bytes(); };
}

bool CSourceDoc::IsModified() const
{
    QTextDocument* text = TextDocument();
    return text ? text->isModified() : CDocument::IsModified();
}

void CSourceDoc::SetModifiedFlag(bool modified)
{
    if (QTextDocument* text = TextDocument())
        text->setModified(modified);
    CDocument::SetModifiedFlag(modified);
}
