#pragma once

#include <QObject>

namespace QMMistlark {

// An event filter that lets every event through unchanged.
class EditorFilter : public QObject
{
    Q_OBJECT

public:
    explicit EditorFilter(QObject *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace QMMistlark
