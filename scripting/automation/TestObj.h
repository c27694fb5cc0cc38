#pragma once

#include <QObject>
#include <QString>

namespace QMMistlark {

// Published to scripts as "Test". A placeholder test interface: the checks do nothing and the signal
// is never emitted, so scripts written for a test harness still run here.
class TestObj : public QObject
{
    Q_OBJECT

public:
    explicit TestObj(QObject *parent = nullptr);

signals:
    void testOutput(const QString &text);

public slots:
    void compare(const QString &actual, const QString &expected);
    void compare(bool actual, bool expected);
    void compare(int actual, int expected);
    void verify(bool condition);
};

} // namespace QMMistlark
