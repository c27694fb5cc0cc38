#pragma once

#include <QDateTime>
#include <QString>

class QUrl;

namespace QMRequest {

// One entry of a directory listing. Without a record every getter reads empty, 0, null or false;
// the first setter creates the record with its defaults (a readable, writable file).
class UrlInfo
{
public:
    UrlInfo();
    UrlInfo(const UrlInfo &other);
    UrlInfo(const QString &name, int permissions, const QString &owner, const QString &group, qint64 size,
            const QDateTime &lastModified, const QDateTime &lastRead, bool isDirectory, bool isFile,
            bool isSymbolicLink, bool isWritable, bool isReadable, bool isExecutable);
    UrlInfo(const QUrl &url, int permissions, const QString &owner, const QString &group, qint64 size,
            const QDateTime &lastModified, const QDateTime &lastRead, bool isDirectory, bool isFile,
            bool isSymbolicLink, bool isWritable, bool isReadable, bool isExecutable);
    virtual ~UrlInfo();

    UrlInfo &operator=(const UrlInfo &other);
    bool operator==(const UrlInfo &other) const;
    bool operator!=(const UrlInfo &other) const { return !operator==(other); }

    virtual void setName(const QString &name);
    virtual void setDirectory(bool isDirectory);
    virtual void setFile(bool isFile);
    virtual void setSymbolicLink(bool isSymbolicLink);
    virtual void setOwner(const QString &owner);
    virtual void setGroup(const QString &group);
    virtual void setSize(qint64 size);
    virtual void setWritable(bool isWritable);
    virtual void setReadable(bool isReadable);
    virtual void setPermissions(int permissions);
    virtual void setLastModified(const QDateTime &lastModified);
    void setLastRead(const QDateTime &lastRead);

    QString name() const;
    int permissions() const;
    QString owner() const;
    QString group() const;
    qint64 size() const;
    QDateTime lastModified() const;
    QDateTime lastRead() const;
    bool isDirectory() const;
    bool isFile() const;
    bool isSymbolicLink() const;
    bool isWritable() const;
    bool isReadable() const;
    bool isExecutable() const;
    bool isValid() const;

    // key is a QDir::SortFlag value: 0 name, 1 time of the last change, 2 size; any other key compares nothing.
    static bool isGreater(const UrlInfo &a, const UrlInfo &b, int key);
    static bool isLessOrEqual(const UrlInfo &a, const UrlInfo &b, int key);
    static bool isEqual(const UrlInfo &a, const UrlInfo &b, int key);

private:
    struct Record;
    Record &record();

    Record *d = nullptr;
};

} // namespace QMRequest
