#pragma once

#include <QLabel>

#include <memory>

class QMovie;

namespace QMWidgets {

// A translucent frameless window that stays on top, with a message and the loading animation, which
// runs from construction on.
class WaitLabel : public QLabel
{
    Q_OBJECT

public:
    explicit WaitLabel(const QString &text, QWidget *parent = nullptr);
    ~WaitLabel() override;

private:
    std::unique_ptr<QMovie> m_movie;
};

} // namespace QMWidgets
