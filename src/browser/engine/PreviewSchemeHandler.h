#pragma once

#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

#include <functional>

// Serves the addresses of the live preview's scheme from the program: the
// page's unsaved text from memory and the rest of its site from disk, each
// request answered (or refused) by the one server the program set.
//
// The scheme must be known to the engine before its first profile exists,
// so RegisterScheme runs before the module makes its first view.
class CPreviewSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT
public:
    using Server = std::function<bool(const QUrl& url, QByteArray* body, QByteArray* mimeType)>;

    // Registers the scheme (once) and installs the handler on the default
    // profile (once). Call before the first view is made.
    static void RegisterScheme();
    static void InstallOnDefaultProfile();
    // The server that answers from now on; an empty one refuses everything.
    // owner names who set it, so that an engine going away clears only its own.
    static void SetServer(const void* owner, Server server);
    static void ClearServer(const void* owner);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
};
