#pragma once
// Whether the clipboard holds one of the program's own formats, kept as a
// flag so that enabling a command never asks the clipboard: on X that is a
// round trip to the clipboard's owner, far too slow for every idle. The
// owner is asked, without waiting for its answer, when any program takes
// the clipboard (GTK's "owner-change"), when the watched window's top-level
// window is activated, and the flag is set at once when this program writes
// the clipboard itself. UI thread only.

#include "platform/ClipboardData.h"

#include <wx/event.h>

#include <string>

class wxWindow;

class CClipboardWatch : public wxEvtHandler
{
public:
    /// format: the name of the program's own format watched. window: its
    /// top-level window's activation asks again (null: owner changes only).
    CClipboardWatch(const std::wstring& format, wxWindow* window);
    ~CClipboardWatch() override;
    CClipboardWatch(const CClipboardWatch&) = delete;
    CClipboardWatch& operator=(const CClipboardWatch&) = delete;

    /// The last known answer; never asks the clipboard.
    bool HoldsFormat() const { return m_holds; }
    /// This program has just put data on the clipboard.
    void NoteWritten(const Platform::CClipboardData& data);
    /// Asks the clipboard's owner for its formats; the flag changes when the
    /// answer arrives. A request while one is under way is made after it.
    void Refresh();

private:
    friend struct SClipboardWatchCallbacks;

    void OnActivate(wxActivateEvent& event);
    void Answered(bool holds);

    std::wstring m_format;
    std::string m_target; ///< the format's name as the X atom's
    unsigned m_serial;    ///< how late answers find this watcher
    unsigned long m_ownerChangeHandler = 0;
    bool m_holds = false;
    bool m_asking = false;
    bool m_askAgain = false;
};
