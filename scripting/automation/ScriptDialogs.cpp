#include "scripting/automation/ScriptDialogs.h"

#include "MGraphX/OutsideResources.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/engine/ScriptEngine.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace QMMistlark {

namespace {

// A label's rich text loads what it names through the bounded reader only, also a file that changed since the
// text was checked.
void boundResourcesOfLabels(QWidget *dialog)
{
    const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
    for (QLabel *label : labels)
        MGraphX::boundLabelResources(label);
}

// Under the automation object's name, which its translations know.
QString inputDialogTitle()
{
    return QCoreApplication::translate("QMMistlark::Support", "Script Text Dialog");
}

} // namespace

QString ScriptDialogs::refusal(const QString &text)
{
    return MGraphX::richTextRefusal(shownText(text));
}

void ScriptDialogs::information(QScriptEngine *scriptEngine, const QString &text)
{
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Information, QStringLiteral("Information"), shownText(text),
                                                QMessageBox::Ok);
    boundResourcesOfLabels(box);
    execCancellably(scriptEngine, box);
    delete box;
}

void ScriptDialogs::message(QScriptEngine *scriptEngine, int milliseconds, const QString &text)
{
    // Guarded: something run by the box's own loop may delete it before exec() returns.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Information, QStringLiteral("Message"), shownText(text),
                                                QMessageBox::Ok, nullptr,
                                                Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    boundResourcesOfLabels(box);
    // A negative time would not start the timer and the box would wait for the user: it closes at once.
    QTimer::singleShot(qMax(0, milliseconds), box, &QMessageBox::accept);
    execCancellably(scriptEngine, box);
    delete box;
}

QString ScriptDialogs::enteredText(QScriptEngine *scriptEngine, const QString &label, const QString &text)
{
    QPointer<QInputDialog> dialog = new QInputDialog;
    dialog->setWindowTitle(inputDialogTitle());
    dialog->setLabelText(shownText(label));
    boundResourcesOfLabels(dialog);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextEchoMode(QLineEdit::Normal);
    dialog->setTextValue(text.isNull() ? QStringLiteral("") : text);
    const bool accepted = execCancellably(scriptEngine, dialog) == QDialog::Accepted;
    const QString entered = accepted && dialog ? dialog->textValue() : QString();
    delete dialog;
    return entered;
}

int ScriptDialogs::enteredNumber(QScriptEngine *scriptEngine, const QString &label, int value)
{
    QPointer<QInputDialog> dialog = new QInputDialog;
    dialog->setWindowTitle(inputDialogTitle());
    dialog->setLabelText(shownText(label));
    boundResourcesOfLabels(dialog);
    dialog->setInputMode(QInputDialog::IntInput);
    // The lowest int is left out of the range.
    dialog->setIntRange(-2147483647, 2147483647);
    dialog->setIntStep(1);
    dialog->setIntValue(value);
    const bool accepted = execCancellably(scriptEngine, dialog) == QDialog::Accepted;
    const int entered = accepted && dialog ? dialog->intValue() : value;
    delete dialog;
    return entered;
}

} // namespace QMMistlark
