#include "QMWidgets/SettingsDialog.h"

#include "MTools/FileWriting.h"
#include "QMWidgets/App.h"
#include "QMWidgets/FileDialog.h"
#include "QMWidgets/MMessageBox.h"
#include "QMWidgets/SettingsWidget.h"
#include "QMWidgets/StyleHelpers.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QHBoxLayout>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace QMWidgets {

namespace {
const QString Extension = QStringLiteral(".qvsettings");

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
}

SettingsDialog::~SettingsDialog()
{
    if (Registry::released)
        return;
    // The pages outlive the dialog: take back those it still shows before its children go.
    for (SettingsWidget *page : pageMap()) {
        if (page && isAncestorOf(page)) {
            page->hide();
            page->setParent(nullptr);
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
            if (page && m_tabs->indexOf(page) < 0)
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
        main->addWidget(m_tabs);
        main->addLayout(bottom);
        setLayout(main);
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

void SettingsDialog::slotLoadSettings()
{
    const QString fileName = FileDialog::getOpenFileName(this, tr("Load Settings"),
                                                         openDirectory() + QStringLiteral("/ "),
                                                         QStringLiteral("*.qvsettings"), nullptr, {});
    if (fileName.isEmpty())
        return;
    QFile file(fileName);
    QDomDocument document;
    const bool read = file.open(QIODevice::ReadOnly) && document.setContent(&file);
    file.close();
    if (App *app = App::instance())
        app->setOpenDirectory(fileName);
    if (!read) {
        MMessageBox::warning(this, tr("Load Settings"),
                             tr("The settings could not be read from %1.").arg(fileName), QMessageBox::Ok);
        return;
    }
    loadSettings(document.documentElement());
}

} // namespace QMWidgets
