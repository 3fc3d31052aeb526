#include "update/ProgramUpdate.h"

#include "streams/FileVersionInfo.h"

namespace Update
{

CProgramUpdate::CProgramUpdate() : m_client(std::make_shared<CFtpClient>())
{
    CFileVersionInfo info;
    if (info.Create(static_cast<void*>(nullptr)))
    {
        m_strProductName = info.GetProductName();
        m_ownVersion = CVersion(info.GetProductVersion());
    }
    if (m_strProductName.empty())
        m_strProductName = CFtpClient::ProgramProductName();
}

CProgramUpdate::CProgramUpdate(std::wstring productName, const CVersion& ownVersion)
    : m_strProductName(std::move(productName)), m_ownVersion(ownVersion),
      m_client(std::make_shared<CFtpClient>())
{
}

CProgramUpdate::~CProgramUpdate()
{
    StopSearch();
    StopCheckThread();
}

void CProgramUpdate::SetShowMessages(bool show, std::shared_ptr<CUpdateUi> ui)
{
    m_bShowMessages = show;
    m_ui = std::move(ui);
}

bool CProgramUpdate::Connect(std::wstring* errorText)
{
    if (errorText != nullptr)
        errorText->clear();
    if (m_client->IsConnected())
        return true;
    m_client->SetMessageSink(m_ui);
    m_client->SetShowMessages(m_bShowMessages);
    bool ok = m_client->ConnectUpgradeFolder(m_strProductName);
    if (!ok && errorText != nullptr)
        m_client->GetLastErrorText(*errorText);
    return ok;
}

void CProgramUpdate::Disconnect()
{
    m_client->Disconnect();
}

bool CProgramUpdate::FindNewest(const std::vector<SFtpEntry>& entries, const CVersion& own,
                                SInstaller& installer)
{
    installer = SInstaller();
    CVersion best = own;
    bool found = false;
    for (const SFtpEntry& entry : entries)
    {
        CVersion version = CVersion::FromInstallerFileName(entry.name);
        if (version > best)
        {
            best = version;
            installer = SInstaller{entry.name, entry.size, version};
            found = true;
        }
    }
    return found;
}

bool CProgramUpdate::Scan(SInstaller& installer, bool& found)
{
    std::vector<SFtpEntry> entries;
    found = false;
    installer = SInstaller();
    if (!m_client->List(L"*", entries))
        return false;
    found = FindNewest(entries, m_ownVersion, installer);
    return true;
}

bool CProgramUpdate::StartCheckThread(unsigned messageId, std::shared_ptr<CUpdateUi> ui)
{
    if (m_thread.IsRunning())
        return false;
    m_client->ResetCancel();
    return m_thread.Start([client = m_client, product = m_strProductName, own = m_ownVersion, messageId,
                           ui = std::move(ui)]() { CheckThreadProc(client, product, own, messageId, ui); });
}

bool CProgramUpdate::StopCheckThread(int timeoutMs)
{
    return StopThread(m_thread, timeoutMs);
}

bool CProgramUpdate::StartSearch(std::shared_ptr<CUpdateUi> ui)
{
    if (m_search.IsRunning())
        return false;
    m_client->ResetCancel();
    m_client->SetMessageSink(m_ui);
    m_client->SetShowMessages(m_bShowMessages);
    return m_search.Start(
        [client = m_client, product = m_strProductName, own = m_ownVersion, ui = std::move(ui)]()
        {
            // Only the client, the copies and ui are touched: a late search may outlive this object.
            bool connected = client->IsConnected() || client->ConnectUpgradeFolder(product);
            std::wstring error = connected ? std::wstring() : client->GetLastErrorText();
            if (client->IsCancelled())
                return;
            ui->OnSearchConnected(connected, error);
            if (!connected)
                return;
            std::vector<SFtpEntry> entries;
            bool listed = client->List(L"*", entries);
            if (client->IsCancelled())
                return;
            SInstaller installer;
            bool found = listed && FindNewest(entries, own, installer);
            ui->OnSearchFinished(listed, found, installer);
        });
}

bool CProgramUpdate::StopSearch(int timeoutMs)
{
    return StopThread(m_search, timeoutMs);
}

bool CProgramUpdate::StopThread(CBoundedThread& thread, int timeoutMs)
{
    if (!thread.IsRunning())
        return thread.Stop(0);
    m_client->Cancel();
    bool ended = thread.Stop(timeoutMs);
    if (ended)
        m_client->ResetCancel();
    else
        m_client = std::make_shared<CFtpClient>(); // the late thread keeps the old one
    return ended;
}

void CProgramUpdate::CheckThreadProc(const std::shared_ptr<CFtpClient>& client,
                                     const std::wstring& productName, const CVersion& own, unsigned messageId,
                                     const std::shared_ptr<CUpdateUi>& ui)
{
    client->SetShowMessages(false);
    if (!client->ConnectUpgradeFolder(productName))
        return;
    std::vector<SFtpEntry> entries;
    bool listed = client->List(L"*", entries);
    bool cancelled = client->IsCancelled();
    client->Disconnect();
    if (!listed || cancelled)
        return;
    SInstaller installer;
    CVersion best = FindNewest(entries, own, installer) ? installer.version : CVersion();
    if (ui && !client->IsCancelled())
        ui->PostVersion(messageId, best);
}

} // namespace Update
