#include "grid/GridSurfaceState.h"

CGridSurfaceState::CGridSurfaceState(SGridRect paintArea) : m_paintArea(paintArea)
{
    m_now.clip = paintArea;
    m_now.bound = paintArea;
}

void CGridSurfaceState::SetPaintArea(SGridRect paintArea)
{
    // A clip or bound that was the whole area stays the whole area; narrower ones stay as they are.
    auto follow = [&](SGridRect& rect)
    {
        if (rect == m_paintArea)
            rect = paintArea;
    };
    follow(m_now.clip);
    follow(m_now.bound);
    for (SValues& values : m_saved)
    {
        follow(values.clip);
        follow(values.bound);
    }
    m_paintArea = paintArea;
}

bool CGridSurfaceState::StoreClip(const SGridRect& clip)
{
    // An empty clip is kept as the empty rectangle, so empty clips compare equal.
    const SGridRect stored = clip.IsEmpty() ? SGridRect{} : clip;
    if (stored == m_now.clip)
        return false;
    m_now.clip = stored;
    return true;
}

bool CGridSurfaceState::Save()
{
    m_saved.push_back(m_now);
    m_now.bound = m_now.clip;
    return false;
}

bool CGridSurfaceState::Restore()
{
    if (m_saved.empty())
        return false;
    const SGridRect clip = m_now.clip;
    m_now = m_saved.back();
    m_saved.pop_back();
    return !(clip == m_now.clip);
}

bool CGridSurfaceState::SetClip(const SGridRect& logical)
{
    return StoreClip(ToDevice(logical).Intersect(m_now.bound));
}

bool CGridSurfaceState::IntersectClip(const SGridRect& logical)
{
    return StoreClip(ToDevice(logical).Intersect(m_now.clip));
}

bool CGridSurfaceState::ResetClip()
{
    return StoreClip(m_now.bound);
}
