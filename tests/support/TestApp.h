#pragma once

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace QMWidgets { class App; }

// The application object of a test executable, made once, with a temporary home of its own:
// HOME and the XDG folders point into it before the settings store is created.
class TestApp
{
public:
    TestApp(int &argc, char **argv);
    ~TestApp();

    static QString homePath();

private:
    QTemporaryDir m_home;
    std::unique_ptr<QMWidgets::App> m_app;
};

#define TARSEL_APP_TEST_MAIN(TestClass)              \
    int main(int argc, char **argv)                  \
    {                                                \
        TestApp app(argc, argv);                     \
        TestClass test;                              \
        return QTest::qExec(&test, argc, argv);      \
    }
