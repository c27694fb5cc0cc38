#include "QMWidgets/app/FileDialog.h"

#include "QMWidgets/app/ModalRun.h"

namespace QMWidgets {

namespace {
// Runs a modal dialog owned by the caller's window; the selected-filter text is left alone.
QStringList askForFiles(QWidget *parent, const QString &caption, const QString &directory, const QString &filter,
                        QFileDialog::FileMode fileMode, QFileDialog::AcceptMode acceptMode,
                        QFileDialog::Options options)
{
    // On the heap: the parent may be deleted while the dialog runs, and the dialog with it.
    auto *dialog = new QFileDialog(parent, caption, directory, filter);
    dialog->setFileMode(fileMode);
    dialog->setAcceptMode(acceptMode);
    dialog->setOptions(options);
    return runModal(dialog, [](QFileDialog *asked, int result) {
               return result == QDialog::Accepted ? asked->selectedFiles() : QStringList();
           }).value_or(QStringList());
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

QString FileDialog::getExistingDirectory(QWidget *parent, const QString &caption, const QString &directory,
                                         QFileDialog::Options options)
{
    if (!parent)
        return QFileDialog::getExistingDirectory(parent, caption, directory, options);
    return askForFiles(parent, caption, directory, QString(), QFileDialog::Directory, QFileDialog::AcceptOpen,
                       options).value(0);
}

} // namespace QMWidgets
