#pragma once

#include <QFileDialog>

namespace QMWidgets {

// Modal file dialogs. The callers pass the start directory and record the chosen path themselves;
// a cancelled dialog yields an empty text or list.
class FileDialog : public QFileDialog
{
    Q_OBJECT

public:
    static QString getOpenFileName(QWidget *parent = nullptr, const QString &caption = QString(),
                                   const QString &directory = QString(), const QString &filter = QString(),
                                   QString *selectedFilter = nullptr, QFileDialog::Options options = {});
    static QString getSaveFileName(QWidget *parent = nullptr, const QString &caption = QString(),
                                   const QString &directory = QString(), const QString &filter = QString(),
                                   QString *selectedFilter = nullptr, QFileDialog::Options options = {});
    static QStringList getOpenFileNames(QWidget *parent = nullptr, const QString &caption = QString(),
                                        const QString &directory = QString(), const QString &filter = QString(),
                                        QString *selectedFilter = nullptr, QFileDialog::Options options = {});
    static QString getExistingDirectory(QWidget *parent = nullptr, const QString &caption = QString(),
                                        const QString &directory = QString(),
                                        QFileDialog::Options options = QFileDialog::ShowDirsOnly);
};

} // namespace QMWidgets
