#include "device/others/ListeningDecoder.h"

#include <charconv>

namespace Device
{

CListeningDecoder::NResult CListeningDecoder::Feed(std::uint8_t byte)
{
    if (!m_bInLine)
    {
        if (byte == '\n')
        {
            m_bInLine = true;
            m_bTooLong = false;
            m_strLine.clear();
        }
        return lrListening;
    }
    if (byte != '\r')
    {
        if (m_strLine.size() < kMaxLine)
            m_strLine.push_back(static_cast<char>(byte));
        else
            m_bTooLong = true;
        return lrListening;
    }
    m_bInLine = false;
    if (m_bTooLong)
        return lrListening;
    if (m_strLine.find_first_not_of(" \t") == std::string::npos)
        return lrEnded;
    if (IsNumericLine(m_strLine) && ++m_nCounted >= kLinesNeeded)
        return lrIdentified;
    return lrListening;
}

bool CListeningDecoder::IsNumericLine(const std::string& line)
{
    std::size_t pos = line.find_first_not_of(" \t\n\v\f\r");
    if (pos == std::string::npos)
        return false;
    if (line[pos] == '+')
        ++pos;
    double value = 0.0;
    const auto [end, error] = std::from_chars(line.data() + pos, line.data() + line.size(), value);
    if (error != std::errc() || end == line.data() + pos)
        return false;
    return value >= -1.0 && value <= 99999.0;
}

} // namespace Device
