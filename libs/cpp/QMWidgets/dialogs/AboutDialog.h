#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextBrowser;
class QUrl;

namespace QMWidgets {

// The About box: logo, a black panel with name, version, build date and maker, and a second page
// with the legal notices, from which the LGPL text is one click away.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // Collects a notice for the legal page; "<!bundlepath!>" stands for the resources folder.
    static void addLegalNotice(const QString &notice);

    void showInfoPage(bool info);

    // The maker's web address shown on the information page.
    static QString makerHost();

private slots:
    void slotLegalNoticesClicked();
    void slotOkClicked();
    void slotAnchorClicked(const QUrl &url);

private:
    QLabel *m_logoLabel;
    QTextBrowser *m_legalPage;
    QLabel *m_infoLabel;
    QPushButton *m_legalNoticesButton;
};

} // namespace QMWidgets
