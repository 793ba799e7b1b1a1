#pragma once

#include "browser/CaretElement.h"

#include <QPointF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CBrowserEngine;
class QLabel;

// The live preview: the web engine showing one page's current text, unsaved,
// with the rest of its site from disk. Nothing is written for it: the page
// is served from memory through the preview scheme, and only files of the
// page's site are served at all (see CPreviewSite).
//
// Each ShowPage renders the page anew at the same scroll position. A page
// larger than kMaxPageCharacters is not rendered; the view says so instead.
// The page's script dialogs never open a box: they would take the keys from
// the editor on every render.
class CLivePreviewView : public QWidget
{
    Q_OBJECT
public:
    // 5 million characters: 5 MB of plain text and more in the engine.
    static constexpr qsizetype kMaxPageCharacters = 5 * 1000 * 1000;

    struct Services
    {
        // The text of a file open in an editor, as saving it would write it;
        // nothing for a file no editor holds.
        std::function<std::optional<QByteArray>(const QString& path)> openText;
        // The open project's folder; empty while there is none.
        std::function<QString()> projectFolder;
    };

    explicit CLivePreviewView(Services services, QWidget* parent = nullptr);
    ~CLivePreviewView() override;

    // False when the engine could not start; the view then says why.
    bool HasEngine() const { return m_pEngine != nullptr; }

    // Renders the page at path from its editor's text; characters is the
    // text's length, measured before anything is copied.
    void ShowPage(const QString& path, qsizetype characters);
    // Shows nothing.
    void Clear();
    QString PagePath() const { return m_strPagePath; }
    // The style sheet at path changed in its editor: the page shown takes
    // its new text where it links it, without being loaded again.
    void ReloadStyleSheet(const QString& path);
    // Scrolls the element into view, once the page is there.
    void Reveal(const CCaretElement& element);
    // The text shown instead of a page; empty while a page shows.
    QString Message() const;

    // Runs a script in the page's document, in a world of its own.
    void RunScript(const QString& script, std::function<void(const QVariant&)> done = {});

    // The preview scheme's answer for url: a file of the page's site, from
    // its editor when one holds it, else from disk.
    bool Serve(const QUrl& url, QByteArray* body, QByteArray* mimeType) const;

signals:
    // A render of the page's text was asked of the engine.
    void renderRequested();
    // A render finished loading (ok false when the engine gave up on it).
    void rendered(bool ok);

private:
    void CreateEngine();
    void OnLoadFinished(bool ok);
    void ShowMessage(const QString& text);

    Services m_services;
    std::unique_ptr<CBrowserEngine> m_pEngine;
    QLabel* m_pMessage = nullptr;
    QString m_strPagePath;
    QString m_strSiteRoot;
    // Where the next render scrolls to once loaded.
    QPointF m_restoreScroll;
    // The element to reveal once the render under way has loaded.
    CCaretElement m_pendingReveal;
};
