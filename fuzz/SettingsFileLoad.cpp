// Any bytes are a possible settings file: reading them as the Load does and handing the elements to the pages
// must neither crash, nor hang, nor reach a page whose name differs from the element's tag.

#include "QMWidgets/dialogs/SettingsDialog.h"
#include "QMWidgets/dialogs/SettingsWidget.h"

#include <QApplication>
#include <QDomDocument>

#include <cstdint>
#include <cstdlib>

namespace {
class Page : public QMWidgets::SettingsWidget
{
public:
    explicit Page(const QString &name)
        : m_name(name)
    {
    }

    void load(QDomNode node) override
    {
        const QDomElement element = node.toElement();
        if (element.tagName() != m_name)
            std::abort();
        // Read what a page would: attributes and the text of its children.
        m_seen += element.attribute(QStringLiteral("value")).size();
        for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
            m_seen += child.toElement().text().size();
    }
    QDomElement save(QDomDocument &document) override { return document.createElement(m_name); }
    QString name() const override { return m_name; }

private:
    QString m_name;
    int m_seen = 0;
};
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    static Page colour(QStringLiteral("Colour"));
    static Page size(QStringLiteral("Size"));
    QMWidgets::SettingsDialog::registerSettingsWidget(QStringLiteral("Colour"), &colour);
    QMWidgets::SettingsDialog::registerSettingsWidget(QStringLiteral("Size"), &size);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QDomDocument document;
    if (!QMWidgets::SettingsDialog::parseSettings(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)),
                                                  &document))
        return 0;
    QMWidgets::SettingsDialog::loadSettings(document.documentElement());
    return 0;
}
