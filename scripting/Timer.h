#pragma once

#include <QTimer>

namespace QMMistlark {

// The timer that createTimer and singleShotTimer hand to scripts: it fires once per start().
class Timer : public QTimer
{
    Q_OBJECT

public:
    explicit Timer(QObject *parent = nullptr);
};

} // namespace QMMistlark
