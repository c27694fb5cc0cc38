#include "QMWidgets/FileDialog.h"

#include <QPointer>

namespace QMWidgets {

namespace {
// Runs a modal dialog owned by the caller's window; the selected-filter text is left alone.
QStringList askForFiles(QWidget *parent, const QString &caption, const QString &directory, const QString &filter,
                        QFileDialog::FileMode fileMode, QFileDialog::AcceptMode acceptMode,
                        QFileDialog::Options options)
{
    // On the heap and guarded: the parent may be deleted while the dialog runs, and the dialog with it.
    QPointer<QFileDialog> dialog = new QFileDialog(parent, caption, directory, filter);
    dialog->setFileMode(fileMode);
    dialog->setAcceptMode(acceptMode);
    dialog->setOptions(options);
    const int result = dialog->exec();
    if (!dialog)
        return {};
    const QStringList files = result == QDialog::Accepted ? dialog->selectedFiles() : QStringList();
    delete dialog;
    return files;
}
}

QString FileDialog::getOpenFileName(QWidget *parent, const QString &caption, const QString &directory,
                                    const QString &filter, QString *selectedFilter, QFileDialog::Options options)
{
    if (!parent)
        return QFileDialog::getOpenFileName(parent, caption, directory, filter, selectedFilter, options);
    return askForFiles(parent, caption, directory, filter, QFileDialog::ExistingFile, QFileDialog::AcceptOpen,
                       options).value(0);
}

QString FileDialog::getSaveFileName(QWidget *parent, const QString &caption, const QString &directory,
                                    const QString &filter, QString *selectedFilter, QFileDialog::Options options)
{
    if (!parent)
        return QFileDialog::getSaveFileName(parent, caption, directory, filter, selectedFilter, options);
    return askForFiles(parent, caption, directory, filter, QFileDialog::AnyFile, QFileDialog::AcceptSave,
                       options).value(0);
}

QStringList FileDialog::getOpenFileNames(QWidget *parent, const QString &caption, const QString &directory,
                                         const QString &filter, QString *selectedFilter,
                                         QFileDialog::Options options)
{
    if (!parent)
        return QFileDialog::getOpenFileNames(parent, caption, directory, filter, selectedFilter, options);
    return askForFiles(parent, caption, directory, filter, QFileDialog::ExistingFiles, QFileDialog::AcceptOpen,
                       options);
}

} // namespace QMWidgets
