#include "FileSizeLimit.h"

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    if (sigaction(SIGXFSZ, &ignore, &m_previousAction) != 0)
        return;
    if (getrlimit(RLIMIT_FSIZE, &m_previousLimit) != 0) {
        sigaction(SIGXFSZ, &m_previousAction, nullptr);
        return;
    }
    // Only the soft limit is lowered: the hard one stays, so the old value can be set again.
    struct rlimit limit = m_previousLimit;
    limit.rlim_cur = bytes;
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    if (!m_active)
        sigaction(SIGXFSZ, &m_previousAction, nullptr);
}

FileSizeLimit::~FileSizeLimit()
{
    if (!m_active)
        return;
    setrlimit(RLIMIT_FSIZE, &m_previousLimit);
    sigaction(SIGXFSZ, &m_previousAction, nullptr);
}

bool FileSizeLimit::isActive() const
{
    return m_active;
}
