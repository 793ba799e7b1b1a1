#pragma once

#include <QKeyCombination>
#include <QPointF>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// The web engine behind the browser view, as the view sees it. The engine
// lives in a module of its own that is loaded on the first browse command:
// linked into the program, its libraries alone cost every start about 26 MB.
//
// The module links Qt only, never the program's libraries (it would get
// copies of their state), so what it must tell goes through these callbacks,
// and the interface has no signals and no meta-object of its own.
class CBrowserEngine
{
public:
    struct Callbacks
    {
        std::function<void(const QString& title)> titleChanged;
        // A link under the mouse (empty when it leaves the link).
        std::function<void(const QString& url)> linkHovered;
        std::function<void(bool ok)> loadFinished;
        // A page script's alert (question false; the answer is ignored) or
        // confirm (question true; true for OK).
        std::function<bool(const QString& text, bool question)> scriptDialog;
        // Whether a key belongs to the program (its accelerators) rather
        // than to the page, which would otherwise take every key it gets.
        std::function<bool(QKeyCombination key)> isProgramKey;
        // Such a key was pressed in the page and no shortcut took it.
        std::function<void(QKeyCombination key)> programKeyPressed;
        // Whether the page shown at pageUrl may load url into itself (a
        // picture, a style sheet, a script's request, a frame). Unset, or for
        // an address that is neither a local file nor the preview scheme's,
        // everything loads; what the user opens in the window itself always
        // does.
        std::function<bool(const QUrl& url, const QUrl& pageUrl)> mayLoad;
        // Answers a request for an address of the preview scheme (see
        // kPreviewScheme) with its bytes and their MIME type; false when it
        // is refused or there is nothing there. The last engine made with
        // this set answers for the whole process.
        std::function<bool(const QUrl& url, QByteArray* body, QByteArray* mimeType)> servePreview;
    };

    // The scheme of the addresses the live preview serves from memory. A
    // module registers it before it makes its first engine.
    static constexpr char kPreviewScheme[] = "zentrel-preview";

    virtual ~CBrowserEngine() = default;

    // The widget that shows the page; the view puts it in its layout.
    virtual QWidget* Widget() = 0;
    virtual void Load(const QUrl& url) = 0;
    virtual QUrl Url() const = 0;
    virtual void Back() = 0;
    virtual void Forward() = 0;
    // Prints the page onto printer in the background; done runs when the
    // engine has finished with the printer.
    virtual void Print(QPrinter* printer, std::function<void(bool ok)> done) = 0;
    // Runs a script in a world of its own beside the page's: it sees the
    // page's document, while the page's scripts neither see nor change it.
    // done, when given, gets the script's value; it never runs while the
    // page's renderer is stuck.
    virtual void RunScript(const QString& script, std::function<void(const QVariant& result)> done = {}) = 0;
    // How far the page is scrolled, in CSS pixels.
    virtual QPointF ScrollPosition() const = 0;
    virtual bool IsLoading() const = 0;

    // Loads the module (once per process) and makes an engine; null, with
    // the reason in error, when the module cannot be found or loaded.
    static std::unique_ptr<CBrowserEngine> Create(const Callbacks& callbacks, QString* error);
};

// The function the module exports.
using ZtCreateBrowserEngineFunction = CBrowserEngine* (*)(const CBrowserEngine::Callbacks& callbacks);
