#pragma once

#include "framework/Document.h"

#include "editor/SourceLoader.h"

#include <QPointer>

#include <functional>
#include <memory>

class QPlainTextEdit;
class QTextDocument;

// A document whose contents are the text of its first view's editor: the
// file's bytes, nothing else. The modified flag is the editor's.
class CSourceDoc : public CDocument
{
    Q_OBJECT
public:
    // A file of at least s_nBackgroundLoadBytes is read off the UI thread: the
    // window opens at once and fills as the text comes in (CSourceLoader).
    // Errors found before the first byte is read are reported here as for
    // any file; the others close the window with a message when the load
    // ends. A cancelled load closes the window and leaves the file as it was.
    bool OnOpenDocument(const QString& path) override;
    // Closing before the background load has put the whole text in abandons
    // the open (openAbandoned).
    void OnCloseDocument() override;
    static qint64 s_nBackgroundLoadBytes;
    // True while the text is still coming in: it cannot be saved yet.
    bool IsLoading() const;
    // Escape in the main window does the same while the page is active.
    void CancelLoad();

    void Serialize(CArchive& ar) override;
    // Copies the text out; the worker makes the bytes, as Serialize would.
    std::function<QByteArray()> StoreLater() override;
    bool IsModified() const override;
    void SetModifiedFlag(bool modified = true) override;
    bool FollowsFileOnDisk() const override { return true; }
    // Every view keeps its caret line and scroll position, as far as the new
    // text reaches. A file of at least s_nBackgroundLoadBytes is read off the
    // UI thread, with the open's progress, cancel and messages; a reload that
    // cannot finish puts the text back as it was, and the same file is not
    // reported as changed again.
    bool ReloadFromDisk() override;

    // The editor text of the first view; null before the view exists.
    QTextDocument* TextDocument() const;

    // Asked before a file holding a zero byte is opened, since only the text
    // before that byte can be shown and saved. True opens it. Tests replace
    // the question.
    static std::function<bool(const QString& path, qsizetype offset)> s_confirmTruncatedOpen;

private:
    struct CReload;
    // The file at path opened for a load off the UI thread, or -1 after
    // telling the user why it cannot be read.
    int OpenToLoad(const QString& path);
    // Starts reading the opened file into the editor off the UI thread.
    void StartLoad(QPlainTextEdit* editor, const QString& path, int descriptor);
    // Copies the next slices of the text before a reload, then starts it.
    void CopyForReload();
    void CopyForReloadLater();
    // Escape while the text is still being copied: nothing was read yet.
    void EndCopyForReload();
    void OnLoadFinished(CSourceLoader::Outcome outcome, const QString& message);
    void OnReloadFinished(CSourceLoader::Outcome outcome, const QString& message, const CDiskStamp& stamp);

    QPointer<CSourceLoader> m_pLoader;
    // What a background reload puts back if it cannot finish; null otherwise.
    std::shared_ptr<CReload> m_pReload;
    // A background load started and has not put the whole text in yet.
    bool m_bOpenPending = false;
};
