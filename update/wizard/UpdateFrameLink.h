#pragma once
// What a frame hands to the update checks so that their results reach it:
// a relay to the frame's events, detached when the link goes (or earlier),
// after which a late check posts nothing.

#include "update/UpdateRelay.h"
#include "update/wizard/UpdateEvents.h"

#include <memory>

namespace Update
{

class CUpdateFrameLink
{
public:
    /// Results go to frame as its two version event types; messages (the
    /// firmware reminder) are boxes of prompts owned by frame.
    CUpdateFrameLink(wxWindow* frame, wxEventType programEvent, wxEventType firmwareEvent,
                     CUserPrompts& prompts);
    ~CUpdateFrameLink();
    CUpdateFrameLink(const CUpdateFrameLink&) = delete;
    CUpdateFrameLink& operator=(const CUpdateFrameLink&) = delete;

    /// Give this to CAutoFwUpdate (and other checks) as their owner.
    std::shared_ptr<CUpdateUi> Relay() const { return m_relay; }
    void Detach() { m_relay->Detach(); }

private:
    CUpdateEventSink m_sink;
    std::shared_ptr<CUpdateRelay> m_relay;
};

} // namespace Update
