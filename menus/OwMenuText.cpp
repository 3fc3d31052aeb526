#include "menus/OwMenuText.h"

OwMenuText::OwMenuText(std::wstring_view text)
{
    const std::size_t firstTab = text.find(L'\t');
    if (firstTab == std::wstring_view::npos)
    {
        m_label = text;
    }
    else
    {
        m_label = text.substr(0, firstTab);
        m_accelerator = text.substr(text.rfind(L'\t') + 1);
    }
    m_shown.reserve(m_label.size());
    for (std::size_t i = 0; i < m_label.size(); ++i)
    {
        if (m_label[i] != L'&')
        {
            m_shown += m_label[i];
            continue;
        }
        if (i + 1 == m_label.size())
            break; // a marker with nothing after it shows nothing
        ++i;
        if (m_label[i] != L'&' && m_mnemonic < 0)
            m_mnemonic = static_cast<int>(m_shown.size());
        m_shown += m_label[i];
    }
}

wchar_t OwMenuText::GetMnemonic() const
{
    return m_mnemonic < 0 ? L'\0' : m_shown[static_cast<std::size_t>(m_mnemonic)];
}
