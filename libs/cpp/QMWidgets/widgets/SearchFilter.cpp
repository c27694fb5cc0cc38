#include "QMWidgets/widgets/SearchFilter.h"

#include "QMWidgets/style/DevicePicture.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace QMWidgets {

SearchFilter::SearchFilter(QWidget *parent)
    : QLineEdit(parent)
{
    setNameAndToolTip(this, QStringLiteral("SearchFilter"), tr("Search Filter"));

    m_clearButton = new QPushButton;
    m_clearButton->hide();
    m_clearButton->setCursor(Qt::ArrowCursor);
    m_clearButton->setAttribute(Qt::WA_MouseTracking);
    m_clearButton->setFlat(true);
    m_clearButton->setFixedSize(16, 16);
    setNameAndToolTip(m_clearButton, QStringLiteral("SearchFilterDel"), tr("Clear"));
    connect(m_clearButton, SIGNAL(clicked()), this, SLOT(slotClearClicked()));

    connect(this, SIGNAL(textChanged(const QString &)), this, SLOT(slotTextChanged(const QString &)));

    auto closeAction = new QAction(QStringLiteral("Close"), this);
    closeAction->setShortcut(Qt::Key_Escape);
    // Only while the field has the focus: window-wide, two fields would make Escape ambiguous, and in a
    // dialog it would empty the search from any other field instead of closing the dialog.
    closeAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(closeAction, SIGNAL(triggered()), this, SLOT(slotClearClicked()));
    addAction(closeAction);

    auto layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    layout->addWidget(m_clearButton);
}

void SearchFilter::slotClearClicked()
{
    clear();
    m_clearButton->hide();
}

void SearchFilter::slotTextChanged(const QString &text)
{
    // Follows the text itself, not the button's visibility, which is false for a field not yet shown.
    m_clearButton->setVisible(!text.isEmpty());
}

void SearchFilter::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!text().isEmpty())
        return;
    const int w = width();
    const int h = height();
    QPainter painter(this);
    if (QApplication::focusWidget() != this) {
        painter.setPen(Qt::white);
        painter.drawText(QRect(5, 0, w, h), Qt::AlignVCenter, tr("Search:"));
    }
    const QPixmap magnifier = devicePicture(QStringLiteral(":/pix/search.png"), QSize(h, h));
    if (!magnifier.isNull())
        painter.drawPixmap(QRect(w - h, 0, h, h), magnifier);
}

} // namespace QMWidgets
