#pragma once

#include <QWebEngineUrlRequestInterceptor>

#include <functional>

class QWebEnginePage;

// Keeps a page to its own site: every request the page makes for itself (a
// picture, a style sheet, a script's read, a frame) is put to the program's
// rule with the page's address, and blocked when the rule says no. What the
// window itself opens (a link followed, an address loaded) is not a request
// of the page's and always goes through.
class CSiteRequestInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using Rule = std::function<bool(const QUrl& url, const QUrl& pageUrl)>;

    CSiteRequestInterceptor(QWebEnginePage* page, Rule mayLoad);

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    QWebEnginePage* m_pPage;
    Rule m_mayLoad;
};
