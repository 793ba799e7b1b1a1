#pragma once

#include "framework/SizeControlBar.h"
#include "projects/FileListCtrl.h"

#include <QString>

// The "List Bar": the file list of one folder. It remembers the folder it
// shows; when the list gets the keyboard focus while the folder last
// selected in a tree is another one, it shows that folder instead. It also
// keeps the extension filter: one more extension that Show in Browser
// takes for a page.
class CListBar : public CSizeControlBar
{
    Q_OBJECT
public:
    static constexpr int kListControlId = 32772;
    static constexpr int kDockedInset = 4;

    explicit CListBar(QWidget* parent = nullptr);

    CFileListCtrl* List() const { return m_pList; }

    QString Folder() const { return m_strFolder; }
    // Makes folder the bar's folder and lists it.
    void ShowFolder(const QString& folder);
    // A file this program wrote: when it lies in the folder shown, the
    // list shows it at once.
    void ShowSavedFile(const QString& path);
    // The folder last selected in a tree. While the list is out of sight it
    // is not listed at once; the list shows it when it gets the focus.
    void SetSelectedFolder(const QString& folder) { m_strSelectedFolder = folder; }

    QString ExtensionFilter() const { return m_strExtensionFilter; }
    void SetExtensionFilter(const QString& filter) { m_strExtensionFilter = filter; }

signals:
    // The folder changed; the list is filling itself from it.
    void folderChanged(const QString& folder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnListFocused();

    CFileListCtrl* m_pList;
    QString m_strFolder;
    QString m_strSelectedFolder;
    QString m_strExtensionFilter;
};
