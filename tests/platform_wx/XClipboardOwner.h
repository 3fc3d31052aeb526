#pragma once
// The clipboard-watch tests' other X client (XClipboardOwnerMain.cpp) as a
// process of its own, and the event pump the tests wait with.

#include "tests/support/PipedChild.h"

#include <chrono>
#include <functional>
#include <string>

namespace TerrionTest
{

class CXClipboardOwner
{
public:
    explicit CXClipboardOwner(const char* program) : m_child(program, "quit\n") {}

    /// Sends one command line and returns its answer (empty when it gave none).
    std::string Send(const std::string& command);
    /// The clipboard requests it has received so far; -1 when it does not answer.
    int Requests();

private:
    CPipedChild m_child;
};

/// Runs the event loop (as between two user actions) until done() holds or
/// the time is up; whether done() held.
bool PumpEventsUntil(const std::function<bool()>& done,
                     std::chrono::milliseconds limit = std::chrono::milliseconds(5000));
/// Runs the event loop and the idle processing for the given time.
void PumpEventsFor(std::chrono::milliseconds time);

} // namespace TerrionTest
