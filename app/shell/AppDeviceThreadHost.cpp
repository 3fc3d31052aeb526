#include "app/shell/AppDeviceThreadHost.h"

#include <wx/app.h>
#include <wx/utils.h>

CAppDeviceThreadHost::CAppDeviceThreadHost(FReport report) : m_report(std::move(report))
{
}

void CAppDeviceThreadHost::Detach()
{
    std::lock_guard guard(m_lock);
    m_attached = false;
}

void CAppDeviceThreadHost::Queue(std::function<void()> work)
{
    std::lock_guard guard(m_lock);
    if (m_attached && wxTheApp)
        wxTheApp->CallAfter(std::move(work));
}

void CAppDeviceThreadHost::ReportMessage(Resources::NMessageKind messageKind, const std::wstring& text,
                                         const std::string& sourceFile, int line)
{
    const auto kind = static_cast<unsigned>(messageKind);
    // The box shows on the user-interface thread: no window is touched here.
    Queue(
        [this, kind, text, sourceFile, line]
        {
            FReport report;
            {
                std::lock_guard guard(m_lock);
                if (!m_attached)
                    return;
                report = m_report;
            }
            report(kind, text, sourceFile, line);
        });
}

void CAppDeviceThreadHost::BeginWaitCursor()
{
    Queue([] { wxBeginBusyCursor(); });
}

void CAppDeviceThreadHost::EndWaitCursor()
{
    Queue(
        []
        {
            if (wxIsBusy())
                wxEndBusyCursor();
        });
}
