#pragma once

// What the tests of the application object share: a fresh application in a home of its own for each test.

#include "QMWidgets/app/App.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

namespace AppTest {

// The command line that the applications of the tests are made with.
extern int s_argc;
extern char *s_argv[];

// Each test makes its own application object in a home of its own, so construction itself is under test.
class FreshAppTest : public QObject
{
    Q_OBJECT

protected slots:
    void init();
    void cleanup();

protected:
    QMWidgets::App *makeApp();

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QMWidgets::App> m_app;
};

} // namespace AppTest
