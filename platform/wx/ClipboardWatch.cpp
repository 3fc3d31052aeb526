#include "platform/wx/ClipboardWatch.h"

#include <gtk/gtk.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include <cstdint>
#include <map>

namespace
{

/// The live watchers by serial number. GTK cannot take back a request, so
/// an answer may come after its watcher has gone; it finds nobody then.
std::map<unsigned, CClipboardWatch*>& LiveWatches()
{
    static std::map<unsigned, CClipboardWatch*> watches;
    return watches;
}

unsigned NextSerial()
{
    static unsigned serial = 0;
    return ++serial;
}

GtkClipboard* Clipboard()
{
    return gtk_clipboard_get(gdk_atom_intern_static_string("CLIPBOARD"));
}

// GLib's casting macros are C casts; these are the same casts in C++.
gpointer ToPointer(unsigned serial)
{
    return reinterpret_cast<gpointer>(static_cast<std::uintptr_t>(serial));
}

unsigned ToSerial(gpointer pointer)
{
    return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(pointer));
}

} // namespace

struct SClipboardWatchCallbacks
{
    static void OwnerChanged(GtkClipboard*, GdkEvent*, gpointer watch)
    {
        static_cast<CClipboardWatch*>(watch)->Refresh();
    }

    static void TargetsReceived(GtkClipboard*, GtkSelectionData* selection, gpointer serial)
    {
        const auto found = LiveWatches().find(ToSerial(serial));
        if (found == LiveWatches().end())
            return;
        CClipboardWatch& watch = *found->second;
        GdkAtom* targets = nullptr;
        gint count = 0;
        bool holds = false;
        if (gtk_selection_data_get_targets(selection, &targets, &count))
        {
            const GdkAtom wanted = gdk_atom_intern(watch.m_target.c_str(), FALSE);
            for (gint i = 0; i < count; ++i)
                holds = holds || targets[i] == wanted;
            g_free(targets);
        }
        watch.Answered(holds);
    }
};

CClipboardWatch::CClipboardWatch(const std::wstring& format, wxWindow* window)
    : m_format(format), m_target(wxString(format).ToUTF8().data()), m_serial(NextSerial())
{
    LiveWatches()[m_serial] = this;
    m_ownerChangeHandler = g_signal_connect_data(
        Clipboard(), "owner-change", reinterpret_cast<GCallback>(&SClipboardWatchCallbacks::OwnerChanged),
        this, nullptr, GConnectFlags{});
    // A window being destroyed drops this binding, and this handler going
    // away drops it from the window: wx tracks both sides.
    if (wxWindow* top = window ? wxGetTopLevelParent(window) : nullptr)
        top->Bind(wxEVT_ACTIVATE, &CClipboardWatch::OnActivate, this);
    Refresh();
}

CClipboardWatch::~CClipboardWatch()
{
    g_signal_handler_disconnect(Clipboard(), m_ownerChangeHandler);
    LiveWatches().erase(m_serial);
}

void CClipboardWatch::NoteWritten(const Platform::CClipboardData& data)
{
    m_holds = data.Has(m_format);
    // An answer still under way speaks of the clipboard before this write.
    if (m_asking)
        m_askAgain = true;
}

void CClipboardWatch::Refresh()
{
    if (m_asking)
    {
        m_askAgain = true;
        return;
    }
    m_asking = true;
    m_askAgain = false;
    // The list of targets itself, not GTK's cache of it, so that activation
    // learns of changes that came without a change of owner. The answer may
    // come within this call when this program owns the clipboard.
    gtk_clipboard_request_contents(Clipboard(), gdk_atom_intern_static_string("TARGETS"),
                                   SClipboardWatchCallbacks::TargetsReceived, ToPointer(m_serial));
}

void CClipboardWatch::OnActivate(wxActivateEvent& event)
{
    event.Skip();
    if (event.GetActive())
        Refresh();
}

void CClipboardWatch::Answered(bool holds)
{
    m_asking = false;
    m_holds = holds;
    if (m_askAgain)
        Refresh();
}
