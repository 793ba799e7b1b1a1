#include "PreviewSchemeHandler.h"

#include "browser/BrowserEngine.h"

#include <QBuffer>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {
CPreviewSchemeHandler::Server g_server;
const void* g_serverOwner = nullptr;
} // namespace

void CPreviewSchemeHandler::RegisterScheme()
{
    static bool registered = false;
    if (std::exchange(registered, true))
        return;
    // Path syntax: relative addresses in a page resolve as they would in a
    // file:// page of the same folder. No flag grants local file access;
    // the scheme is not a secure one, so a page's http:// pictures and
    // style sheets still load.
    QWebEngineUrlScheme scheme(CBrowserEngine::kPreviewScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void CPreviewSchemeHandler::InstallOnDefaultProfile()
{
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    if (profile->urlSchemeHandler(CBrowserEngine::kPreviewScheme))
        return;
    // Lives as long as the profile, which lives as long as the process.
    profile->installUrlSchemeHandler(CBrowserEngine::kPreviewScheme, new CPreviewSchemeHandler(profile));
}

void CPreviewSchemeHandler::SetServer(const void* owner, Server server)
{
    g_server = std::move(server);
    g_serverOwner = owner;
}

void CPreviewSchemeHandler::ClearServer(const void* owner)
{
    if (g_serverOwner != owner)
        return;
    g_server = nullptr;
    g_serverOwner = nullptr;
}

void CPreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    if (job->requestMethod() != QByteArrayLiteral("GET") || !g_server) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    QByteArray body;
    QByteArray mimeType;
    if (!g_server(job->requestUrl(), &body, &mimeType)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(body);
    job->reply(mimeType, buffer);
}
