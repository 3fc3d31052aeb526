#include "tests/fuzz/FuzzHidTransport.h"

#include "streams/UsbHostProbeManager.h"

#include <algorithm>

namespace TerrionFuzz
{
namespace
{

CFuzzInput* g_input = nullptr;

} // namespace

void CFuzzHidTransport::Install()
{
    StreamIO::CUsbHostProbeManager::Instance().SetTransportFactory(
        [] { return std::make_unique<CFuzzHidTransport>(); });
}

void CFuzzHidTransport::Use(CFuzzInput* input)
{
    g_input = input;
}

int CFuzzHidTransport::Open(const std::string&)
{
    m_pInput = g_input;
    if (m_pInput == nullptr)
        return 2;
    // Lengths of 0..64 bytes, report id included: the channels must refuse
    // the ones without room for their header.
    m_nFeatureLength = m_pInput->Byte() % 65;
    m_nInputLength = m_pInput->Byte() % 65;
    return 0;
}

bool CFuzzHidTransport::GetFeature(unsigned char* report, int length)
{
    if (m_pInput == nullptr || m_pInput->Empty() || length <= 0)
        return false;
    const auto piece = m_pInput->Take(static_cast<std::size_t>(length));
    std::fill(std::copy(piece.begin(), piece.end(), report), report + length, 0);
    return true;
}

bool CFuzzHidTransport::SetFeature(const unsigned char*, int length)
{
    return m_pInput != nullptr && !m_pInput->Empty() && length > 0;
}

int CFuzzHidTransport::ReadInput(unsigned char* report, int length, int)
{
    if (m_pInput == nullptr || m_pInput->Empty() || length <= 0)
        return -1;
    // The size the device gives for this report: none up to the whole report.
    const int size = m_pInput->Byte() % (length + 1);
    const auto piece = m_pInput->Take(static_cast<std::size_t>(size));
    std::copy(piece.begin(), piece.end(), report);
    return static_cast<int>(piece.size());
}

} // namespace TerrionFuzz
