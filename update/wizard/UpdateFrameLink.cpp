#include "update/wizard/UpdateFrameLink.h"

namespace Update
{

CUpdateFrameLink::CUpdateFrameLink(wxWindow* frame, wxEventType programEvent, wxEventType firmwareEvent,
                                   CUserPrompts& prompts)
    : m_sink(frame, programEvent, firmwareEvent, prompts), m_relay(std::make_shared<CUpdateRelay>(&m_sink))
{
}

CUpdateFrameLink::~CUpdateFrameLink()
{
    m_relay->Detach();
}

} // namespace Update
