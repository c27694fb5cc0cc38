#pragma once

#include <iosfwd>

// A counted run of bytes with value semantics. Every operation is virtual so that a subclass can
// replace a primitive and the composite operations follow it. The buffer is not zero-terminated
// (see nullTerminate); a default-constructed string has no buffer at all.
// The only class of the support libraries that throws: the texts "can not open the file" and
// "can not create the file", as const char*.
class MString
{
public:
    // The byte count of the uninitialised-buffer constructor, a type of its own so that it
    // cannot be mistaken for the numeric-text constructors.
    struct Size
    {
        explicit Size(unsigned count) : bytes(count) {}
        unsigned bytes;
    };

    MString();
    MString(const char *text);
    MString(const char *bytes, unsigned count);
    explicit MString(Size size);
    MString(char c);
    MString(int value);
    MString(long value);
    MString(unsigned value);
    MString(float value);
    MString(double value);
    // Goes through single precision first, as the text of a float.
    MString(long double value);
    MString(const MString &other);
    MString &operator=(const MString &other);

    virtual int *instanceCounterAddress();
    virtual ~MString();
    virtual MString &operator+=(const MString &other);
    virtual MString operator+(const MString &other) const;
    virtual char &operator[](const int &index);
    virtual const char &operator[](const int &index) const;
    virtual bool operator==(const MString &other);
    virtual bool operator!=(const MString &other);
    virtual bool operator>(const MString &other);
    virtual bool operator<(const MString &other);
    virtual bool operator>=(const MString &other);
    virtual bool operator<=(const MString &other);
    // Every byte, a zero byte written as a space.
    virtual void print(std::ostream &stream);
    virtual bool isEmpty() const;
    // Bytes from..to-1, the bounds clamped into the string.
    virtual MString mid(const int &from, const int &to) const;
    virtual MString &set(const char *text);
    virtual MString &set(const MString &other);
    virtual MString &append(const MString &other);
    virtual MString &concat(const MString &other);
    virtual MString &reverse();
    virtual bool equals(const MString &other) const;
    // Puts a zero byte after the content in a new buffer; pointers taken before become invalid.
    virtual MString &nullTerminate();
    virtual MString &toUpper();
    virtual MString &toLower();
    virtual char *data();
    virtual const char *constData() const;
    virtual MString &save(const char *path);
    virtual MString &save(const MString &path);
    // The bytes up to the first zero byte.
    virtual MString &printRaw(std::ostream &stream);
    virtual MString &load(const char *path);
    virtual MString &load(const MString &path);
    // Up to size bytes from offset; a file that ends sooner gives only the bytes it has.
    virtual MString &load(const char *path, const int &offset, const int &size);
    virtual const char *c_str();
    // First position at or after from where sub begins, else -1; an empty sub never matches.
    virtual int find(const MString &sub, unsigned from) const;
    virtual unsigned length() const;
    virtual MString classId() const;
    // classId followed by this object's serial.
    virtual MString identity() const;
    virtual MString className() const;
    virtual int instanceCount() const;

private:
    void registerInstance();
    void assignBytes(const char *bytes, unsigned count);
    void assignPrintf(const char *format, ...);
    int compare(const MString &other) const;

    int m_serial = 0;
    char *m_data = nullptr;
    unsigned m_length = 0;
    // The bytes m_data holds room for; past the length they are unset.
    unsigned m_capacity = 0;

    static int s_instanceCount;
};
