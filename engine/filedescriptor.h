// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

// An open file descriptor, closed when it goes out of scope.
class TFd
{
public:
    explicit TFd(int AFd) : FFd(AFd) {}
    ~TFd()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;

    int Get() const { return FFd; }
    // Closing can report a late write error, so callers that care check it.
    int Close()
    {
        const int Result = ::close(FFd);
        FFd = -1;
        return Result;
    }

private:
    int FFd;
};
