#include "QMRequest/UrlInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace QMRequest {

struct UrlInfo::Record
{
    QString name;
    int permissions = 0;
    QString owner;
    QString group;
    qint64 size = 0;
    QDateTime lastModified;
    QDateTime lastRead;
    bool isDirectory = false;
    bool isFile = true;
    bool isSymbolicLink = false;
    bool isWritable = true;
    bool isReadable = true;
    bool isExecutable = false;

    bool operator==(const Record &o) const
    {
        return name == o.name && permissions == o.permissions && owner == o.owner && group == o.group
            && size == o.size && lastModified == o.lastModified && lastRead == o.lastRead
            && isDirectory == o.isDirectory && isFile == o.isFile && isSymbolicLink == o.isSymbolicLink
            && isWritable == o.isWritable && isReadable == o.isReadable && isExecutable == o.isExecutable;
    }
};

UrlInfo::UrlInfo() = default;

UrlInfo::UrlInfo(const UrlInfo &other)
    : d(other.d ? new Record(*other.d) : nullptr)
{
}

UrlInfo::UrlInfo(const QString &name, int permissions, const QString &owner, const QString &group, qint64 size,
                 const QDateTime &lastModified, const QDateTime &lastRead, bool isDirectory, bool isFile,
                 bool isSymbolicLink, bool isWritable, bool isReadable, bool isExecutable)
    : d(new Record{name, permissions, owner, group, size, lastModified, lastRead, isDirectory, isFile,
                   isSymbolicLink, isWritable, isReadable, isExecutable})
{
}

UrlInfo::UrlInfo(const QUrl &url, int permissions, const QString &owner, const QString &group, qint64 size,
                 const QDateTime &lastModified, const QDateTime &lastRead, bool isDirectory, bool isFile,
                 bool isSymbolicLink, bool isWritable, bool isReadable, bool isExecutable)
    : UrlInfo(QFileInfo(url.path(QUrl::FullyDecoded)).fileName(), permissions, owner, group, size, lastModified,
              lastRead, isDirectory, isFile, isSymbolicLink, isWritable, isReadable, isExecutable)
{
}

UrlInfo::~UrlInfo()
{
    delete d;
}

UrlInfo &UrlInfo::operator=(const UrlInfo &other)
{
    if (this == &other)
        return *this;
    if (!other.d) {
        delete d;
        d = nullptr;
    } else if (d) {
        *d = *other.d;
    } else {
        d = new Record(*other.d);
    }
    return *this;
}

bool UrlInfo::operator==(const UrlInfo &other) const
{
    if (!d || !other.d)
        return !d && !other.d;
    return *d == *other.d;
}

UrlInfo::Record &UrlInfo::record()
{
    if (!d)
        d = new Record;
    return *d;
}

void UrlInfo::setName(const QString &name) { record().name = name; }
void UrlInfo::setDirectory(bool isDirectory) { record().isDirectory = isDirectory; }
void UrlInfo::setFile(bool isFile) { record().isFile = isFile; }
void UrlInfo::setSymbolicLink(bool isSymbolicLink) { record().isSymbolicLink = isSymbolicLink; }
void UrlInfo::setOwner(const QString &owner) { record().owner = owner; }
void UrlInfo::setGroup(const QString &group) { record().group = group; }
void UrlInfo::setSize(qint64 size) { record().size = size; }
void UrlInfo::setWritable(bool isWritable) { record().isWritable = isWritable; }
void UrlInfo::setReadable(bool isReadable) { record().isReadable = isReadable; }
void UrlInfo::setPermissions(int permissions) { record().permissions = permissions; }
void UrlInfo::setLastModified(const QDateTime &lastModified) { record().lastModified = lastModified; }
void UrlInfo::setLastRead(const QDateTime &lastRead) { record().lastRead = lastRead; }

QString UrlInfo::name() const { return d ? d->name : QString(); }
int UrlInfo::permissions() const { return d ? d->permissions : 0; }
QString UrlInfo::owner() const { return d ? d->owner : QString(); }
QString UrlInfo::group() const { return d ? d->group : QString(); }
qint64 UrlInfo::size() const { return d ? d->size : 0; }
QDateTime UrlInfo::lastModified() const { return d ? d->lastModified : QDateTime(); }
QDateTime UrlInfo::lastRead() const { return d ? d->lastRead : QDateTime(); }
bool UrlInfo::isDirectory() const { return d && d->isDirectory; }
bool UrlInfo::isFile() const { return d && d->isFile; }
bool UrlInfo::isSymbolicLink() const { return d && d->isSymbolicLink; }
bool UrlInfo::isWritable() const { return d && d->isWritable; }
bool UrlInfo::isReadable() const { return d && d->isReadable; }
bool UrlInfo::isExecutable() const { return d && d->isExecutable; }
bool UrlInfo::isValid() const { return d != nullptr; }

bool UrlInfo::isGreater(const UrlInfo &a, const UrlInfo &b, int key)
{
    switch (key) {
    case QDir::Name:
        return b.name() < a.name();
    case QDir::Time:
        return b.lastModified() < a.lastModified();
    case QDir::Size:
        return b.size() < a.size();
    default:
        return false;
    }
}

bool UrlInfo::isLessOrEqual(const UrlInfo &a, const UrlInfo &b, int key)
{
    return !isGreater(a, b, key);
}

bool UrlInfo::isEqual(const UrlInfo &a, const UrlInfo &b, int key)
{
    switch (key) {
    case QDir::Name:
        return a.name() == b.name();
    case QDir::Time:
        return a.lastModified() == b.lastModified();
    case QDir::Size:
        return a.size() == b.size();
    default:
        return false;
    }
}

} // namespace QMRequest
