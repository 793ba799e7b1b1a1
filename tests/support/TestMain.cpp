#include "TestMain.h"

#include "framework/Profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace ZtTest {

namespace {
QTemporaryDir* g_sandbox = nullptr;
}

QString IsolateEnvironment()
{
    if (g_sandbox)
        return g_sandbox->path();
    g_sandbox = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/zentrel-test-XXXXXX"));
    const QString root = g_sandbox->path();
    const char* names[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                           "XDG_STATE_HOME", "XDG_RUNTIME_DIR"};
    const char* dirs[] = {"home", "home/.config", "home/.local/share", "home/.cache", "home/.local/state", "runtime"};
    for (int i = 0; i < 6; ++i) {
        const QString path = root + QLatin1Char('/') + QLatin1String(dirs[i]);
        QDir().mkpath(path);
        qputenv(names[i], QFile::encodeName(path));
    }
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return root;
}

QString SandboxDir()
{
    return IsolateEnvironment();
}

int RunInApp(QApplication* app, int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest)
{
    app->setAttribute(Qt::AA_Use96Dpi, true);
    QTEST_SET_MAIN_SOURCE_PATH
    int result = 0;
    {
        std::unique_ptr<QObject> test = makeTest();
        result = QTest::qExec(test.get(), argc, argv);
    }
    delete g_sandbox;
    g_sandbox = nullptr;
    return result;
}

int RunWithApp(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Zentrel"));
    CProfile profile;
    CProfile::SetInstance(&profile);
    const int result = RunInApp(&app, argc, argv, makeTest);
    CProfile::SetInstance(nullptr);
    return result;
}

} // namespace ZtTest
