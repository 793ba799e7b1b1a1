#pragma once
// Shared main() for the QtTest programs.
//
// Every test process gets fresh HOME and XDG directories before Qt starts, so
// that the profile, Qt's own state files and Mesa caches of one test never leak
// into the next. ZT_TEST_MAIN runs a test in a plain QApplication with the
// program's profile; tests of the whole program use ZT_APP_TEST_MAIN
// (support/AppTestMain.h), which runs them in the real application object.

#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

namespace ZtTest {
// Points HOME and the XDG directories at a new temporary directory that lives
// until the process ends. Returns that directory.
QString IsolateEnvironment();
// Runs the test object made by makeTest inside a QApplication whose profile
// is the isolated one; the object is made after the application, so it may
// own widgets.
int RunWithApp(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest);
// Runs a test object inside an application object that makeApp has made.
int RunInApp(QApplication* app, int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest);
// The directory the isolated environment was created in.
QString SandboxDir();
}

#define ZT_TEST_MAIN(TestClass)                                   \
    int main(int argc, char** argv)                               \
    {                                                             \
        ZtTest::IsolateEnvironment();                             \
        return ZtTest::RunWithApp(argc, argv, [] {                \
            return std::unique_ptr<QObject>(new TestClass);       \
        });                                                       \
    }
