#pragma once

#include <QEventLoop>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QPersistentModelIndex;
class QTreeWidget;
class QTreeWidgetItem;

namespace QMMistlark {

class Editor;

// Runs a list of script files one after the other in one Editor and keeps, per script, "Done" or "Error" and
// its output. The list lives in the setting "batchfiles" and in ".jslst" files, one name a line.
class BatchArea : public QWidget
{
    Q_OBJECT

public:
    explicit BatchArea(Editor *editor, QWidget *parent = nullptr);

    // The names of a list file's bytes; false, with the reason, when they are not a list (a NUL byte or
    // bytes that are not UTF-8).
    static bool parseList(const QByteArray &bytes, QStringList *names, QString *error);
    bool isBatchRunning() const;
    // Ends a running batch once its running script has ended: the rows after it are not run.
    void stop();

signals:
    void scriptFileDoubleClicked(QString fileName);

public slots:
    void run();
    void addJS();
    void removeJS();
    void removeJSOnKey();
    void loadList();
    void saveListAs();
    void itemDoubleClicked(QTreeWidgetItem *item, int column);
    void checkForDone();
    void showOutput();

private:
    void loadBatchFiles();
    void saveBatchFiles();
    void appendRow(const QString &name);
    // The row's state text and selection; a row that is gone takes nothing.
    void setRowState(const QPersistentModelIndex &row, const QString &state, bool selected);

    // A script may delete the list or the Editor, as it may clear the list, while the batch runs.
    QPointer<QTreeWidget> m_list;
    QPointer<Editor> m_editor;
    QEventLoop m_waitLoop;
    QMap<QString, QString> m_outputs;
    QString m_listDirectory;
    bool m_batchRunning = false;
    bool m_stopRequested = false;
};

} // namespace QMMistlark
