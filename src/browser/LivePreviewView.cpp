#include "browser/LivePreviewView.h"

#include "browser/BrowserEngine.h"
#include "browser/BrowserView.h"
#include "browser/PreviewSite.h"
#include "framework/FocusKeeper.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QMimeDatabase>
#include <QVBoxLayout>

namespace {

// A JavaScript string literal of text.
QString ScriptString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

CLivePreviewView::CLivePreviewView(Services services, QWidget* parent)
    : QWidget(parent)
    , m_services(std::move(services))
{
    setObjectName(QStringLiteral("LivePreviewView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pMessage = new QLabel(this);
    m_pMessage->setAlignment(Qt::AlignCenter);
    m_pMessage->setWordWrap(true);
    m_pMessage->hide();
    layout->addWidget(m_pMessage);
    const QString problem = CBrowserView::StartProblem();
    if (problem.isEmpty())
        CreateEngine();
    else
        ShowMessage(problem);
    if (m_pEngine)
        layout->addWidget(m_pEngine->Widget(), 1);
    // The keys stay with the editor being typed in while pages render here.
    new CFocusKeeper(this);
}

CLivePreviewView::~CLivePreviewView()
{
    // The engine's widget sits in our layout: it goes with the engine.
    m_pEngine.reset();
}

void CLivePreviewView::CreateEngine()
{
    CBrowserEngine::Callbacks callbacks;
    callbacks.loadFinished = [this](bool ok) { OnLoadFinished(ok); };
    callbacks.scriptDialog = [](const QString&, bool) { return false; };
    callbacks.mayLoad = [this](const QUrl& url, const QUrl& pageUrl) {
        return CPreviewSite::MayLoad(url, pageUrl, m_services.projectFolder ? m_services.projectFolder() : QString());
    };
    callbacks.servePreview = [this](const QUrl& url, QByteArray* body, QByteArray* mimeType) {
        return Serve(url, body, mimeType);
    };
    QString error;
    m_pEngine = CBrowserEngine::Create(callbacks, &error);
    if (!m_pEngine)
        ShowMessage(tr("The embedded browser cannot start.\n%1").arg(error));
}

void CLivePreviewView::ShowMessage(const QString& text)
{
    m_pMessage->setText(text);
    m_pMessage->setVisible(!text.isEmpty());
    if (m_pEngine)
        m_pEngine->Widget()->setVisible(text.isEmpty());
}

QString CLivePreviewView::Message() const
{
    return m_pMessage->isVisible() ? m_pMessage->text() : QString();
}

void CLivePreviewView::ShowPage(const QString& path, qsizetype characters)
{
    if (!m_pEngine)
        return;
    if (characters > kMaxPageCharacters) {
        Clear();
        ShowMessage(tr("%1 is too large for the live preview: %2 million characters, more than %3 million.")
                        .arg(QFileInfo(path).fileName())
                        .arg(double(characters) / 1e6, 0, 'f', 1)
                        .arg(kMaxPageCharacters / 1000000));
        return;
    }
    ShowMessage(QString());
    // The same page again keeps its place; another starts at its top.
    m_restoreScroll = path == m_strPagePath ? m_pEngine->ScrollPosition() : QPointF();
    m_strPagePath = path;
    m_strSiteRoot = CPreviewSite::SiteRoot(path, m_services.projectFolder ? m_services.projectFolder() : QString());
    m_pEngine->Load(CPreviewSite::PreviewUrl(path));
    emit renderRequested();
}

void CLivePreviewView::Clear()
{
    m_strPagePath.clear();
    m_strSiteRoot.clear();
    m_pendingReveal = {};
    ShowMessage(QString());
    if (m_pEngine)
        m_pEngine->Load(QUrl(QStringLiteral("about:blank")));
}

void CLivePreviewView::OnLoadFinished(bool ok)
{
    if (!m_restoreScroll.isNull())
        RunScript(QStringLiteral("window.scrollTo(%1, %2)").arg(m_restoreScroll.x()).arg(m_restoreScroll.y()));
    if (!m_pendingReveal.tag.isEmpty())
        RunScript(std::exchange(m_pendingReveal, {}).RevealScript());
    emit rendered(ok);
}

void CLivePreviewView::Reveal(const CCaretElement& element)
{
    if (!m_pEngine || m_strPagePath.isEmpty() || element.tag.isEmpty())
        return;
    if (m_pEngine->IsLoading())
        m_pendingReveal = element;
    else
        RunScript(element.RevealScript());
}

void CLivePreviewView::ReloadStyleSheet(const QString& path)
{
    if (!m_pEngine || m_strPagePath.isEmpty() || !CPreviewSite::IsInside(m_strSiteRoot, path))
        return;
    // Each link to the sheet is pointed at a new address of it, so that the
    // engine asks for it again (from its editor) while the page, its scroll
    // and its scripts' state stay.
    RunScript(QStringLiteral("(function(p){var n=0;"
                             "document.querySelectorAll('link[rel~=\"stylesheet\" i]').forEach(function(l){"
                             "var u;try{u=new URL(l.href);}catch(e){return;}"
                             "if(u.protocol!=='%1:')return;"
                             "var q;try{q=decodeURIComponent(u.pathname);}catch(e){return;}"
                             "if(q!==p)return;"
                             "u.search='?zentrel-live='+Date.now();l.href=u.href;++n;});return n;})(%2)")
                  .arg(QString::fromLatin1(CBrowserEngine::kPreviewScheme), ScriptString(path)));
}

void CLivePreviewView::RunScript(const QString& script, std::function<void(const QVariant&)> done)
{
    if (m_pEngine && !script.isEmpty())
        m_pEngine->RunScript(script, std::move(done));
}

bool CLivePreviewView::Serve(const QUrl& url, QByteArray* body, QByteArray* mimeType) const
{
    const QString path = CPreviewSite::PathOfPreviewUrl(url);
    if (m_strSiteRoot.isEmpty() || !CPreviewSite::IsInside(m_strSiteRoot, path))
        return false;
    static const QMimeDatabase mimeTypes;
    *mimeType = mimeTypes.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toLatin1();
    if (m_services.openText) {
        if (std::optional<QByteArray> text = m_services.openText(path)) {
            *body = std::move(*text);
            return true;
        }
    }
    const QFileInfo info(path);
    // Never a pipe or a device: reading one could wait for ever.
    if (!info.isFile() || info.size() > kMaxPageCharacters)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *body = file.readAll();
    return true;
}
