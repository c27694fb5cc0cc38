#include "app/DlgJSCompressed.h"

#include "MTools/FileWriting.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/BodyScrollArea.h"
#include "QMWidgets/app/FileDialog.h"
#include "QMWidgets/dialogs/GuardedMessageBox.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>

DlgJSCompressed::DlgJSCompressed(QWidget *parent)
    : QDialog(parent)
    , m_text(new QTextEdit(this))
    , m_caption(new QLabel(tr("Compressed Java Script Source"), this))
{
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setWindowTitle(tr("Compressor Dialog"));
    resize(600, 450);

    auto *saveButton = new QPushButton(tr("&Save"), this);
    auto *cancelButton = new QPushButton(tr("&Cancel"), this);
    QMWidgets::setupPushButton(saveButton);
    QMWidgets::setupPushButton(cancelButton);
    connect(saveButton, SIGNAL(clicked()), this, SLOT(slotSave()));
    connect(cancelButton, SIGNAL(clicked()), this, SLOT(reject()));

    // On a short screen the caption and the text scroll and the buttons stay in view.
    auto *body = new QWidget;
    auto *inner = new QGridLayout(body);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(m_caption, 0, 0);
    inner->addWidget(m_text, 1, 0);
    auto *layout = new QGridLayout(this);
    layout->addWidget(new QMWidgets::BodyScrollArea(body, this), 0, 0, 1, 2);
    layout->addWidget(cancelButton, 2, 0);
    layout->addWidget(saveButton, 2, 1);
    QMWidgets::fitDialogIntoScreen(this);
}

void DlgJSCompressed::setCompressedText(const QString &text)
{
    // Plain text: a script is no HTML, and "<b>" in a string must come through as written.
    m_text->setPlainText(text);
}

void DlgJSCompressed::setBaseName(const QString &name)
{
    m_baseName = name;
}

void DlgJSCompressed::slotSave()
{
    QMWidgets::App *app = QMWidgets::App::instance();
    const QString offered = app->saveDirectory() + QLatin1Char('/') + m_baseName + QStringLiteral("Compressed.js");
    // The dialog goes with its window, which may be deleted while a prompt of it is up: then nothing more.
    const QPointer<DlgJSCompressed> alive(this);
    QString path = QMWidgets::FileDialog::getSaveFileName(this, tr("Export to Pellowin file"), offered,
                                                          QStringLiteral("*.js"));
    if (!alive)
        return;
    if (!path.isEmpty()) {
        if (!path.endsWith(QLatin1String(".js")))
            path += QStringLiteral(".js");
        app->setSaveDirectory(path);

        // UTF-8 without a mark, as the editor reads scripts; a failed write keeps whatever was there.
        QString error;
        if (MTools::writeFileSafely(path, m_text->toPlainText().toUtf8(), &error)) {
            QMWidgets::GuardedMessageBox::information(this, tr("Information"),
                                                      tr("The ") + path + tr(" was successfully saved"),
                                                      QMessageBox::Ok);
        } else {
            QMWidgets::GuardedMessageBox::warning(this, tr("Warning"),
                                                  tr("Cannot save the file \"%1\":\n%2.")
                                                      .arg(QDir::toNativeSeparators(path), error),
                                                  QMessageBox::Ok);
        }
    }
    if (alive)
        accept();
}
