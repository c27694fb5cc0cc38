#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

// Takes the place of the desktop's URL handler for the given schemes while it lives, and keeps the
// links handed to it in order, so that a test sees what would have been opened.
class LinkCatcher : public QObject
{
    Q_OBJECT

public:
    explicit LinkCatcher(const QStringList &schemes = {"http", "https", "mailto", "file"});
    ~LinkCatcher() override;

    QList<QUrl> links() const { return m_links; }
    QStringList linkTexts() const;
    void clear() { m_links.clear(); }

public slots:
    void open(const QUrl &url);

signals:
    void opened(const QUrl &url);

private:
    QStringList m_schemes;
    QList<QUrl> m_links;
};
