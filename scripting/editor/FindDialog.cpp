#include "scripting/editor/FindDialog.h"

#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace QMMistlark {

FindDialog::FindDialog(Editor *editor, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_text(new QLineEdit(this))
{
    auto *findNext = new QPushButton(tr("Find Next"), this);
    auto *close = new QPushButton(tr("Close"), this);
    for (QPushButton *button : {findNext, close}) {
        button->setObjectName(QStringLiteral("PushButton"));
        button->setFlat(true);
    }
    connect(findNext, &QPushButton::clicked, this, &FindDialog::find);
    connect(close, &QPushButton::clicked, this, &FindDialog::hide);

    auto *escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this, &FindDialog::hide);
    addAction(escape);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(5, 5, 5, 5);
    buttons->setSpacing(5);
    buttons->addWidget(findNext);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(5);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
}

void FindDialog::find()
{
    DocWindow *document = m_editor->document();
    const QString text = m_text->text();
    // A miss returns a null cursor; setting it would leave the editor deaf to typing and clicks.
    if (text.isEmpty())
        return;
    const QTextCursor found = document->document()->find(text, document->textCursor());
    if (!found.isNull())
        document->setTextCursor(found);
}

} // namespace QMMistlark
