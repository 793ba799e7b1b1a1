#include "SiteRequestInterceptor.h"

#include <QWebEnginePage>

CSiteRequestInterceptor::CSiteRequestInterceptor(QWebEnginePage* page, Rule mayLoad)
    : QWebEngineUrlRequestInterceptor(page)
    , m_pPage(page)
    , m_mayLoad(std::move(mayLoad))
{
}

void CSiteRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return;
    // The page shown now, not the request's first party: for a file:// page
    // that one is empty.
    if (!m_mayLoad(info.requestUrl(), m_pPage->url()))
        info.block(true);
}
