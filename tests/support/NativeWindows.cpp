#include "tests/support/NativeWindows.h"

#include <wx/app.h>
#include <wx/toolbar.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <X11/Xlib.h>

#include <chrono>

namespace TerrionTest
{
namespace
{

GtkWindow* ShownBoxWindow()
{
    GtkWindow* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next)
    {
        GtkWidget* widget = GTK_WIDGET(item->data);
        if (GTK_IS_MESSAGE_DIALOG(widget) && gtk_widget_get_visible(widget))
            found = GTK_WINDOW(widget);
    }
    g_list_free(windows);
    return found;
}

/// The window below the root that holds window (itself without a window manager).
Window RootChild(Display* display, Window window)
{
    for (;;)
    {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root)
            return window;
        window = parent;
    }
}

Window XWindowOf(wxWindow* window)
{
    wxWindow* top = wxGetTopLevelParent(window);
    if (!top || !top->GetHandle())
        return 0;
    GdkWindow* gdk = gtk_widget_get_window(top->GetHandle());
    return gdk ? gdk_x11_window_get_xid(gdk) : 0;
}

/// The GTK toolbar itself, within what wxWidgets wraps it in.
GtkWidget* FindGtkToolbar(GtkWidget* widget)
{
    if (!widget || GTK_IS_TOOLBAR(widget))
        return widget;
    if (!GTK_IS_CONTAINER(widget))
        return nullptr;
    GtkWidget* found = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* item = children; item && !found; item = item->next)
        found = FindGtkToolbar(GTK_WIDGET(item->data));
    g_list_free(children);
    return found;
}

} // namespace

SShownBox ShownMessageBox()
{
    SShownBox box;
    if (GtkWindow* window = ShownBoxWindow())
    {
        box.shown = true;
        box.transientFor = GTK_WIDGET(gtk_window_get_transient_for(window));
    }
    return box;
}

bool AnswerShownMessageBox(bool affirmative)
{
    GtkWindow* window = ShownBoxWindow();
    if (!window)
        return false;
    // wx gives the box's buttons these responses: OK or Yes, Cancel or No.
    GtkDialog* dialog = GTK_DIALOG(window);
    const gint first = affirmative ? GTK_RESPONSE_OK : GTK_RESPONSE_CANCEL;
    const gint second = affirmative ? GTK_RESPONSE_YES : GTK_RESPONSE_NO;
    gtk_dialog_response(dialog, gtk_dialog_get_widget_for_response(dialog, first) ? first : second);
    return true;
}

CBoxAnswerer::CBoxAnswerer(bool affirmative)
{
    m_timer.Bind(wxEVT_TIMER,
                 [this, affirmative](wxTimerEvent&)
                 {
                     const SShownBox box = ShownMessageBox();
                     if (box.shown && AnswerShownMessageBox(affirmative))
                         m_owners.push_back(box.transientFor);
                 });
    m_timer.Start(50);
}

CBoxAnswerer::~CBoxAnswerer()
{
    m_timer.Stop();
}

WXWidget TransientParentOf(wxWindow* topLevel)
{
    if (!topLevel || !topLevel->GetHandle() || !GTK_IS_WINDOW(topLevel->GetHandle()))
        return nullptr;
    return GTK_WIDGET(gtk_window_get_transient_for(GTK_WINDOW(topLevel->GetHandle())));
}

bool WaitUntilActive(wxWindow* topLevel, int timeoutMs)
{
    auto* window = dynamic_cast<wxTopLevelWindow*>(topLevel);
    if (!window)
        return false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!window->IsActive() && std::chrono::steady_clock::now() < end)
    {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    return window->IsActive();
}

bool IsAboveOnScreen(wxWindow* upper, wxWindow* lower)
{
    GdkDisplay* gdk = gdk_display_get_default();
    if (!gdk || !GDK_IS_X11_DISPLAY(gdk))
        return false;
    Display* display = gdk_x11_display_get_xdisplay(gdk);
    XSync(display, False);
    const Window a = RootChild(display, XWindowOf(upper));
    const Window b = RootChild(display, XWindowOf(lower));
    if (!a || !b || a == b)
        return false;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return false;
    // The root's children come bottom to top.
    int indexA = -1;
    int indexB = -1;
    for (unsigned i = 0; i < count; ++i)
    {
        if (children[i] == a)
            indexA = static_cast<int>(i);
        if (children[i] == b)
            indexB = static_cast<int>(i);
    }
    if (children)
        XFree(children);
    return indexA >= 0 && indexB >= 0 && indexA > indexB;
}

wxRect ToolScreenRect(wxToolBar* toolBar, int toolId)
{
    GtkWidget* widget = toolBar ? FindGtkToolbar(toolBar->GetHandle()) : nullptr;
    const int pos = toolBar ? toolBar->GetToolPos(toolId) : -1;
    if (!widget || pos < 0)
        return wxRect();
    GtkToolItem* item = gtk_toolbar_get_nth_item(GTK_TOOLBAR(widget), pos);
    if (!item || !gtk_widget_get_mapped(GTK_WIDGET(item)))
        return wxRect();
    GtkAllocation area;
    gtk_widget_get_allocation(GTK_WIDGET(item), &area);
    // A tool has no window of its own: its place is within its toolbar's.
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(item)), &x, &y);
    return wxRect(x + area.x, y + area.y, area.width, area.height);
}

double SetTextResolution(double dpi)
{
    GdkScreen* screen = gdk_screen_get_default();
    const double before = gdk_screen_get_resolution(screen);
    gdk_screen_set_resolution(screen, dpi);
    return before;
}

} // namespace TerrionTest
