#pragma once

#include "framework/DocStrings.h"
#include "framework/OpenRequest.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class CDocument;
class CMDIChildWnd;
class CMDIFrameWnd;
class CView;

// A document type: which document, child frame and view classes belong
// together, and the names of the type (CDocStrings, read from its
// seven-field resource string).
//
// The template owns its open documents. Opening a file makes the document,
// its frame and view first, then loads the file into them, as the editor's
// documents keep their text in the view. Each new document is announced
// with documentCreated before anything is loaded, so that a listener can
// connect to its signals.
class CDocTemplate : public QObject
{
    Q_OBJECT
public:
    enum Confidence {
        noAttempt = 0,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen,
    };

    using DocumentFactory = std::function<CDocument*()>;
    using FrameFactory = std::function<CMDIChildWnd*()>;
    using ViewFactory = std::function<CView*()>;

    CDocTemplate(int resourceId, const QString& resourceString, DocumentFactory makeDocument,
                 FrameFactory makeFrame, ViewFactory makeView);
    ~CDocTemplate() override;

    // The main window new frames are added to; none in tests of a document alone.
    void SetMainFrame(CMDIFrameWnd* mainFrame) { m_pMainFrame = mainFrame; }

    int GetResourceId() const { return m_nResourceId; }
    const CDocStrings& Strings() const { return m_strings; }

    // How well this type fits path; alreadyOpen receives the document when
    // the path is open already.
    Confidence MatchDocType(const QString& path, CDocument** alreadyOpen) const;

    // Opens path, or a new untitled document when path is empty. Returns
    // null when the file could not be loaded (the user was told why).
    CDocument* OpenDocumentFile(const QString& path, bool makeVisible = true);
    // Opens what the request names, with the window it asks for.
    CDocument* OpenDocumentFile(const COpenRequest& request);

    QList<CDocument*> Documents() const { return m_documents; }
    CDocument* FirstDocument() const { return m_documents.value(0); }
    // Saves (after asking) every modified document; false when cancelled.
    bool SaveAllModified();
    void CloseAllDocuments();

    void RemoveDocument(CDocument* document);

    // The program moved from to to: every open document that follows its
    // file and lies at from, or below it when from is a folder, moves along.
    void FollowMovedPath(const QString& from, const QString& to);

signals:
    void documentCreated(CDocument* document);

private:
    CMDIChildWnd* CreateNewFrame(CDocument* document);
    void SetDefaultTitle(CDocument* document);

    int m_nResourceId;
    CDocStrings m_strings;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    QList<CDocument*> m_documents;
    CMDIFrameWnd* m_pMainFrame = nullptr;
    int m_nUntitledCount = 0;
};
