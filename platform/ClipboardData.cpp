#include "platform/ClipboardData.h"

namespace Platform
{

void CClipboardData::Set(const std::wstring& format, std::vector<std::uint8_t> bytes)
{
    m_formats[format] = std::move(bytes);
}

const std::vector<std::uint8_t>* CClipboardData::Find(const std::wstring& format) const
{
    const auto it = m_formats.find(format);
    return it == m_formats.end() ? nullptr : &it->second;
}

} // namespace Platform
