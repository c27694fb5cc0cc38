#pragma once

#include <QObject>

class QTranslator;

namespace QMWidgets {

// Chooses the user-interface language once per process, installs its translators and sets the
// layout direction. Created by the first language query of the application object.
class TranslationsManager : public QObject
{
    Q_OBJECT

public:
    static TranslationsManager *instance();

    // The first supported code that occurs in the value, else "en".
    static QString supportedLanguage(const QString &value);

    void setLanguage(const QString &code);
    QString language() const;
    void setQtPrefix(const QString &prefix);
    void setLibsPrefix(const QString &prefix);
    void setAppPrefix(const QString &prefix);
    void reload();

private:
    TranslationsManager();

    QTranslator *m_qtTranslator;
    QTranslator *m_libsTranslator;
    QTranslator *m_appTranslator;
    QString m_language;
    QString m_appPrefix;
    QString m_libsPrefix;
    QString m_qtPrefix;
};

} // namespace QMWidgets
