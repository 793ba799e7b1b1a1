#pragma once

#include "framework/CmdTarget.h"
#include "framework/DiskStamp.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class CArchive;
class CDocTemplate;
class CMDIChildWnd;
class CView;
class QFile;

// A document: what is open under one path, shown in one or more child frames.
//
// The framework opens and saves it: OnOpenDocument reads the file and hands
// the bytes to Serialize; OnSaveDocument takes the bytes from Serialize and
// writes them atomically. File errors are reported here with a message box,
// and a failed load or save changes nothing. Closing the last frame of a
// modified document asks whether to save it first.
class CDocument : public QObject, public CCmdTarget
{
    Q_OBJECT
public:
    CDocument();
    ~CDocument() override;

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);
    // Takes bytes kept from an earlier run as the document's unsaved text:
    // loaded as if read from path (which is not read or touched) and marked
    // modified, so that Save writes them there.
    virtual bool OnRecoverDocument(const QString& path, const QByteArray& bytes);
    virtual void OnCloseDocument();
    virtual void Serialize(CArchive& ar);
    // The bytes Serialize would store, as a job that may run on another
    // thread: whatever it needs from the document is taken in this call.
    // Empty when the document cannot be stored. The default stores now.
    virtual std::function<QByteArray()> StoreLater();
    virtual void DeleteContents() {}

    virtual void SetPathName(const QString& path, bool addToRecentList = true);
    QString GetPathName() const { return m_strPathName; }
    virtual void SetTitle(const QString& title);
    QString GetTitle() const { return m_strTitle; }

    virtual bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified = true);

    // Asks "Save changes to ...?" when modified; false when the user
    // cancelled or the save failed.
    virtual bool SaveModified();
    // Save: under the current path, or through Save As when there is none.
    bool DoFileSave();
    // The path was given to a new document, not read from: until its first
    // save, a file already there is replaced only after asking.
    void SetPathNotYetWritten() { m_bPathNotYetWritten = true; }
    // True while a save under the current path must ask before it replaces
    // the file there.
    bool IsPathNotYetWritten() const { return m_bPathNotYetWritten; }
    // The file as this document last read or wrote it; null for a document
    // that has not touched its file yet.
    CDiskStamp DiskStamp() const { return m_diskStamp; }
    void SetDiskStamp(const CDiskStamp& stamp) { m_diskStamp = stamp; }
    // The change on disk the user already dealt with (kept their text, or
    // was told the file is gone), so that the same change is not raised
    // again; null when there is none.
    CDiskStamp SettledDiskStamp() const { return m_settledDiskStamp; }
    void SetSettledDiskStamp(const CDiskStamp& stamp) { m_settledDiskStamp = stamp; }
    // True when the file's changes by other programs concern this document:
    // it shows the file's contents and can read them again, and Save asks
    // before it replaces a file another program changed.
    virtual bool FollowsFileOnDisk() const { return false; }
    // Reads the file again after another program changed it; false (the user
    // was told why) leaves the document as it was.
    virtual bool ReloadFromDisk();
    // The program itself moved or renamed the file to path: the document
    // stands for path now, as after a Save As but without writing, keeps
    // its unsaved changes, and takes the file there as the one it last read.
    void FollowMovedFile(const QString& path);
    // True when the file under the document's path is no longer the one it
    // last read or wrote: another program replaced or rewrote it.
    bool IsChangedOnDisk() const;
    // Save As when path is empty; otherwise save under path.
    bool DoSave(const QString& path, bool replacePath = true);

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    QList<CMDIChildWnd*> Frames() const;
    CView* GetFirstView() const;

    void AddFrame(CMDIChildWnd* frame);
    // A frame of this document was destroyed; the document closes with its
    // last frame.
    void OnFrameDestroyed(CMDIChildWnd* frame);
    // True when the frame may close: it is not the last one, or the user
    // agreed to what happens to the unsaved changes.
    bool CanCloseFrame(CMDIChildWnd* frame);

    // The folder Save As dialogs start in for documents that have no path yet.
    static void SetDefaultDirectory(const QString& folder);

signals:
    void titleChanged();
    void modifiedChanged(bool modified);
    // The document now stands for path; addToRecentList asks for it to be
    // remembered among the recent files.
    void pathNameChanged(const QString& path, bool addToRecentList);
    // The open of path had been reported done, but its text never all came
    // in (a read that went on afterwards failed or was cancelled): the file
    // should not stay among the recent files.
    void openAbandoned(const QString& path);
    // The document became the file the user works on now.
    void currentFileChanged(const QString& path);
    // The contents were edited (typing, undo, redo); the modified flag may
    // not change with it. Emitted by the documents that hold editable text.
    void contentsEdited();
    // The document was written to path: views of its folder show the file.
    void fileSaved(const QString& path);

protected:
    // Another document that keeps its file in step with the disk and stands
    // for path; null when none does. Saving over its file would leave two
    // windows on one file, each overwriting the other.
    const CDocument* OtherDocumentAt(const QString& path) const;
    // Shows a file error in the framework's message box.
    void ReportError(const QString& message) const;
    // Opens path for reading when it is a regular file that can be read;
    // otherwise says why once and returns false.
    bool OpenForReading(const QString& path, QFile& file) const;
    // The folder a Save As dialog opens in.
    virtual QString SaveAsDirectory() const;

private:
    friend class CDocTemplate;
    CDocTemplate* m_pDocTemplate = nullptr;
    QList<QPointer<CMDIChildWnd>> m_frames;
    QString m_strPathName;
    QString m_strTitle;
    bool m_bModified = false;
    bool m_bClosing = false;
    bool m_bPathNotYetWritten = false;
    CDiskStamp m_diskStamp;
    CDiskStamp m_settledDiskStamp;
};
