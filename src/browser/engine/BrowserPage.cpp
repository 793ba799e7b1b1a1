#include "BrowserPage.h"

CBrowserPage::CBrowserPage(DialogHandler showDialog, QObject* parent)
    : QWebEnginePage(parent)
    , m_showDialog(std::move(showDialog))
{
    connect(this, &QWebEnginePage::loadStarted, this, [this] { m_nDialogsShown = 0; });
}

bool CBrowserPage::MayShowDialog()
{
    return m_showDialog && ++m_nDialogsShown <= kMaxDialogsPerLoad;
}

void CBrowserPage::javaScriptAlert(const QUrl&, const QString& text)
{
    if (MayShowDialog())
        m_showDialog(text, false);
}

bool CBrowserPage::javaScriptConfirm(const QUrl&, const QString& text)
{
    return MayShowDialog() && m_showDialog(text, true);
}

bool CBrowserPage::javaScriptPrompt(const QUrl& securityOrigin, const QString& text, const QString& defaultValue,
                                    QString* result)
{
    return MayShowDialog() && QWebEnginePage::javaScriptPrompt(securityOrigin, text, defaultValue, result);
}
