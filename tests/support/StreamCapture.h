#pragma once

#include <ostream>
#include <sstream>
#include <string>

// Sends what a standard stream receives into a string for as long as it lives.
class StreamCapture
{
public:
    explicit StreamCapture(std::ostream &stream)
        : m_stream(stream)
        , m_saved(stream.rdbuf(m_text.rdbuf()))
    {
    }
    ~StreamCapture() { m_stream.rdbuf(m_saved); }
    StreamCapture(const StreamCapture &) = delete;
    StreamCapture &operator=(const StreamCapture &) = delete;

    std::string text() const { return m_text.str(); }

private:
    std::ostream &m_stream;
    std::ostringstream m_text;
    std::streambuf *m_saved;
};
