#include "MGraphX/ProgressLine.h"

#include <algorithm>

namespace MGraphX {

ProgressLine::ProgressLine(const int &first, const int &second, const int &third, const int &fourth, const int &fifth)
    : m_values{first, second, third, fourth, fifth}
{
}

ProgressLine::~ProgressLine() = default;

void ProgressLine::refresh() {}

void ProgressLine::finish() {}

void ProgressLine::setProgress(const int &value)
{
    if (value < 0)
        return;
    m_progress = std::min(std::max(m_progress, value), 100);
}

void ProgressLine::addProgress(const int &step)
{
    if (step < 0)
        return;
    m_progress = int(std::clamp<long long>((long long)m_progress + step, 0, 100));
}

} // namespace MGraphX
