#include "scripting/windows/BatchArea.h"

#include "MTools/FileReading.h"
#include "MTools/FileWriting.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/app/FileDialog.h"
#include "QMWidgets/dialogs/GuardedMessageBox.h"
#include "scripting/editor/Editor.h"

#include <QAction>
#include <QBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTextCodec>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>

namespace QMMistlark {

namespace {

const char listExtension[] = ".jslst";

QMWidgets::App *app()
{
    return QMWidgets::App::instance();
}

} // namespace

BatchArea::BatchArea(Editor *editor, QWidget *parent)
    : QWidget(parent)
    , m_editor(editor)
{
    m_listDirectory = app() ? app()->value(QStringLiteral("path"), QStringLiteral("/tmp/")).toString()
                            : QStringLiteral("/tmp/");

    const QStringList texts = {QStringLiteral("Start"), QStringLiteral("Add JS"), QStringLiteral("Remove JS"),
                               QStringLiteral("Load List"), QStringLiteral("Save List As"),
                               QStringLiteral("Show Output")};
    const char *targets[] = {SLOT(run()), SLOT(addJS()), SLOT(removeJS()), SLOT(loadList()), SLOT(saveListAs()),
                           SLOT(showOutput())};
    QList<QPushButton *> buttons;
    for (int i = 0; i < texts.size(); ++i) {
        auto *button = new QPushButton(texts.at(i));
        connect(button, SIGNAL(clicked()), this, targets[i]);
        buttons << button;
    }

    m_list = new QTreeWidget;
    m_list->setHeaderLabels({QStringLiteral("State"), QStringLiteral("ScriptName")});
    m_list->setSortingEnabled(false);

    for (int key : {int(Qt::Key_Delete), int(Qt::Key_Backspace)}) {
        auto *action = new QAction(this);
        action->setShortcut(QKeySequence(key));
        connect(action, SIGNAL(triggered()), this, SLOT(removeJSOnKey()));
        addAction(action);
    }
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &BatchArea::itemDoubleClicked);

    loadBatchFiles();

    auto *row = new QHBoxLayout;
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    for (QPushButton *button : buttons)
        row->addWidget(button);
    auto *column = new QVBoxLayout;
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    column->addLayout(row);
    column->addWidget(m_list);
    setLayout(column);
}

bool BatchArea::isBatchRunning() const
{
    return m_batchRunning;
}

void BatchArea::stop()
{
    m_stopRequested = m_batchRunning;
}

void BatchArea::appendRow(const QString &name)
{
    m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{QString(), name}));
}

void BatchArea::run()
{
    if (m_batchRunning || m_editor->isRunning())
        return;
    if (m_list->topLevelItemCount() == 0)
        return;
    // The save that the question may start tells the Editor's title to receivers that may delete this area.
    const QPointer<BatchArea> alive(this);
    if (!m_editor->maybeSaveChanges() || !alive || !m_editor || !m_list)
        return;
    const int count = m_list->topLevelItemCount();
    // The list slots refuse while a batch runs, but a script reaches the list all the same and may clear it or
    // take rows out. The names are taken now; each row is held by a persistent index, which follows the row and
    // goes invalid when the row goes. Rows that are gone are skipped.
    QStringList names;
    QList<QPersistentModelIndex> rows;
    for (int i = 0; i < count; ++i) {
        names << m_list->topLevelItem(i)->text(1);
        rows << QPersistentModelIndex(m_list->model()->index(i, 0));
    }
    m_batchRunning = true;
    m_stopRequested = false;
    for (const QPersistentModelIndex &row : qAsConst(rows))
        setRowState(row, QString(), false);
    for (int i = 0; i < count; ++i) {
        const QPersistentModelIndex &row = rows.at(i);
        if (m_stopRequested || !m_list || !m_editor)
            break;
        if (!row.isValid())
            continue;
        const QString &name = names.at(i);
        QString error;
        if (!m_editor->load(name, &error)) {
            m_outputs.insert(name, error.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>")));
            setRowState(row, QStringLiteral("Error"), false);
            continue;
        }
        setRowState(row, QStringLiteral("Running..."), true);
        // A syntax error is reported without clearing the pane: the row's output must not begin with the last one's.
        m_editor->clearOutput();
        m_editor->run();
        if (!alive)
            return;
        if (!m_editor)
            break;
        // Most scripts print nothing: their output is kept as an empty text, not as a page of empty HTML.
        m_outputs.insert(name, m_editor->hasOutput() ? m_editor->outputHtml() : QString());
        setRowState(row, m_editor->hasError() ? QStringLiteral("Error") : QStringLiteral("Done"), false);
    }
    m_batchRunning = false;
}

void BatchArea::setRowState(const QPersistentModelIndex &row, const QString &state, bool selected)
{
    if (!m_list || !row.isValid())
        return;
    m_list->model()->setData(row, state);
    m_list->selectionModel()->select(row, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect)
                                              | QItemSelectionModel::Rows);
}

void BatchArea::addJS()
{
    if (m_batchRunning)
        return;
    // The framework's dialogs lie on the heap: this area may be deleted, and they with it, while they run.
    const QString name = QMWidgets::FileDialog::getOpenFileName(this, QStringLiteral("Load"), QString(),
                                                                QStringLiteral("*.js"));
    if (name.isEmpty() || m_batchRunning)
        return;
    appendRow(name);
    saveBatchFiles();
}

void BatchArea::removeJS()
{
    if (m_batchRunning)
        return;
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    delete m_list->takeTopLevelItem(m_list->indexOfTopLevelItem(selected.first()));
    saveBatchFiles();
}

void BatchArea::removeJSOnKey()
{
    if (m_list->viewport()->hasFocus())
        removeJS();
}

bool BatchArea::parseList(const QByteArray &bytes, QStringList *names, QString *error)
{
    if (bytes.contains('\0')) {
        *error = QStringLiteral("It holds a NUL byte.");
        return false;
    }
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0) {
        *error = QStringLiteral("It is not UTF-8 text.");
        return false;
    }
    names->clear();
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('\r'));
        if (!line.isEmpty())
            names->append(line);
    }
    return true;
}

void BatchArea::loadList()
{
    if (m_batchRunning)
        return;
    const QString fileName = QMWidgets::FileDialog::getOpenFileName(
        this, QStringLiteral("Load List"), m_listDirectory, QLatin1String("*") + QLatin1String(listExtension));
    if (fileName.isEmpty() || m_batchRunning)
        return;
    QByteArray bytes;
    QString error;
    QStringList names;
    if (MTools::readFileBounded(fileName, MTools::ScriptFileBound, &bytes, &error))
        parseList(bytes, &names, &error);
    if (!error.isEmpty()) {
        QMWidgets::GuardedMessageBox::warning(
            this, QStringLiteral("Load List"),
            QStringLiteral("The list \"%1\" was not loaded:\n%2").arg(fileName, error));
        return;
    }
    m_list->clear();
    for (const QString &name : names)
        appendRow(name);
    saveBatchFiles();
}

void BatchArea::saveListAs()
{
    QString fileName = QMWidgets::FileDialog::getSaveFileName(
        this, QStringLiteral("Save List"), m_listDirectory, QLatin1String("*") + QLatin1String(listExtension));
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QLatin1String(listExtension)))
        fileName += QLatin1String(listExtension);
    QString text;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        text += m_list->topLevelItem(i)->text(1) + QLatin1Char('\n');
    // In the locale's encoding, as a text stream writes it; a list that cannot be written is not reported,
    // but the old list stays whole.
    MTools::writeFileSafely(fileName, text.toLocal8Bit());
}

void BatchArea::itemDoubleClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    if (!item)
        return;
    const QString name = item->text(1);
    // The Editor tells its new title to receivers that may delete this area.
    const QPointer<BatchArea> alive(this);
    if (m_editor)
        m_editor->open(name);
    if (alive)
        emit scriptFileDoubleClicked(name);
}

void BatchArea::checkForDone()
{
    if (!m_editor->isEvaluating())
        m_waitLoop.quit();
    QTimer::singleShot(3000, this, &BatchArea::checkForDone);
}

void BatchArea::showOutput()
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    auto *view = new QTextEdit;
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->setHtml(m_outputs.value(selected.first()->text(1)));
    view->setStyleSheet(QStringLiteral("QTextEdit{background-color: #A0A0A0; color: #000000}"));
    view->show();
}

void BatchArea::loadBatchFiles()
{
    const QString stored = app() ? app()->value(QStringLiteral("batchfiles"), QString()).toString() : QString();
    for (const QString &name : stored.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        appendRow(name);
}

void BatchArea::saveBatchFiles()
{
    QStringList names;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        names << m_list->topLevelItem(i)->text(1);
    if (app())
        app()->setValue(QStringLiteral("batchfiles"), names.join(QLatin1Char(';')));
}

} // namespace QMMistlark
