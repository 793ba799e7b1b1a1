#include "browser/BrowserView.h"

#include "browser/BrowserEngine.h"
#include "browser/PreviewSite.h"
#include "framework/BlockingWait.h"
#include "framework/MessageBox.h"
#include "framework/PrinterSetup.h"
#include "res/Accelerators.h"
#include "res/CommandIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include <unistd.h>

using namespace ZtCmd;

CBrowserView::CBrowserView(const QString& initialPath)
    : m_strInitialPath(initialPath)
{
    setObjectName(QStringLiteral("BrowserView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    CreateEngine();
    if (m_pEngine) {
        // The window keeps the focus until the user clicks into the page:
        // inside the page the menus' Alt keys no longer reach the menu bar.
        setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(m_pEngine->Widget());
    } else {
        auto* label = new QLabel(tr("The embedded browser cannot start.\n%1").arg(m_strEngineError), this);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

CBrowserView::~CBrowserView()
{
    // The engine's widget sits in our layout: it goes with the engine, before
    // the layout would delete it a second time.
    m_pEngine.reset();
}

void CBrowserView::CreateEngine()
{
    CBrowserEngine::Callbacks callbacks;
    callbacks.titleChanged = [this](const QString& title) { emit titleChanged(title); };
    callbacks.linkHovered = [this](const QString& url) {
        if (!url.isEmpty())
            emit statusTextChanged(url);
    };
    callbacks.loadFinished = [this](bool ok) { OnLoadFinished(ok); };
    callbacks.scriptDialog = &CBrowserView::ShowScriptDialog;
    callbacks.isProgramKey = [](QKeyCombination key) { return CommandForKey(key) != 0; };
    callbacks.programKeyPressed = [this](QKeyCombination key) { emit commandRequested(CommandForKey(key)); };
    // A page reads files of its own site only; what the user opens in the
    // window is not asked about.
    callbacks.mayLoad = [this](const QUrl& url, const QUrl& pageUrl) {
        return CPreviewSite::MayLoad(url, pageUrl, m_projectFolder ? m_projectFolder() : QString());
    };
    m_pEngine = CBrowserEngine::Create(callbacks, &m_strEngineError);
}

bool CBrowserView::ShowScriptDialog(const QString& text, bool question)
{
    // An alert is not kept for later like the program's own messages: it
    // belongs to a moment of the page, which has moved on by then.
    if (CBlockingWait::IsActive())
        return false;
    if (!question)
        return ZtMessageBox::Show(text) == QMessageBox::Ok;
    return ZtMessageBox::Show(text, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void CBrowserView::OnInitialUpdate()
{
    if (!m_strInitialPath.isEmpty())
        Navigate(m_strInitialPath);
}

void CBrowserView::Navigate(const QString& path)
{
    // Never pasted into a "file://" string: "#", "?" and "%" in a name would
    // turn into a fragment, a query or an escape.
    if (m_pEngine)
        m_pEngine->Load(QUrl::fromLocalFile(path));
}

QString CBrowserView::CurrentPath() const
{
    const QUrl url = m_pEngine ? m_pEngine->Url() : QUrl();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

void CBrowserView::GoBack()
{
    if (m_pEngine)
        m_pEngine->Back();
}

void CBrowserView::GoForward()
{
    if (m_pEngine)
        m_pEngine->Forward();
}

void CBrowserView::OnLoadFinished(bool ok)
{
    const QUrl url = m_pEngine->Url();
    const QString address = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toDisplayString();
    if (!address.isEmpty())
        emit statusTextChanged(address);
    emit loadFinished(ok);
}

void CBrowserView::OnFilePrint()
{
    // The engine prints one page at a time; a second request would be lost.
    if (!m_pEngine || m_bPrinting)
        return;
    QPrinter& printer = CPrinterSetup::Printer();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_bPrinting = true;
    m_pEngine->Print(&printer, [this](bool) { m_bPrinting = false; });
}

void CBrowserView::OnFilePrintPreview()
{
    if (!m_pEngine || m_bPrinting)
        return;
    QPrintPreviewDialog preview(&CPrinterSetup::Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &CBrowserView::PrintAndWait);
    preview.exec();
}

void CBrowserView::PrintAndWait(QPrinter* printer)
{
    // The preview wants its pages drawn before paintRequested returns, while
    // the engine prints in the background.
    QEventLoop loop;
    m_bPrinting = true;
    m_pEngine->Print(printer, [this, &loop](bool) {
        m_bPrinting = false;
        loop.quit();
    });
    loop.exec();
}

int CBrowserView::CommandForKey(QKeyCombination key)
{
    // The main window's table only: the editors' own keys (Ctrl+A, Ctrl+F)
    // keep their meaning in the page.
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers() & ~Qt::KeypadModifier;
    for (const ZtRes::Accelerator& accelerator : ZtRes::Accelerators()) {
        const QKeyCombination keys = accelerator.keys[0];
        if (keys.key() == key.key() && (keys.keyboardModifiers() & ~Qt::KeypadModifier) == modifiers)
            return accelerator.id;
    }
    return 0;
}

QString CBrowserView::SandboxProblem(bool isRoot, const QByteArray& chromiumFlags, bool sandboxDisabled,
                                     const QStringList& arguments)
{
    if (!isRoot || sandboxDisabled || chromiumFlags.split(' ').contains("--no-sandbox"))
        return QString();
    const qsizetype engineArguments = arguments.indexOf(QStringLiteral("--webEngineArgs"));
    if (engineArguments >= 0 && arguments.indexOf(QStringLiteral("--no-sandbox"), engineArguments) > engineArguments)
        return QString();
    return tr("The embedded browser cannot start for the root user while its sandbox is on.\n"
              "Start Zentrel with QTWEBENGINE_CHROMIUM_FLAGS=\"--no-sandbox\" (scripts/run.sh does so for root), "
              "or as another user.");
}

QString CBrowserView::StartProblem()
{
    return SandboxProblem(geteuid() == 0, qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"),
                          qEnvironmentVariableIntValue("QTWEBENGINE_DISABLE_SANDBOX") != 0,
                          QCoreApplication::arguments());
}
