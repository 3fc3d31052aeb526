#include "menus/wx/OwMenuPopup.h"

#include <algorithm>

#include <wx/app.h>
#include <wx/display.h>
#include <wx/evtloop.h>

#include "menus/wx/OwMenuSystemLook.h"
#include "menus/wx/OwMenuWindow.h"

namespace
{

SGridRect ToRect(const wxRect& rect)
{
    return SGridRect{rect.GetLeft(), rect.GetTop(), rect.GetLeft() + rect.GetWidth(),
                     rect.GetTop() + rect.GetHeight()};
}

} // namespace

unsigned OwMenuPopup::Track(OwMenu& menu, wxWindow* owner, const wxPoint& screenPoint, NOwMenuAlign align)
{
    if (owner == nullptr && wxTheApp != nullptr)
        owner = wxTheApp->GetTopWindow();
    if (s_active != nullptr || owner == nullptr || menu.GetItemCount() == 0)
        return 0;
    OwMenuPopup popup(menu, owner);
    return popup.Run(screenPoint, align);
}

OwMenuPopup::OwMenuPopup(OwMenu& menu, wxWindow* owner)
    : m_tracking(menu), m_owner(owner), m_colors(OwMenuSystemLook::Colors()),
      m_metrics(OwMenuSystemLook::Metrics())
{
}

OwMenuPopup::~OwMenuPopup()
{
    CloseFrom(0);
}

wxRect OwMenuPopup::WorkArea(const wxPoint& point) const
{
    int index = wxDisplay::GetFromPoint(point);
    if (index == wxNOT_FOUND && m_owner)
        index = wxDisplay::GetFromWindow(m_owner.get());
    const wxDisplay display(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index));
    return display.GetClientArea();
}

OwMenuWindow* OwMenuPopup::OpenWindow(OwMenu& menu)
{
    auto* window = new OwMenuWindow(m_owner.get(), menu, m_colors, m_metrics);
    m_windows.emplace_back(window);
    return window;
}

void OwMenuPopup::CloseFrom(std::size_t level)
{
    while (m_windows.size() > level)
    {
        OwMenuWindow* window = m_windows.back().get();
        m_windows.pop_back();
        if (window == nullptr)
            continue; // gone with the owner
        if (window->HasCapture())
            window->ReleaseMouse();
        // The menu may go as soon as tracking returns; the window goes later.
        window->Detach();
        window->Hide();
        window->Destroy();
    }
}

unsigned OwMenuPopup::Run(const wxPoint& screenPoint, NOwMenuAlign align)
{
    OwMenuWindow* root = OpenWindow(m_tracking.GetMenu(0));
    const wxSize size = root->GetSize();
    const SGridPoint at =
        OwMenuPlacement::PlacePopup(SGridPoint{screenPoint.x, screenPoint.y}, SGridSize{size.x, size.y},
                                    align, ToRect(WorkArea(screenPoint)));
    root->Move(at.x, at.y);
    root->Show();
    root->CaptureMouse();
    wxEvtHandler::AddFilter(this);
    s_active = this;

    wxGUIEventLoop loop;
    m_loop = &loop;
    loop.Run();
    m_loop = nullptr;

    s_active = nullptr;
    wxEvtHandler::RemoveFilter(this);
    CloseFrom(0);
    return m_tracking.GetCommand();
}

void OwMenuPopup::OwnerGoing()
{
    m_tracking.Dismiss();
    // The windows go now, while they and their parent are whole; the owner's
    // own destruction would take them with the pointer still held.
    CloseFrom(0);
    if (m_loop != nullptr)
        m_loop->ScheduleExit();
}

void OwMenuPopup::Dismiss()
{
    m_tracking.Dismiss();
    Sync();
}

void OwMenuPopup::HitTest(const wxPoint& screen, int& level, int& item) const
{
    for (int i = GetLevelCount() - 1; i >= 0; --i)
    {
        const OwMenuWindow* window = GetWindow(i);
        if (window == nullptr)
            continue;
        const wxRect rect = window->GetScreenRect();
        if (rect.Contains(screen))
        {
            level = i;
            const wxPoint local = screen - rect.GetTopLeft();
            item = window->GetLayout().HitTest(SGridPoint{local.x, local.y});
            return;
        }
    }
    level = -1;
    item = -1;
}

void OwMenuPopup::Sync()
{
    const bool windowGone = std::any_of(m_windows.begin(), m_windows.end(),
                                        [](const wxWeakRef<OwMenuWindow>& window) { return !window; });
    if (!m_owner || windowGone)
    {
        // Destroyed from outside: nothing left to show the menu in.
        m_tracking.Dismiss();
        CloseFrom(0);
    }
    const auto levels = static_cast<std::size_t>(m_tracking.GetLevelCount());
    for (std::size_t level = 0; level < m_windows.size(); ++level)
        if (level >= levels || m_windows[level]->GetMenu() != &m_tracking.GetMenu(static_cast<int>(level)))
        {
            CloseFrom(std::max<std::size_t>(level, 1));
            break;
        }
    for (std::size_t level = 0; level < levels && !m_windows.empty(); ++level)
    {
        if (level == m_windows.size())
        {
            // A sub-menu beside the parent's selected item.
            OwMenuWindow* parent = m_windows.back().get();
            const wxRect item = parent->GetItemScreenRect(parent->GetSelection());
            OwMenuWindow* window = OpenWindow(m_tracking.GetMenu(static_cast<int>(level)));
            const wxSize size = window->GetSize();
            const SGridPoint at = OwMenuPlacement::PlaceSubMenu(
                ToRect(item), ToRect(parent->GetScreenRect()), SGridSize{size.x, size.y},
                window->GetLayout().GetItemCount() > 0 ? window->GetLayout().GetItemRect(0).top : 0,
                ToRect(WorkArea(item.GetTopLeft())));
            window->Move(at.x, at.y);
            window->Show();
        }
        m_windows[level]->SetSelection(m_tracking.GetSelection(static_cast<int>(level)));
    }
    if (m_tracking.IsDone() && m_loop != nullptr)
        m_loop->ScheduleExit();
}

void OwMenuPopup::HandleMouse(const wxMouseEvent& event)
{
    const auto* window = dynamic_cast<const wxWindow*>(event.GetEventObject());
    if (window == nullptr)
        return;
    int level = -1;
    int item = -1;
    HitTest(window->ClientToScreen(event.GetPosition()), level, item);
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_MOTION)
        m_tracking.OnPointerMove(level, item);
    else if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK || type == wxEVT_RIGHT_DOWN ||
             type == wxEVT_RIGHT_DCLICK || type == wxEVT_MIDDLE_DOWN || type == wxEVT_MIDDLE_DCLICK)
        m_tracking.OnButtonDown(level, item);
    else if (type == wxEVT_LEFT_UP)
        m_tracking.OnButtonUp(level, item);
    Sync();
}

void OwMenuPopup::HandleKey(const wxKeyEvent& event)
{
    switch (event.GetKeyCode())
    {
    case WXK_UP:
    case WXK_NUMPAD_UP:
        m_tracking.OnKey(NOwMenuKey::Up);
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        m_tracking.OnKey(NOwMenuKey::Down);
        break;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        m_tracking.OnKey(NOwMenuKey::Left);
        break;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        m_tracking.OnKey(NOwMenuKey::Right);
        break;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
        m_tracking.OnKey(NOwMenuKey::Home);
        break;
    case WXK_END:
    case WXK_NUMPAD_END:
        m_tracking.OnKey(NOwMenuKey::End);
        break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        m_tracking.OnKey(NOwMenuKey::Return);
        break;
    case WXK_ESCAPE:
        m_tracking.OnKey(NOwMenuKey::Escape);
        break;
    default:
        if (event.GetUnicodeKey() != WXK_NONE && !event.ControlDown())
            m_tracking.OnKey(NOwMenuKey::Char, static_cast<wchar_t>(event.GetUnicodeKey()));
        break;
    }
    Sync();
}

int OwMenuPopup::FilterEvent(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    // A press comes as a key-down or, before it, as a char hook: taking
    // either one means the other is not sent.
    if (type == wxEVT_KEY_DOWN || type == wxEVT_CHAR_HOOK)
    {
        HandleKey(static_cast<const wxKeyEvent&>(event));
        return Event_Processed;
    }
    if (type == wxEVT_KEY_UP || type == wxEVT_CHAR)
        return Event_Processed;
    if (type == wxEVT_MOTION || type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_UP ||
        type == wxEVT_LEFT_DCLICK || type == wxEVT_RIGHT_DOWN || type == wxEVT_RIGHT_UP ||
        type == wxEVT_RIGHT_DCLICK || type == wxEVT_MIDDLE_DOWN || type == wxEVT_MIDDLE_UP ||
        type == wxEVT_MIDDLE_DCLICK || type == wxEVT_MOUSEWHEEL || type == wxEVT_CONTEXT_MENU)
    {
        if (type != wxEVT_CONTEXT_MENU)
            HandleMouse(static_cast<const wxMouseEvent&>(event));
        return Event_Processed;
    }
    if (type == wxEVT_MOUSE_CAPTURE_LOST)
    {
        Dismiss();
        return Event_Processed;
    }
    if (type == wxEVT_ACTIVATE_APP && !static_cast<const wxActivateEvent&>(event).GetActive())
        Dismiss();
    if (type == wxEVT_DESTROY && m_owner && event.GetEventObject() == m_owner.get())
        OwnerGoing();
    return Event_Skip;
}
