// Scripts find widgets by identifiers and names they hold as text, and the identifiers themselves are
// made from the texts that the driven windows show. Any shown text must give an identifier that finds
// its widget again, and any looked-up text must find nothing or a widget that carries it.

#include "scripting/automation/ClassAliases.h"
#include "scripting/automation/WidgetFinder.h"
#include "scripting/automation/WidgetIds.h"

#include <QApplication>
#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMap>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdint>
#include <cstdlib>

namespace {

// Made once and never destroyed: the process ends with the fuzzer, and a static destructor
// would run after Qt's own globals are gone.
QApplication *s_application = nullptr;
QWidget *s_window = nullptr;
QLabel *s_label = nullptr;
QPushButton *s_button = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    s_application = new QApplication(*argc, *argv);
    s_window = new QWidget;
    s_window->setObjectName(QStringLiteral("main"));
    auto *layout = new QVBoxLayout(s_window);
    s_label = new QLabel;
    s_button = new QPushButton;
    layout->addWidget(s_label);
    layout->addWidget(s_button);
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QPushButton(QStringLiteral("OK")));
    QMMistlark::initClassAliases();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first line is what the window shows, the rest what a script looks for.
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const int lineEnd = input.indexOf(QLatin1Char('\n'));
    const QString shown = lineEnd < 0 ? input : input.left(lineEnd);
    const QString sought = lineEnd < 0 ? input : input.mid(lineEnd + 1);

    // Each input starts from the same window: labelling takes the tool tips shown now into the identifiers,
    // so that those of the inputs before would grow into every later one.
    const QList<QWidget *> widgets = s_window->findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        widget->setToolTip(QString());
    s_label->setText(shown);
    s_button->setText(shown);
    s_button->setObjectName(shown);
    s_label->setToolTip(sought);
    QMMistlark::labelSubtree(s_window);

    using QMMistlark::WidgetFinder;
    QObject *found = WidgetFinder::getSubWidgetByToolTip(s_window, s_label->toolTip());
    if (!found || qobject_cast<QWidget *>(found)->toolTip() != s_label->toolTip())
        std::abort();
    if (QObject *byTip = WidgetFinder::getWidgetByToolTip(sought)) {
        if (qobject_cast<QWidget *>(byTip)->toolTip() != sought)
            std::abort();
    }
    WidgetFinder::getSubWidgetByToolTip(s_window, sought);
    WidgetFinder::getWidgetByObjectName(sought);
    WidgetFinder::getWidgetByClassName(sought);
    WidgetFinder::getSubWidgetByInheritClassName(s_window, sought);
    WidgetFinder::parentByClassName(s_label, sought);
    QMMistlark::classAlias(sought);

    QMap<QWidget *, QString> tips;
    tips.insert(s_label, sought);
    QMMistlark::widgetPathId(s_label, tips);
    return 0;
}
