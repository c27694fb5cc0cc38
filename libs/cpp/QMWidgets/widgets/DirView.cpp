#include "QMWidgets/widgets/DirView.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QResizeEvent>
#include <QTreeView>

// QDirModel is deprecated but still does the job here, synchronously.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
#include <QDirModel>

namespace QMWidgets {

DirView::DirView(QWidget *parent)
    : QFrame(parent)
{
    setMinimumSize(180, 100);
    m_tree = new QTreeView(this);
    m_model = new QDirModel(m_tree); // the view owns its model
    m_tree->setModel(m_model);
    m_tree->setWindowTitle(tr("Dir View"));
    for (int column = 1; column <= 3; ++column)
        m_tree->setColumnHidden(column, true);
    connect(m_tree, SIGNAL(clicked(const QModelIndex &)), this, SLOT(slotTreeViewClicked(const QModelIndex &)));
}

void DirView::slotTreeViewClicked(const QModelIndex &index)
{
    if (index.row() == -1 || index.column() != 0)
        return;
    const QString path = m_model->filePath(index);
    if (QFileInfo(path).isDir())
        emit showContent(path);
    else
        emit showItem(path);
}

void DirView::resizeEvent(QResizeEvent *event)
{
    m_tree->resize(event->size());
    m_tree->header()->resizeSection(0, event->size().width());
    QWidget::resizeEvent(event);
}

} // namespace QMWidgets

QT_WARNING_POP
