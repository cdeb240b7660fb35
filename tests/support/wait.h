// The one bounded wait of the tests that watch something happen elsewhere
// (another process, a window): asked again and again until it holds or the
// time is up, never waited for without a bound.
#ifndef QUILLMOOR_SUPPORT_WAIT_H
#define QUILLMOOR_SUPPORT_WAIT_H

#include <chrono>
#include <thread>

// Long enough for anything the program does in one step under a loaded
// machine, short enough that a hung case ends quickly.
const unsigned long CaseWaitLimit = 5000;

// Whether `done` came true within `limit` milliseconds, asked every 10 ms.
template <typename Condition> bool WaitFor(Condition done, unsigned long limit = CaseWaitLimit)
{
    const auto start = std::chrono::steady_clock::now();
    while (!done()) {
        if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(limit))
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

#endif
