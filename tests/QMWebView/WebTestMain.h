#pragma once

#include "TestHome.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

// The main of a web-view test. Chromium ends the process when it starts as root with its sandbox, and on
// the offscreen platform only the software scene graph can draw; both are set before the application exists.
#define TARSEL_WEB_TEST_MAIN(TestClass)                                 \
    int main(int argc, char **argv)                                     \
    {                                                                   \
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");          \
        qputenv("QT_QUICK_BACKEND", "software");                        \
        QTemporaryDir home;                                             \
        pointHomeAt(home.path());                                       \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);     \
        QApplication app(argc, argv);                                   \
        TestClass test;                                                 \
        return QTest::qExec(&test, argc, argv);                         \
    }
