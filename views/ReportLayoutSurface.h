#pragma once
#include <memory>
#include <optional>

#include "views/CachedExtentSurface.h"

class CGridCore;
class CGridSurface;

/// The one surface that the open reports of a refill or of Expand all are
/// laid out on: made once from the grid's window, and each text measured
/// once, since the reports share their titles, labels and many values.
class CReportLayoutSurface
{
public:
    explicit CReportLayoutSurface(CGridCore& grid);
    ~CReportLayoutSurface();
    CReportLayoutSurface(const CReportLayoutSurface&) = delete;
    CReportLayoutSurface& operator=(const CReportLayoutSurface&) = delete;

    /// The surface; null when the grid has no window to measure with.
    CGridSurface* Get() { return m_cached ? &*m_cached : nullptr; }

private:
    std::unique_ptr<CGridSurface> m_surface;
    std::optional<CCachedExtentSurface> m_cached;
};
