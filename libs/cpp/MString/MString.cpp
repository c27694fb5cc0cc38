#include "MString/MString.h"

#include "MTools/FileWriting.h"

#include <QFile>

#include <algorithm>
#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <ostream>

int MString::s_instanceCount = 0;

static const char openFailure[] = "can not open the file";
static const char createFailure[] = "can not create the file";
static const char classIdText[] = "41c69b52-961b-4eee-b5aa-36a830fc3d81";

namespace {

struct FileCloser
{
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

void MString::registerInstance()
{
    m_serial = s_instanceCount;
    ++s_instanceCount;
}

MString::MString()
{
    registerInstance();
}

MString::MString(const char *text)
{
    registerInstance();
    assignBytes(text, text ? unsigned(std::strlen(text)) : 0);
}

MString::MString(const char *bytes, unsigned count)
{
    registerInstance();
    assignBytes(bytes, bytes ? count : 0);
}

MString::MString(Size size)
{
    registerInstance();
    // Zeroed although callers must not rely on the contents: unset memory is never handed out.
    m_data = new char[size.bytes]();
    m_length = size.bytes;
    m_capacity = size.bytes;
}

MString::MString(char c)
{
    registerInstance();
    assignBytes(&c, 1);
}

MString::MString(int value)
{
    registerInstance();
    assignPrintf("%d", value);
}

MString::MString(long value)
{
    registerInstance();
    assignPrintf("%ld", value);
}

MString::MString(unsigned value)
{
    registerInstance();
    assignPrintf("%u", value);
}

MString::MString(float value)
{
    registerInstance();
    assignPrintf("%f", double(value));
}

MString::MString(double value)
{
    registerInstance();
    assignPrintf("%f", value);
}

MString::MString(long double value)
{
    registerInstance();
    assignPrintf("%f", double(float(value)));
}

MString::MString(const MString &other)
{
    registerInstance();
    m_data = new char[other.m_length];
    m_length = other.m_length;
    m_capacity = other.m_length;
    if (m_length > 0)
        std::memcpy(m_data, other.m_data, m_length);
}

MString &MString::operator=(const MString &other)
{
    return set(other);
}

MString::~MString()
{
    --s_instanceCount;
    delete[] m_data;
}

void MString::assignBytes(const char *bytes, unsigned count)
{
    char *buffer = new char[count];
    if (count > 0)
        std::memcpy(buffer, bytes, count);
    delete[] m_data;
    m_data = buffer;
    m_length = count;
    m_capacity = count;
}

// The whole text however long: "%f" of a large double runs past any fixed buffer.
void MString::assignPrintf(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        va_end(arguments);
        assignBytes(nullptr, 0);
        return;
    }
    std::unique_ptr<char[]> text(new char[size_t(needed) + 1]);
    std::vsnprintf(text.get(), size_t(needed) + 1, format, arguments);
    va_end(arguments);
    assignBytes(text.get(), unsigned(needed));
}

int *MString::instanceCounterAddress()
{
    return &s_instanceCount;
}

MString &MString::operator+=(const MString &other)
{
    return append(other);
}

MString MString::operator+(const MString &other) const
{
    MString result(*this);
    result.append(other);
    return result;
}

char &MString::operator[](const int &index)
{
    assert(index >= 0 && unsigned(index) < m_length);
    return m_data[index];
}

const char &MString::operator[](const int &index) const
{
    assert(index >= 0 && unsigned(index) < m_length);
    return m_data[index];
}

bool MString::operator==(const MString &other)
{
    return equals(other);
}

bool MString::operator!=(const MString &other)
{
    return !equals(other);
}

// Bytes compare as signed char, so 0x80..0xFF sort below the ASCII range.
int MString::compare(const MString &other) const
{
    const unsigned common = std::min(m_length, other.m_length);
    for (unsigned i = 0; i < common; ++i) {
        const signed char mine = static_cast<signed char>(m_data[i]);
        const signed char theirs = static_cast<signed char>(other.m_data[i]);
        if (mine != theirs)
            return mine < theirs ? -1 : 1;
    }
    if (m_length == other.m_length)
        return 0;
    return m_length < other.m_length ? -1 : 1;
}

bool MString::operator>(const MString &other)
{
    return compare(other) > 0;
}

bool MString::operator<(const MString &other)
{
    return compare(other) < 0;
}

bool MString::operator>=(const MString &other)
{
    return operator>(other) || operator==(other);
}

bool MString::operator<=(const MString &other)
{
    return operator<(other) || operator==(other);
}

void MString::print(std::ostream &stream)
{
    for (unsigned i = 0; i < m_length; ++i)
        stream.put(m_data[i] == 0 ? ' ' : m_data[i]);
}

bool MString::isEmpty() const
{
    return m_length == 0;
}

MString MString::mid(const int &from, const int &to) const
{
    const long long first = std::max<long long>(0, std::min<long long>(from, m_length));
    const long long last = std::max<long long>(first, std::min<long long>(to, m_length));
    return MString(m_data ? m_data + first : nullptr, unsigned(last - first));
}

MString &MString::set(const char *text)
{
    assignBytes(text, text ? unsigned(std::strlen(text)) : 0);
    return *this;
}

MString &MString::set(const MString &other)
{
    if (&other != this)
        assignBytes(other.m_data, other.m_length);
    return *this;
}

// A full buffer doubles, so that appends take amortised constant time: grown by exactly what came, every
// append copied the whole string.
MString &MString::append(const MString &other)
{
    if (other.m_length == 0 && m_data)
        return *this;
    const unsigned most = std::numeric_limits<unsigned>::max();
    if (other.m_length > most - m_length)
        throw std::bad_alloc();
    const unsigned needed = m_length + other.m_length;
    if (needed <= m_capacity && m_data) {
        if (other.m_length > 0)
            std::memcpy(m_data + m_length, other.m_data, other.m_length);
        m_length = needed;
        return *this;
    }
    const unsigned capacity = std::max(needed, m_capacity > most / 2 ? most : m_capacity * 2);
    char *buffer = new char[capacity];
    if (m_length > 0)
        std::memcpy(buffer, m_data, m_length);
    // Before the old buffer goes: it may be the other's own, when a string is appended to itself.
    if (other.m_length > 0)
        std::memcpy(buffer + m_length, other.m_data, other.m_length);
    delete[] m_data;
    m_data = buffer;
    m_length = needed;
    m_capacity = capacity;
    return *this;
}

MString &MString::concat(const MString &other)
{
    return append(other);
}

MString &MString::reverse()
{
    std::reverse(m_data, m_data + m_length);
    return *this;
}

bool MString::equals(const MString &other) const
{
    return m_length == other.m_length && (m_length == 0 || std::memcmp(m_data, other.m_data, m_length) == 0);
}

MString &MString::nullTerminate()
{
    if (m_length == std::numeric_limits<unsigned>::max())
        throw std::bad_alloc();
    const unsigned length = m_length;
    const unsigned capacity = std::max(m_capacity, length + 1);
    char *buffer = new char[capacity];
    if (length > 0)
        std::memcpy(buffer, m_data, length);
    buffer[length] = 0;
    delete[] m_data;
    m_data = buffer;
    m_capacity = capacity;
    return *this;
}

MString &MString::toUpper()
{
    for (unsigned i = 0; i < m_length; ++i) {
        if (m_data[i] >= 'a' && m_data[i] <= 'z')
            m_data[i] = char(m_data[i] - 'a' + 'A');
    }
    return *this;
}

MString &MString::toLower()
{
    for (unsigned i = 0; i < m_length; ++i) {
        if (m_data[i] >= 'A' && m_data[i] <= 'Z')
            m_data[i] = char(m_data[i] - 'A' + 'a');
    }
    return *this;
}

char *MString::data()
{
    return m_data;
}

const char *MString::constData() const
{
    return m_data;
}

MString &MString::save(const char *path)
{
    // A write that stops half-way fails like one that cannot start, and the old file stays as it was.
    if (!MTools::writeFileSafely(QFile::decodeName(path), QByteArray(m_data, int(m_length))))
        throw createFailure;
    return *this;
}

// A copy of the path is terminated, so a const path is never changed.
MString &MString::save(const MString &path)
{
    MString terminated(path);
    terminated.nullTerminate();
    return save(terminated.data());
}

MString &MString::printRaw(std::ostream &stream)
{
    for (unsigned i = 0; i < m_length && m_data[i] != 0; ++i)
        stream.put(m_data[i]);
    return *this;
}

MString &MString::load(const char *path)
{
    long size = 0;
    {
        File file(std::fopen(path, "rb"));
        if (!file)
            throw openFailure;
        if (std::fseek(file.get(), 0, SEEK_END) == 0)
            size = std::ftell(file.get());
    }
    return load(path, 0, int(std::min<long>(std::max<long>(size, 0), 0x7fffffff)));
}

MString &MString::load(const MString &path)
{
    MString terminated(path);
    terminated.nullTerminate();
    return load(terminated.data());
}

MString &MString::load(const char *path, const int &offset, const int &size)
{
    File file(std::fopen(path, "rb"));
    if (!file)
        throw openFailure;
    // Only as much as the file holds past the offset is allocated and kept.
    long available = 0;
    if (offset >= 0 && std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long end = std::ftell(file.get());
        if (end > offset && std::fseek(file.get(), offset, SEEK_SET) == 0)
            available = end - offset;
    }
    const unsigned wanted = unsigned(std::max<long>(0, std::min<long>(available, size)));
    std::unique_ptr<char[]> buffer(new char[wanted]);
    const size_t read = wanted > 0 ? std::fread(buffer.get(), 1, wanted, file.get()) : 0;
    assignBytes(buffer.get(), unsigned(read));
    return *this;
}

const char *MString::c_str()
{
    return nullTerminate().m_data;
}

int MString::find(const MString &sub, unsigned from) const
{
    if (sub.m_length == 0 || from >= m_length || sub.m_length > m_length - from)
        return -1;
    // The C library's search is linear in the worst case (two-way matching): a plain scan that compares the
    // whole sub at every position takes their product on text such as "aaaa…" searched for "aa…ab".
    const void *hit = ::memmem(m_data + from, m_length - from, sub.m_data, sub.m_length);
    return hit ? int(static_cast<const char *>(hit) - m_data) : -1;
}

unsigned MString::length() const
{
    return m_length;
}

MString MString::classId() const
{
    return MString(classIdText, unsigned(sizeof classIdText - 1));
}

MString MString::identity() const
{
    MString result = classId();
    result.append(MString(m_serial));
    return result;
}

MString MString::className() const
{
    return MString("MString");
}

int MString::instanceCount() const
{
    return *const_cast<MString *>(this)->instanceCounterAddress();
}
