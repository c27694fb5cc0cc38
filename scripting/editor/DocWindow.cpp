#include "scripting/editor/DocWindow.h"

#include "MTools/FileReading.h"
#include "MTools/FileWriting.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/app/FileDialog.h"
#include "QMWidgets/dialogs/GuardedMessageBox.h"
#include "scripting/editor/SyntaxHighlighter.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTextCodec>
#include <QTextStream>

namespace QMMistlark {

namespace {

const char defaultText[] = "printout(\"Hello World 1\");\nalert(\"Hello World 2\");";
const char newFileText[] = "printout(\"Hello World\");";
const char defaultFileName[] = "NewFile.js";
const char scriptFilter[] = "*.js";
const char scriptSuffix[] = ".js";
const char modifiedMark[] = " [modified]";

// Scripts are UTF-8 whatever the locale, so a file saved on one machine reads back the same on another.
const char scriptCodec[] = "UTF-8";

} // namespace

DocWindow::DocWindow(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
    m_highlighter = new SyntaxHighlighter(document());
    connect(this, &QTextEdit::textChanged, this, &DocWindow::contentChanged);
    // The default text is no change of the user's: closing an untouched window asks nothing.
    setPlainText(QString::fromLatin1(defaultText));
    m_modified = false;
}

QString DocWindow::fileName() const
{
    return m_fileName;
}

bool DocWindow::isModified() const
{
    return m_modified;
}

std::optional<QScopeGuard<std::function<void()>>> DocWindow::markDialogUp()
{
    if (m_dialogUp)
        return std::nullopt;
    m_dialogUp = true;
    // The document may go while its dialog runs.
    const QPointer<DocWindow> alive(this);
    return QScopeGuard<std::function<void()>>([alive] {
        if (alive)
            alive->m_dialogUp = false;
    });
}

void DocWindow::contentChanged()
{
    ++m_changeCount;
    m_modified = true;
    emit changeWindowTitle(m_fileName + QLatin1String(modifiedMark));
}

void DocWindow::newFile()
{
    // The save that the question may start, and the new text, tell the title to receivers that may delete the
    // document: nothing of it is read then.
    const QPointer<DocWindow> alive(this);
    if (!maybeSaveChanges() || !alive)
        return;
    setPlainText(QString::fromLatin1(newFileText));
    if (!alive)
        return;
    m_fileName.clear();
    m_modified = false;
    emit changeWindowTitle(m_fileName);
}

void DocWindow::open(const QString &path)
{
    if (path.isEmpty())
        return;
    QString error;
    const QPointer<DocWindow> alive(this);
    if (!load(path, &error) && alive)
        QMWidgets::GuardedMessageBox::warning(this, tr("Warning"), error);
}

bool DocWindow::load(const QString &path, QString *error)
{
    QByteArray bytes;
    QString reason;
    if (!MTools::readFileBounded(path, MTools::ScriptFileBound, &bytes, &reason)) {
        if (error)
            *error = tr("Cannot read the file \"%1\":\n%2.").arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    // Read as text: the CRs of CR LF line ends are dropped.
    QTextStream in(&bytes, QIODevice::ReadOnly | QIODevice::Text);
    in.setCodec(scriptCodec);
    const QString text = in.readAll();
    bytes = QByteArray();

    const QPointer<DocWindow> alive(this);
    setPlainText(text);
    if (!alive)
        return true;
    m_fileName = path;
    m_modified = false;
    emit changeWindowTitle(m_fileName);
    return true;
}

void DocWindow::open()
{
    if (m_dialogUp)
        return;
    const QPointer<DocWindow> alive(this);
    if (!maybeSaveChanges() || !alive)
        return;
    const quint64 answeredAt = m_changeCount;
    QString path;
    {
        const auto dialogUp = markDialogUp();
        if (!dialogUp)
            return;
        QMWidgets::App *app = QMWidgets::App::instance();
        // The last directory followed by "/ ": the dialog opens there with a blank in its name field.
        path = QMWidgets::FileDialog::getOpenFileName(this, tr("Open"), app->openDirectory() + QLatin1String("/ "),
                                                      QLatin1String(scriptFilter));
        if (!path.isEmpty())
            app->setOpenDirectory(path);
    }
    if (!alive || path.isEmpty())
        return;
    // Edited while the dialog was up: the answer given before does not cover the new text.
    if (m_changeCount != answeredAt && (!maybeSaveChanges() || !alive))
        return;
    open(path);
}

void DocWindow::save()
{
    saveDocument();
}

void DocWindow::saveAs()
{
    saveDocumentAs();
}

bool DocWindow::saveDocument()
{
    if (m_fileName.isEmpty())
        return saveDocumentAs();
    return writeTo(m_fileName);
}

bool DocWindow::saveDocumentAs()
{
    const auto dialogUp = markDialogUp();
    if (!dialogUp)
        return false;
    // Only the name part of the current file is offered, in the last save directory.
    const QString name = m_fileName.isEmpty() ? QString::fromLatin1(defaultFileName) : QFileInfo(m_fileName).fileName();
    QMWidgets::App *app = QMWidgets::App::instance();
    QString path = QMWidgets::FileDialog::getSaveFileName(this, tr("Save"),
                                                          app->saveDirectory() + QLatin1Char('/') + name,
                                                          QLatin1String(scriptFilter));
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QLatin1String(scriptSuffix)))
        path += QLatin1String(scriptSuffix);
    app->setSaveDirectory(path);
    return writeTo(path);
}

// The text goes to a temporary file that replaces the old one only when all of it was written,
// so a failed save leaves the old script intact and the document keeps its name and change mark.
bool DocWindow::writeTo(const QString &path)
{
    QString error;
    if (!MTools::writeFileSafely(path, QTextCodec::codecForName(scriptCodec)->fromUnicode(toPlainText()), &error)) {
        QMWidgets::GuardedMessageBox::warning(
            this, tr("Warning"), tr("Cannot save the file \"%1\":\n%2.").arg(QDir::toNativeSeparators(path), error));
        return false;
    }

    m_fileName = path;
    m_modified = false;
    emit changeWindowTitle(m_fileName);
    return true;
}

// Asks before a changed text is replaced; true when the caller may go on. A save that fails
// or is cancelled stops the caller, so nothing is lost.
bool DocWindow::maybeSaveChanges()
{
    if (!m_modified || toPlainText().isEmpty())
        return true;
    const QString question = QLatin1String("The text of the \"") + m_fileName
        + QLatin1String("\" file has been changed.\n") + QLatin1String("Do you want to save the changes?");
    // The box has no parent and outlives a document deleted meanwhile: that is a cancel, and the document is
    // left alone.
    const QPointer<DocWindow> alive(this);
    std::optional<QMessageBox::StandardButton> answer;
    {
        const auto dialogUp = markDialogUp();
        if (!dialogUp)
            return false;
        answer = QMWidgets::GuardedMessageBox::warning(nullptr, QLatin1String("Warning"), question,
                                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
    if (!alive)
        return false;
    switch (answer.value_or(QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return saveDocument();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

} // namespace QMMistlark
