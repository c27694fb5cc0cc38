#pragma once

#include <QObject>

namespace QMMistlark {

// The event types that sendEvent takes, published to scripts as "QEvent". Getters are private slots,
// as in QtDefs, so scripts see only the read-only properties.
class QEventDefs : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int None READ none DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int Close READ close DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int Hide READ hide DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int Show READ show DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int Move READ move DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int MouseButtonPress READ mouseButtonPress DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int MouseButtonRelease READ mouseButtonRelease DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int MouseButtonDblClick READ mouseButtonDblClick DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit QEventDefs(QObject *parent = nullptr);

private slots:
    int none();
    int close();
    int hide();
    int show();
    int move();
    int mouseButtonPress();
    int mouseButtonRelease();
    int mouseButtonDblClick();
};

} // namespace QMMistlark
