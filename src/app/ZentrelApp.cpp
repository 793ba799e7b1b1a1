#include "app/ZentrelApp.h"

CZentrelApp::CZentrelApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

CZentrelApp::~CZentrelApp() = default;

CZentrelApp* ZtApp()
{
    return static_cast<CZentrelApp*>(QCoreApplication::instance());
}
