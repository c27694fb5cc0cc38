#include "QMWidgets/dialogs/SettingsDialog.h"

#include "MTools/FileReading.h"
#include "MTools/FileWriting.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/BodyScrollArea.h"
#include "QMWidgets/app/FileDialog.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "QMWidgets/dialogs/SettingsWidget.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QHBoxLayout>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QXmlStreamReader>

namespace QMWidgets {

namespace {
const QString Extension = QStringLiteral(".qvsettings");
// Bounds of what a settings file holds: a document built from anything larger or deeper could exhaust
// the stack or the memory.
const qint64 MaxSettingsFileSize = MTools::SmallFileBound;
const int MaxSettingsDepth = 64;

// Made on first use and released at exit; pages that outlive it (static ones) must not reach it then.
struct Registry
{
    QMap<QString, SettingsWidget *> map;
    QStringList order;
    static bool released;
    ~Registry() { released = true; }
};
bool Registry::released = false;

Registry &registry()
{
    static Registry instance;
    return instance;
}

QMap<QString, SettingsWidget *> &pageMap()
{
    return registry().map;
}

QStringList &pageOrder()
{
    return registry().order;
}

QString openDirectory()
{
    App *app = App::instance();
    return app ? app->openDirectory() : QString();
}

QString saveDirectory()
{
    App *app = App::instance();
    return app ? app->saveDirectory() : QString();
}
}

SettingsDialog::SettingsDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::applicationName() + tr(" Settings"));
    // The size a new window opens at, made the dialog's own: the pages come only as it shows.
    resize(640, 480);
}

SettingsDialog::~SettingsDialog()
{
    // The pages are not ours: each one still shown here goes back before the dialog's children are deleted,
    // whether or not the registry still names it.
    for (const HeldPage &held : qAsConst(m_held)) {
        if (held.page && isAncestorOf(held.page)) {
            held.page->hide();
            held.page->setParent(held.home);
        }
    }
}

void SettingsDialog::registerSettingsWidget(const QString &name, SettingsWidget *page)
{
    if (!page)
        return;
    pageMap().insert(name, page);
    pageOrder().append(name);
    QObject::connect(page, &QObject::destroyed, [name, page] {
        if (Registry::released || pageMap().value(name) != page)
            return;
        pageMap().remove(name);
        pageOrder().removeAll(name);
    });
}

void SettingsDialog::showEvent(QShowEvent *event)
{
    if (!m_built) {
        m_built = true;
        m_tabs = new QTabWidget;
        for (const QString &name : pageOrder()) {
            SettingsWidget *page = pageMap().value(name);
            // One widget can be only one tab; a name registered twice shows its page once.
            if (!page || m_tabs->indexOf(page) >= 0)
                continue;
            // A page another dialog shows goes home from here, not to that dialog.
            QPointer<QWidget> home = page->parentWidget();
            if (auto *other = qobject_cast<SettingsDialog *>(page->window())) {
                for (const HeldPage &held : qAsConst(other->m_held))
                    if (held.page == page)
                        home = held.home;
            }
            m_held.append({page, home});
            m_tabs->addTab(page, name);
        }
        auto *ok = new QPushButton(tr("&Ok"));
        auto *apply = new QPushButton(tr("&Apply"));
        auto *cancel = new QPushButton(tr("&Cancel"));
        auto *save = new QPushButton;
        auto *load = new QPushButton;
        setNameAndToolTip(save, QStringLiteral("StorageBrowserSS"), tr("Save the Settings"));
        setNameAndToolTip(load, QStringLiteral("StorageBrowserLS"), tr("Load the Settings"));
        setupPushButton(ok);
        setupPushButton(apply);
        setupPushButton(cancel);
        setupFixedButton(save);
        setupFixedButton(load);
        connect(save, SIGNAL(clicked()), this, SLOT(slotSaveSettings()));
        connect(load, SIGNAL(clicked()), this, SLOT(slotLoadSettings()));
        connect(apply, SIGNAL(clicked()), this, SLOT(slotApply()));
        connect(ok, SIGNAL(clicked()), this, SLOT(slotOk()));
        connect(cancel, SIGNAL(clicked()), this, SLOT(reject()));

        auto *bottom = new QHBoxLayout;
        bottom->setContentsMargins(0, 0, 0, 0);
        bottom->setSpacing(2);
        bottom->addStretch(1);
        bottom->addWidget(ok);
        bottom->addWidget(apply);
        bottom->addWidget(cancel);
        auto *top = new QHBoxLayout;
        top->setContentsMargins(0, 0, 0, 0);
        top->setSpacing(2);
        top->addWidget(save);
        top->addWidget(load);
        top->addStretch(1);
        auto *main = new QVBoxLayout;
        main->setContentsMargins(7, 7, 7, 7);
        main->setSpacing(4);
        main->addLayout(top);
        // On a short screen the pages scroll and the buttons above and below them stay in view.
        main->addWidget(new BodyScrollArea(m_tabs, this), 1);
        main->addLayout(bottom);
        setLayout(main);
        fitDialogIntoScreen(this);
    }
    QDialog::showEvent(event);
}

void SettingsDialog::slotApply()
{
    for (SettingsWidget *page : pageMap())
        if (qobject_cast<SettingsWidget *>(page))
            page->slotApply();
}

void SettingsDialog::slotOk()
{
    slotApply();
    accept();
}

QByteArray SettingsDialog::settingsText()
{
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("Settings"));
    document.appendChild(root);
    for (SettingsWidget *page : pageMap())
        if (qobject_cast<SettingsWidget *>(page))
            root.appendChild(page->save(document));
    // UTF-8 whatever the locale: the file is read back as UTF-8.
    return document.toString(1).toUtf8();
}

void SettingsDialog::slotSaveSettings()
{
    QString fileName = FileDialog::getSaveFileName(this, tr("Save Settings"),
                                                   saveDirectory() + QStringLiteral("/Settings.qvsettings"),
                                                   QStringLiteral("*.qvsettings"), nullptr, {});
    if (fileName.isEmpty())
        return;
    const QByteArray text = settingsText();
    if (!fileName.endsWith(Extension))
        fileName += Extension;
    // All or nothing: a failed write leaves an existing file as it was.
    QString error;
    const bool written = MTools::writeFileSafely(fileName, text, &error);
    if (App *app = App::instance())
        app->setSaveDirectory(fileName);
    if (!written)
        MMessageBox::warning(this, tr("Save Settings"),
                             tr("The settings could not be written to %1: %2.").arg(fileName, error), QMessageBox::Ok);
}

void SettingsDialog::loadSettings(const QDomElement &root)
{
    for (QDomNode child = root.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!child.isElement())
            continue;
        const QString tag = child.toElement().tagName();
        for (SettingsWidget *page : pageMap())
            if (qobject_cast<SettingsWidget *>(page) && page->name() == tag)
                page->load(child);
    }
}

bool SettingsDialog::parseSettings(const QByteArray &text, QDomDocument *document)
{
    if (text.size() > MaxSettingsFileSize)
        return false;
    // The document builder recurses once per nesting level and expands every entity reference in full:
    // a flat pass first refuses what no settings file holds (it has no document-type line).
    QXmlStreamReader reader(text);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            return false;
        case QXmlStreamReader::StartElement:
            if (++depth > MaxSettingsDepth)
                return false;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return false;
    QDomDocument parsed;
    if (!parsed.setContent(text))
        return false;
    *document = parsed;
    return true;
}

void SettingsDialog::slotLoadSettings()
{
    const QString fileName = FileDialog::getOpenFileName(this, tr("Load Settings"),
                                                         openDirectory() + QStringLiteral("/ "),
                                                         QStringLiteral("*.qvsettings"), nullptr, {});
    if (fileName.isEmpty())
        return;
    QByteArray bytes;
    QString error;
    QDomDocument document;
    const bool read = MTools::readFileBounded(fileName, MaxSettingsFileSize, &bytes, &error);
    const bool parsed = read && parseSettings(bytes, &document);
    if (App *app = App::instance())
        app->setOpenDirectory(fileName);
    if (!parsed) {
        const QString message = read ? tr("The settings could not be read from %1.").arg(fileName)
                                     : tr("The settings could not be read from %1: %2.").arg(fileName, error);
        MMessageBox::warning(this, tr("Load Settings"), message, QMessageBox::Ok);
        return;
    }
    loadSettings(document.documentElement());
}

} // namespace QMWidgets
