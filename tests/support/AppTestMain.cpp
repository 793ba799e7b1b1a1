#include "support/AppTestMain.h"

#include "app/ZentrelApp.h"

namespace ZtTest {

int RunWithZentrelApp(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest)
{
    CZentrelApp app(argc, argv);
    return RunInApp(&app, argc, argv, makeTest);
}

} // namespace ZtTest
