#include "grid/GridDropTarget.h"

#include <wx/dataobj.h>
#include <wx/utils.h>

#include "grid/GridCtrl.h"
#include "grid/GridDropEffect.h"
#include "grid/GridKeyMap.h"

bool CGridDropTarget::s_registering = false;

CGridDropTarget::CGridDropTarget() : wxDropTarget(new wxTextDataObject)
{
}

bool CGridDropTarget::Register(wxWindow* window)
{
    if (m_registered || s_registering)
        return m_registered;
    auto* grid = dynamic_cast<CGridCtrl*>(window);
    if (!grid)
        return false;
    s_registering = true;
    m_grid = grid;
    if (grid->GetDropTarget() != this)
        grid->SetDropTarget(this);
    m_registered = grid->GetDropTarget() == this;
    s_registering = false;
    return m_registered;
}

bool CGridDropTarget::OffersText()
{
    return GetMatchingPair() != wxDF_INVALID;
}

wxDragResult CGridDropTarget::Answer(unsigned effect)
{
    m_lastResult = effect == DROPEFFECT_COPY   ? wxDragCopy
                   : effect == DROPEFFECT_MOVE ? wxDragMove
                                               : wxDragNone;
    return m_lastResult;
}

wxDragResult CGridDropTarget::OnEnter(wxCoord x, wxCoord y, wxDragResult)
{
    if (!m_registered || !m_grid)
        return Answer(DROPEFFECT_NONE);
    return Answer(
        m_grid->OnDragEnter(OffersText(), CGridKeyMap::Modifiers(wxGetMouseState()), SGridPoint{x, y}));
}

wxDragResult CGridDropTarget::OnDragOver(wxCoord x, wxCoord y, wxDragResult)
{
    if (!m_registered || !m_grid)
        return Answer(DROPEFFECT_NONE);
    return Answer(
        m_grid->OnDragOver(OffersText(), CGridKeyMap::Modifiers(wxGetMouseState()), SGridPoint{x, y}));
}

void CGridDropTarget::OnLeave()
{
    if (m_registered && m_grid)
        m_grid->OnDragLeave();
}

bool CGridDropTarget::OnDrop(wxCoord, wxCoord)
{
    // The data is fetched (and OnData called) only for a drop the grid would take.
    return m_registered && m_grid && m_lastResult != wxDragNone;
}

wxDragResult CGridDropTarget::OnData(wxCoord x, wxCoord y, wxDragResult)
{
    const wxDragResult result = m_lastResult;
    m_lastResult = wxDragNone;
    if (!m_registered || !m_grid || result == wxDragNone || !GetData())
        return wxDragNone;
    const auto* data = static_cast<wxTextDataObject*>(GetDataObject());
    const std::wstring text = data->GetText().ToStdWstring();
    const unsigned effect = result == wxDragCopy ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    return m_grid->OnDrop(&text, effect, SGridPoint{x, y}) ? result : wxDragNone;
}
