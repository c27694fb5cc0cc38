#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace QMMistlark {

// The constants that the automation functions take, published to scripts as "Qt".
// The getters are private slots so that scripts see the read-only properties and not the getters.
class QtDefs : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int NoButton READ noButton DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int LeftButton READ leftButton DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int RightButton READ rightButton DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int MiddleButton READ middleButton DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int ShiftModifier READ shiftModifier DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int MetaModifier READ metaModifier DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int ControlModifier READ controlModifier DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int AltModifier READ altModifier DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int Key_Enter READ keyEnter DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int Key_Space READ keySpace DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit QtDefs(QObject *parent = nullptr);

public slots:
    // Scripts call Qt.QLabel("text") and Qt.QLabel(); the label has no parent and nothing deletes it.
    QWidget *QLabel(const QString &str = QString());

private slots:
    int noButton();
    int leftButton();
    int rightButton();
    int middleButton();
    int shiftModifier();
    int metaModifier();
    int controlModifier();
    int altModifier();
    int keyEnter();
    int keySpace();
};

} // namespace QMMistlark
