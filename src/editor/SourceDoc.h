#pragma once

#include "framework/Document.h"

#include <functional>

class QTextDocument;

// A document whose contents are the text of its first view's editor: the
// file's bytes, nothing else. The modified flag is the editor's.
class CSourceDoc : public CDocument
{
    Q_OBJECT
public:
    void Serialize(CArchive& ar) override;
    // Copies the text out; the worker makes the bytes, as Serialize would.
    std::function<QByteArray()> StoreLater() override;
    bool IsModified() const override;
    void SetModifiedFlag(bool modified = true) override;
    bool FollowsFileOnDisk() const override { return true; }
    // Every view keeps its caret line and scroll position, as far as the new
    // text reaches.
    bool ReloadFromDisk() override;

    // The editor text of the first view; null before the view exists.
    QTextDocument* TextDocument() const;

    // Asked before a file holding a zero byte is opened, since only the text
    // before that byte can be shown and saved. True opens it. Tests replace
    // the question.
    static std::function<bool(const QString& path, qsizetype offset)> s_confirmTruncatedOpen;
};
