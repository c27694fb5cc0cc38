#pragma once

#include <QDialog>
#include <QDomElement>
#include <QPointer>
#include <QVector>

class QTabWidget;

namespace QMWidgets {

class SettingsWidget;

// Shows every registered settings page as a tab, applies them, and saves them all into one
// ".qvsettings" file or loads such a file back into them. The pages belong to their owners, not to
// the dialogs that show them: a deleted dialog hands its pages back to the parents they had before it showed
// them, and a deleted page leaves the registry.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SettingsDialog(QWidget *parent = nullptr);
    ~SettingsDialog() override;

    static void registerSettingsWidget(const QString &name, SettingsWidget *page);

    // Hands each child element of the root to the pages whose name is its tag.
    static void loadSettings(const QDomElement &root);
    // Builds the document of a settings file's bytes; false, with the document untouched, for text that is
    // not XML and for what no settings file holds: a document-type line, deep nesting or more than 16 MB.
    static bool parseSettings(const QByteArray &text, QDomDocument *document);
public slots:
    void slotOk();
    void slotApply();
    void slotLoadSettings();
    void slotSaveSettings();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The whole settings file as written: "Settings" with one element per page, in UTF-8.
    static QByteArray settingsText();

    // A page this dialog shows and the parent it goes back to when the dialog goes.
    struct HeldPage
    {
        QPointer<SettingsWidget> page;
        QPointer<QWidget> home;
    };

    bool m_built = false;
    QTabWidget *m_tabs = nullptr;
    QVector<HeldPage> m_held;
};

} // namespace QMWidgets
