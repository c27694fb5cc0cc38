#include "QMWidgets/widgets/DropWidget.h"

#include "QMWidgets/style/DevicePicture.h"
#include "QMWidgets/app/FileDialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace QMWidgets {

namespace {
const int FrameInset = 16;
}

DropWidget::DropWidget(QWidget *parent)
    : Label(parent)
{
    setAcceptDrops(true);
    setImage(devicePicture(QStringLiteral(":/droparea.png")));
    setObjectName(QStringLiteral("DropArea"));
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setText(tr("<H1>Drop the photos here</H1>"));
    // The caption and the button keep inside the picture's dashed frame, and the picture keeps its arrow and
    // tray between them.
    setMargin(FrameInset);
    m_open = new QPushButton(tr("Click to open the photos"));
    m_open->setObjectName(QStringLiteral("PushButton"));
    m_open->setIcon(QIcon(QStringLiteral(":/openfiles.png")));
    m_open->setFixedHeight(32);
    connect(m_open, SIGNAL(clicked()), this, SLOT(slotOpenClicked()));
    auto *column = new QVBoxLayout;
    column->addStretch(1);
    column->addWidget(m_open);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(FrameInset, FrameInset, FrameInset, FrameInset);
    row->addLayout(column);
    setLayout(row);
}

void DropWidget::setOpenMode(const int &mode)
{
    m_openMode = mode;
}

void DropWidget::setHideAfterUse(bool hide)
{
    m_hideAfterUse = hide;
}

void DropWidget::setButtonText(const QString &text)
{
    m_open->setText(text);
}

void DropWidget::setText(const QString &text)
{
    QLabel::setText(text);
}

void DropWidget::hideButton()
{
    m_open->hide();
}

void DropWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QStringLiteral("text/uri-list")))
        event->acceptProposedAction();
    QWidget::dragEnterEvent(event);
}

void DropWidget::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    QWidget::dropEvent(event);
    take(urls);
}

void DropWidget::slotOpenClicked()
{
    QStringList paths;
    if (m_openMode) {
        paths = FileDialog::getOpenFileNames(this, tr("Open files"), QString(), QString(), nullptr, {});
    } else {
        const QString folder = FileDialog::getExistingDirectory(this, tr("Open folder"));
        if (!folder.isEmpty())
            paths << folder;
    }
    if (paths.isEmpty())
        return;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    take(urls);
}

void DropWidget::take(const QList<QUrl> &urls)
{
    m_urls = urls;
    // The list goes out as a copy and the widget is left alone once an owner deleted it on the signal.
    const QPointer<DropWidget> alive(this);
    emit dropped(QList<QUrl>(urls));
    if (alive && m_hideAfterUse)
        hide();
}

} // namespace QMWidgets
