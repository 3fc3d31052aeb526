#include "tests/support/FakeProbe.h"

#include "streams/UsbHostProbeManager.h"

#include <algorithm>

namespace TerrionTest
{
namespace
{

constexpr unsigned char kAck = 0x01;
constexpr unsigned char kHostData = 0x02;
constexpr unsigned char kLengthMask = 0x3F;
constexpr int kHeader = 3;

} // namespace

CFakeProbe::CFakeProbe(std::shared_ptr<SState> state) : m_state(std::move(state))
{
    std::lock_guard guard(m_state->lock);
    m_state->report[1] = kAck;
}

void CFakeProbe::Install(std::shared_ptr<SState> state)
{
    StreamIO::CUsbHostProbeManager::Instance().SetTransportFactory(
        [state = std::move(state)] { return std::make_unique<CFakeProbe>(state); });
}

void CFakeProbe::Uninstall()
{
    StreamIO::CUsbHostProbeManager::Instance().SetTransportFactory(nullptr);
}

std::vector<unsigned char> CFakeProbe::InputReport(int sequence, const std::string& payload)
{
    // Built at its final size: gcc 12 warns falsely on growing a two-byte vector.
    std::vector<unsigned char> report(kInputLength, 0xEE);
    report[0] = 0;
    report[1] = static_cast<unsigned char>(sequence << 5 | payload.size());
    std::copy_n(payload.begin(), std::min<std::size_t>(payload.size(), kInputLength - 2), report.begin() + 2);
    return report;
}

int CFakeProbe::Open(const std::string& path)
{
    std::lock_guard guard(m_state->lock);
    ++m_state->opens;
    m_state->openedPaths.push_back(path);
    return 0;
}

void CFakeProbe::Close()
{
    std::lock_guard guard(m_state->lock);
    ++m_state->closes;
}

int CFakeProbe::ReadInput(unsigned char* report, int length, int)
{
    std::lock_guard guard(m_state->lock);
    if (m_state->inputs.empty())
        return 0;
    const std::vector<unsigned char> input = m_state->inputs.front();
    m_state->inputs.pop_front();
    const int n = std::min(length, static_cast<int>(input.size()));
    std::copy(input.begin(), input.begin() + n, report);
    return n;
}

bool CFakeProbe::GetFeature(unsigned char* report, int length)
{
    std::lock_guard guard(m_state->lock);
    std::vector<unsigned char>& r = m_state->report;
    const bool free = (r[1] & kAck) != 0 && ((r[1] & kHostData) == 0 || (r[2] & kLengthMask) == 0);
    if (free && !m_state->outgoing.empty())
    {
        const std::string payload = m_state->outgoing.front();
        m_state->outgoing.pop_front();
        m_state->deviceCounter = (m_state->deviceCounter + 1) & 7;
        r[1] = static_cast<unsigned char>((r[1] & 0x1C) | (m_state->deviceCounter << 5));
        r[2] = static_cast<unsigned char>(payload.size());
        std::copy(payload.begin(), payload.end(), r.begin() + kHeader);
    }
    std::copy(r.begin(), r.begin() + length, report);
    return true;
}

bool CFakeProbe::SetFeature(const unsigned char* report, int length)
{
    std::lock_guard guard(m_state->lock);
    std::vector<unsigned char>& r = m_state->report;
    r.assign(report, report + length);
    if ((r[1] & kHostData) != 0 && (r[1] & kAck) == 0 && !m_state->deaf)
    {
        const std::string payload(reinterpret_cast<const char*>(&r[kHeader]), r[2] & kLengthMask);
        m_state->received.push_back(payload);
        m_state->hostCounters.push_back((r[1] >> 2) & 7);
        r[1] |= kAck; // taken
        if (m_state->answer)
        {
            const std::string answer = m_state->answer(payload);
            constexpr std::size_t kRoom = kFeatureLength - kHeader;
            for (std::size_t at = 0; at < answer.size(); at += kRoom)
                m_state->outgoing.push_back(answer.substr(at, kRoom));
        }
    }
    else if ((r[1] & (kHostData | kAck)) == kAck)
    {
        // The host took our payload: the report is empty again.
        r[2] = static_cast<unsigned char>(r[2] & ~kLengthMask);
    }
    return true;
}

} // namespace TerrionTest
