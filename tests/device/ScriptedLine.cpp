#include "tests/device/ScriptedLine.h"

#include <cstdio>

namespace TerrionTest
{
namespace
{

std::string Hex(const TBytes& bytes)
{
    std::string text;
    char part[4];
    for (std::uint8_t b : bytes)
    {
        std::snprintf(part, sizeof part, "%02X ", b);
        text += part;
    }
    return text;
}

} // namespace

TBytes Ascii(const std::string& text)
{
    return TBytes(text.begin(), text.end());
}

TBytes Cat(TBytes a, const TBytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

CScriptedLine::CScriptedLine(int port)
{
    m_pty.Map(port);
}

CScriptedLine::~CScriptedLine()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CScriptedLine::Play(std::vector<SScriptStep> steps)
{
    m_thread = std::thread(
        [this, steps = std::move(steps)]
        {
            for (std::size_t i = 0; i < steps.size(); ++i)
            {
                const SScriptStep& step = steps[i];
                const TBytes got = m_pty.Read(step.expect.size(), 3000);
                m_received.insert(m_received.end(), got.begin(), got.end());
                if (got != step.expect)
                {
                    m_strFailure =
                        "step " + std::to_string(i) + ": expected " + Hex(step.expect) + "got " + Hex(got);
                    return;
                }
                if (!step.reply.empty())
                    m_pty.Write(step.reply);
            }
        });
}

bool CScriptedLine::Finish(int quietMs)
{
    if (m_thread.joinable())
        m_thread.join();
    const TBytes rest = m_pty.ReadUntilQuiet(quietMs);
    m_received.insert(m_received.end(), rest.begin(), rest.end());
    return m_strFailure.empty();
}

} // namespace TerrionTest
