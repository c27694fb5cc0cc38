#pragma once

// A flag that may also be unknown: 0 false, 1 true, 1000 undefined (other values are kept as given).
class TriState
{
public:
    enum Value { False = 0, True = 1, Undefined = 1000 };

    TriState() = default;
    TriState(int value) : m_value(value) {}
    TriState(bool value) : m_value(value ? True : False) {}
    TriState &operator=(bool value);

    void set(int value) { m_value = value; }
    void set(bool value) { m_value = value ? True : False; }
    int value() const { return m_value; }

    // Undefined clears *defined and answers false; any other value answers whether it is 1.
    bool toBool(bool *defined) const;

    bool operator==(const TriState &other) const { return m_value == other.m_value; }
    bool operator!=(const TriState &other) const { return m_value != other.m_value; }

private:
    int m_value = Undefined;
};
