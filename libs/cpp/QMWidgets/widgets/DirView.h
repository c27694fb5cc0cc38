#pragma once

#include <QFrame>
#include <QModelIndex>

class QDirModel;
class QTreeView;

namespace QMWidgets {

// The file system as a tree of names; a click reports a folder or a file.
class DirView : public QFrame
{
    Q_OBJECT

public:
    explicit DirView(QWidget *parent = nullptr);

signals:
    void showContent(const QString &path);
    void showItem(const QString &path);

public slots:
    void slotTreeViewClicked(const QModelIndex &index);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QDirModel *m_model;
    QTreeView *m_tree;
};

} // namespace QMWidgets
