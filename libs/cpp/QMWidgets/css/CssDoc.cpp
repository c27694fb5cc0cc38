#include "QMWidgets/css/CssDoc.h"

#include "MTools/FileReading.h"
#include "MTools/FileWriting.h"
#include "QMWidgets/css/CssSyntaxHighlighter.h"
#include "QMWidgets/app/FileDialog.h"
#include "QMWidgets/dialogs/GuardedMessageBox.h"

#include <QDir>
#include <QTextStream>

namespace QMWidgets {

CssDoc::CssDoc(QWidget *parent)
    : QTextEdit(parent)
{
    // A style sheet is plain text: pasted or dropped rich text would load the pictures it names.
    setAcceptRichText(false);
    new CssSyntaxHighlighter(document());
    setupLook();
}

void CssDoc::setupLook()
{
    QFont font(QStringLiteral("Lucida Console"), 12, QFont::Normal, false);
    // Where that face is missing, a fixed-pitch one stands in rather than a proportional default.
    font.setStyleHint(QFont::Monospace);
    document()->setDefaultFont(font);
    setStyleSheet(QStringLiteral("QTextEdit{background: #000060; color: yellow;}"));
}

QString CssDoc::fileName() const
{
    return m_fileName;
}

void CssDoc::slotLoad()
{
    const QString name = FileDialog::getOpenFileName(this, QString(), QString(), QString());
    if (name.isEmpty())
        return;
    QByteArray bytes;
    QString error;
    if (!MTools::readFileBounded(name, MTools::SmallFileBound, &bytes, &error)) {
        GuardedMessageBox::warning(this, QStringLiteral("Warning"),
                                   QStringLiteral("Cannot open the file \"%1\":\n%2.").arg(QDir::toNativeSeparators(name), error));
        return;
    }
    QTextStream in(bytes);
    setPlainText(in.readAll());
    m_fileName = name;
    emit changeWindowTitle(m_fileName);
}

void CssDoc::slotSave()
{
    if (m_fileName.isEmpty()) {
        slotSaveAs();
        return;
    }
    if (writeTo(m_fileName))
        emit changeWindowTitle(m_fileName);
}

void CssDoc::slotSaveAs()
{
    const QString name = FileDialog::getSaveFileName(this, m_fileName, QString(), QString());
    if (name.isEmpty())
        return;
    // The document takes the new name only once it is written there: after a failure, Save still goes to
    // the file the title shows.
    if (!writeTo(name))
        return;
    m_fileName = name;
    emit changeWindowTitle(m_fileName);
}

bool CssDoc::writeTo(const QString &path)
{
    // A failed write leaves the old file whole and the title as it was. The text goes out in the locale's
    // encoding, as a text stream writes it.
    QString error;
    if (!MTools::writeFileSafely(path, toPlainText().toLocal8Bit(), &error)) {
        GuardedMessageBox::warning(this, QStringLiteral("Warning"),
                                   QStringLiteral("Cannot save the file \"%1\":\n%2.")
                                       .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    return true;
}

} // namespace QMWidgets
