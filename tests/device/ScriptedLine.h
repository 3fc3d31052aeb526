#pragma once
// The instrument's end of a serial line, played from a script: each step
// waits for the exact bytes the driver must send, then answers with literal
// bytes. Everything the driver sent is kept so a test can compare the whole
// exchange with what the protocol prescribes.

#include "tests/support/PtyPair.h"

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace TerrionTest
{

using TBytes = std::vector<std::uint8_t>;

/// Bytes of an ASCII text, without a terminator.
TBytes Ascii(const std::string& text);
/// a followed by b.
TBytes Cat(TBytes a, const TBytes& b);

struct SScriptStep
{
    TBytes expect; ///< what the driver must send next
    TBytes reply;  ///< what the instrument answers (may be empty)
};

class CScriptedLine
{
public:
    /// Maps "COM<port>:" to a fresh pseudo-terminal.
    explicit CScriptedLine(int port);
    ~CScriptedLine();

    /// Starts playing the steps on a thread of its own.
    void Play(std::vector<SScriptStep> steps);
    /// Waits for the script to end (or to fail), then collects whatever else
    /// the driver sent within quietMs. Returns true when every step matched.
    bool Finish(int quietMs = 30);

    /// Everything the driver sent, in order.
    const TBytes& Received() const { return m_received; }
    /// The first step that did not match, with what came instead.
    const std::string& Failure() const { return m_strFailure; }
    CPtyPair& Pty() { return m_pty; }

private:
    CPtyPair m_pty;
    std::thread m_thread;
    TBytes m_received;
    std::string m_strFailure;
};

} // namespace TerrionTest
