#include "grid/GridStateSurface.h"

CGridStateSurface::CGridStateSurface(SGridRect paintArea, bool printing)
    : m_paintArea(paintArea), m_printing(printing)
{
    m_now.clip = paintArea;
    m_now.bound = paintArea;
}

void CGridStateSurface::SetPaintArea(const SGridRect& paintArea)
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

void CGridStateSurface::StoreClip(const SGridRect& clip)
{
    // An empty clip is kept as the empty rectangle, so empty clips compare equal.
    m_now.clip = clip.IsEmpty() ? SGridRect{} : clip;
}

void CGridStateSurface::SaveState()
{
    m_saved.push_back(m_now);
    m_now.bound = m_now.clip;
}

void CGridStateSurface::RestoreState()
{
    if (m_saved.empty())
        return;
    m_now = m_saved.back();
    m_saved.pop_back();
}

void CGridStateSurface::SetClip(const SGridRect& rect)
{
    StoreClip(ToDevice(rect).Intersect(m_now.bound));
}

void CGridStateSurface::IntersectClip(const SGridRect& rect)
{
    StoreClip(ToDevice(rect).Intersect(m_now.clip));
}

void CGridStateSurface::ResetClip()
{
    StoreClip(m_now.bound);
}
