#include "QMWidgets/app/TranslationsManager.h"

#include "QMWidgets/app/App.h"

#include <QLocale>
#include <QTranslator>

namespace QMWidgets {

namespace {

// Tested in this order: a value naming two codes takes the earlier one.
static const char *const kSupportedLanguages[] = {
    "de", "ru", "fr", "nl", "it", "pt", "es", "ko", "ja", "zh_CN", "zh_TW", "hi", "ar",
};

TranslationsManager *s_instance = nullptr;

} // namespace

TranslationsManager *TranslationsManager::instance()
{
    if (!s_instance)
        s_instance = new TranslationsManager;
    return s_instance;
}

TranslationsManager::TranslationsManager()
    : m_qtTranslator(new QTranslator(this))
    , m_libsTranslator(new QTranslator(this))
    , m_appTranslator(new QTranslator(this))
{
    const QString stored = App::instance()->value(QStringLiteral("Language"), QLocale::system().name()).toString();
    setLanguage(supportedLanguage(stored));
}

QString TranslationsManager::supportedLanguage(const QString &value)
{
    for (const char *code : kSupportedLanguages) {
        if (value.contains(QLatin1String(code)))
            return QString::fromLatin1(code);
    }
    return QStringLiteral("en");
}

void TranslationsManager::setLanguage(const QString &code)
{
    QCoreApplication::removeTranslator(m_qtTranslator);
    QCoreApplication::removeTranslator(m_libsTranslator);
    QCoreApplication::removeTranslator(m_appTranslator);

    if (code != QLatin1String("en")) {
        // A missing file leaves its translator empty; it is installed all the same.
        m_qtTranslator->load(QStringLiteral(":/") + m_qtPrefix + QStringLiteral("Translations/qt_") + code);
        m_libsTranslator->load(QStringLiteral(":/") + m_libsPrefix + QStringLiteral("/Translations/libs_") + code);
        m_appTranslator->load(QStringLiteral(":/") + m_appPrefix + QStringLiteral("Translations/")
                              + QCoreApplication::applicationName() + '_' + code);
        QCoreApplication::installTranslator(m_qtTranslator);
        QCoreApplication::installTranslator(m_libsTranslator);
        QCoreApplication::installTranslator(m_appTranslator);
    }

    m_language = code;
    QGuiApplication::setLayoutDirection(code == QLatin1String("ar") ? Qt::RightToLeft : Qt::LeftToRight);
    App::instance()->setValue(QStringLiteral("Language"), code);
    App::instance()->setLanguage(code);
}

QString TranslationsManager::language() const
{
    return m_language;
}

void TranslationsManager::setQtPrefix(const QString &prefix)
{
    m_qtPrefix = prefix;
}

void TranslationsManager::setLibsPrefix(const QString &prefix)
{
    m_libsPrefix = prefix;
}

void TranslationsManager::setAppPrefix(const QString &prefix)
{
    m_appPrefix = prefix;
}

void TranslationsManager::reload()
{
    const QString code = m_language;
    setLanguage(code);
}

} // namespace QMWidgets
