#include "browser/BrowserEngine.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QOpenGLContext>
#include <QStringList>

// Qt GUI's global share context, which the engine draws through.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace {

QOpenGLContext* g_shareContext = nullptr;

void DeleteShareContext()
{
    if (qt_gl_global_share_context() == g_shareContext)
        qt_gl_set_global_share_context(nullptr);
    delete g_shareContext;
    g_shareContext = nullptr;
}

// Qt WebEngine makes the share context itself only when its library is
// loaded before the application object exists. Loaded later, as here, it
// expects to find one when Qt Quick draws through OpenGL (and crashes
// without). The module chooses software drawing; the context stays for the
// case that Qt Quick draws through OpenGL all the same. Creating it may
// fail (no OpenGL offscreen, or with --disable-gpu); the engine then draws
// in software, but it needs the object. Made on the first browse command,
// it never costs the start.
void EnsureShareContext()
{
    if (qt_gl_global_share_context())
        return;
    g_shareContext = new QOpenGLContext;
    g_shareContext->create();
    qt_gl_set_global_share_context(g_shareContext);
    qAddPostRoutine(DeleteShareContext);
}

const QString kModuleName = QStringLiteral("zentrel-browser-engine");

// Beside the program (the build), in the installed library folder, and
// where the build put it (for tests and benchmarks, which run elsewhere).
QStringList ModuleCandidates()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir + QLatin1Char('/') + kModuleName,
            programDir + QStringLiteral("/../lib/zentrel/") + kModuleName,
            QStringLiteral(ZT_BROWSER_ENGINE_BUILD_DIR "/") + kModuleName};
}

ZtCreateBrowserEngineFunction ResolveFactory(QString* error)
{
    static ZtCreateBrowserEngineFunction factory = nullptr;
    if (factory)
        return factory;
    EnsureShareContext();
    QStringList reasons;
    for (const QString& candidate : ModuleCandidates()) {
        if (!QFileInfo::exists(candidate + QStringLiteral(".so")))
            continue;
        // Never unloaded: the engine keeps threads and state for the process.
        QLibrary module(candidate);
        factory = reinterpret_cast<ZtCreateBrowserEngineFunction>(module.resolve("ZtCreateBrowserEngine"));
        if (factory)
            return factory;
        reasons.append(module.errorString());
    }
    if (error)
        *error = reasons.isEmpty() ? QCoreApplication::translate("CBrowserEngine", "%1.so was not found.").arg(kModuleName)
                                   : reasons.join(QLatin1Char('\n'));
    return nullptr;
}

} // namespace

std::unique_ptr<CBrowserEngine> CBrowserEngine::Create(const Callbacks& callbacks, QString* error)
{
    const ZtCreateBrowserEngineFunction factory = ResolveFactory(error);
    return factory ? std::unique_ptr<CBrowserEngine>(factory(callbacks)) : nullptr;
}
