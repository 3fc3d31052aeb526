#include "update/wizard/UpdateFrameLink.h"

namespace Update
{

CUpdateFrameLink::CUpdateFrameLink(wxWindow* frame)
    : m_sink(frame), m_relay(std::make_shared<CUpdateRelay>(&m_sink))
{
}

CUpdateFrameLink::~CUpdateFrameLink()
{
    m_relay->Detach();
}

} // namespace Update
