#pragma once

#include <sys/resource.h>

#include <csignal>

// Holds the process's file-size limit at a number of bytes while it lives, as a full disk or a quota
// would stop a writer half-way. SIGXFSZ is ignored meanwhile, so the write fails with EFBIG instead of
// ending the process; both are restored afterwards. Only files are limited: the test's output, a pipe
// to CTest, is not.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();

    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isActive() const;

private:
    struct rlimit m_previousLimit;
    struct sigaction m_previousAction;
    bool m_active = false;
};
