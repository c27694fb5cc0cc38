#pragma once

namespace MGraphX {

// A progress value from 0 to 100 that never goes back. The five numbers given to the constructor
// are kept for subclasses; this class does not read them.
class ProgressLine
{
public:
    ProgressLine(const int &first, const int &second, const int &third, const int &fourth, const int &fifth);
    virtual ~ProgressLine();
    // Points where subclasses show the progress; they do nothing here.
    virtual void refresh();
    virtual void finish();

    int progress() const { return m_progress; }
    // A negative value is ignored; a smaller one leaves the progress as it is.
    void setProgress(const int &value);
    // A negative step is ignored.
    void addProgress(const int &step);

private:
    int m_progress = 0;
    int m_values[5];
};

} // namespace MGraphX
