#include "QMWidgets/annotation/NoteEditWidget.h"

#include "QMWidgets/app/App.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace QMWidgets {

NoteEditWidget::NoteEditWidget(QWidget *parent)
    : QWidget(parent)
{
    // Also used under a plain QApplication, which is no App.
    if (auto *app = App::instance())
        app->setSaveDirectory(app->workDirectory(true));
    setObjectName("NoteEditWidget");

    m_acceptButton = new QPushButton;
    m_cancelButton = new QPushButton;
    auto *increaseButton = new QPushButton;
    auto *decreaseButton = new QPushButton;
    const struct {
        QPushButton *button;
        const char *name;
        QString toolTip;
    } buttons[] = {
        {m_acceptButton, "NoteEditWidgetAccept", tr("Accept")},
        {m_cancelButton, "NoteEditWidgetReject", tr("Cancel")},
        {increaseButton, "NoteEditWidgetInc", tr("Increase")},
        {decreaseButton, "NoteEditWidgetDec", tr("Decrease")},
    };
    for (const auto &entry : buttons) {
        entry.button->setFlat(true);
        entry.button->setObjectName(entry.name);
        entry.button->setToolTip(entry.toolTip);
    }
    connect(increaseButton, SIGNAL(clicked()), this, SLOT(slotIncrease()));
    connect(decreaseButton, SIGNAL(clicked()), this, SLOT(slotDecrease()));
    connect(m_cancelButton, SIGNAL(clicked()), this, SIGNAL(cancelClicked()));
    connect(m_acceptButton, SIGNAL(clicked()), this, SIGNAL(okClicked()));

    m_textEdit = new QTextEdit;
    // A note is plain text: pasted or dropped rich text would load the pictures it names.
    m_textEdit->setAcceptRichText(false);
    m_textEdit->setAttribute(Qt::WA_TranslucentBackground);
    // A note needs room for a line of text, not for the scroll bars the field asks for by default: the
    // note editor then fits the 90 pixels a note gets at least.
    m_textEdit->setMinimumHeight(m_textEdit->fontMetrics().lineSpacing() + 2 * m_textEdit->frameWidth() + 4);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setSpacing(0);
    buttonRow->addWidget(m_acceptButton);
    buttonRow->addWidget(m_cancelButton);
    buttonRow->addStretch(1);
    buttonRow->addWidget(increaseButton);
    buttonRow->addWidget(decreaseButton);

    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_textEdit);
    column->addLayout(buttonRow);
    setLayout(column);
}

void NoteEditWidget::hideAll()
{
    hide();
    m_textEdit->hide();
    m_acceptButton->hide();
    m_cancelButton->hide();
}

void NoteEditWidget::showAll()
{
    show();
    m_textEdit->show();
    m_acceptButton->show();
    m_cancelButton->show();
    m_textEdit->setFocus(Qt::OtherFocusReason);
}

QTextEdit *NoteEditWidget::textEdit() const
{
    return m_textEdit;
}

qreal NoteEditWidget::fontPointSize() const
{
    return m_textEdit->fontPointSize();
}

void NoteEditWidget::slotIncrease()
{
    resizeAllText(5);
}

void NoteEditWidget::slotDecrease()
{
    resizeAllText(-5);
}

void NoteEditWidget::resizeAllText(qreal step)
{
    m_textEdit->selectAll();
    const QFont font = m_textEdit->currentFont();
    // A font given in pixels has no point size of its own; take the one it is shown at.
    const qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    m_textEdit->setFontPointSize(std::max<qreal>(1, size + step));
}

} // namespace QMWidgets
