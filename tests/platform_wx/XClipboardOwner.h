#pragma once
// The clipboard-watch tests' other X client (XClipboardOwnerMain.cpp) as a
// process of its own, and the event pump the tests wait with.

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/types.h>

namespace TerrionTest
{

class CXClipboardOwner
{
public:
    explicit CXClipboardOwner(const char* program);
    ~CXClipboardOwner();
    CXClipboardOwner(const CXClipboardOwner&) = delete;
    CXClipboardOwner& operator=(const CXClipboardOwner&) = delete;

    /// Sends one command line and returns its answer (empty when it gave none).
    std::string Send(const std::string& command);
    /// The clipboard requests it has received so far; -1 when it does not answer.
    int Requests();

private:
    pid_t m_pid = -1;
    int m_input = -1;
    std::FILE* m_output = nullptr;
};

/// Runs the event loop (as between two user actions) until done() holds or
/// the time is up; whether done() held.
bool PumpEventsUntil(const std::function<bool()>& done,
                     std::chrono::milliseconds limit = std::chrono::milliseconds(5000));
/// Runs the event loop and the idle processing for the given time.
void PumpEventsFor(std::chrono::milliseconds time);

} // namespace TerrionTest
