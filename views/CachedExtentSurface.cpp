#include "views/CachedExtentSurface.h"

CCachedExtentSurface::CCachedExtentSurface(CGridSurface& target) : m_target(target), m_font(target.GetFont())
{
}

void CCachedExtentSurface::SaveState()
{
    m_savedFonts.push_back(m_font);
    m_target.SaveState();
}

void CCachedExtentSurface::RestoreState()
{
    if (!m_savedFonts.empty())
    {
        m_font = m_savedFonts.back();
        m_savedFonts.pop_back();
        m_current = nullptr;
    }
    m_target.RestoreState();
}

void CCachedExtentSurface::SetFont(const SGridFont& font)
{
    if (!(font == m_font))
    {
        m_font = font;
        m_current = nullptr;
    }
    m_target.SetFont(font);
}

SGridSize CCachedExtentSurface::GetTextExtent(std::wstring_view text)
{
    if (!m_current)
    {
        for (auto& [font, extents] : m_cache)
            if (font == m_font)
                m_current = &extents;
        if (!m_current)
            m_current = &m_cache.emplace_back(m_font, TExtents{}).second;
    }
    std::wstring key(text);
    const auto it = m_current->find(key);
    if (it != m_current->end())
        return it->second;
    ++m_measured;
    const SGridSize size = m_target.GetTextExtent(text);
    m_current->emplace(std::move(key), size);
    return size;
}
