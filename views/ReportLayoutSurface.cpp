#include "views/ReportLayoutSurface.h"

#include "grid/GridCore.h"
#include "grid/GridHost.h"

CReportLayoutSurface::CReportLayoutSurface(CGridCore& grid)
    : m_surface(grid.GetHost() ? grid.GetHost()->HostMeasureSurface() : nullptr)
{
    if (m_surface)
        m_cached.emplace(*m_surface);
}

CReportLayoutSurface::~CReportLayoutSurface() = default;
