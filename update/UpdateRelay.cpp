#include "update/UpdateRelay.h"

namespace Update
{

CUpdateRelay::CUpdateRelay(CUpdateUi* target) : m_pTarget(target)
{
}

void CUpdateRelay::Detach()
{
    std::lock_guard lock(m_lock);
    m_pTarget = nullptr;
}

bool CUpdateRelay::IsAttached() const
{
    std::lock_guard lock(m_lock);
    return m_pTarget != nullptr;
}

void CUpdateRelay::PostVersion(unsigned messageId, const CVersion& version)
{
    std::lock_guard lock(m_lock);
    if (m_pTarget != nullptr)
        m_pTarget->PostVersion(messageId, version);
}

void CUpdateRelay::ShowMessage(const std::wstring& text, Resources::NMessageKind kind)
{
    std::lock_guard lock(m_lock);
    if (m_pTarget != nullptr)
        m_pTarget->ShowMessage(text, kind);
}

void CUpdateRelay::OnSearchConnected(bool connected, const std::wstring& errorText)
{
    std::lock_guard lock(m_lock);
    if (m_pTarget != nullptr)
        m_pTarget->OnSearchConnected(connected, errorText);
}

void CUpdateRelay::OnSearchFinished(bool listed, bool found, const SInstaller& installer)
{
    std::lock_guard lock(m_lock);
    if (m_pTarget != nullptr)
        m_pTarget->OnSearchFinished(listed, found, installer);
}

void CUpdateRelay::OnDownloadProgress(std::uint64_t bytes, std::uint64_t total)
{
    std::lock_guard lock(m_lock);
    if (m_pTarget != nullptr)
        m_pTarget->OnDownloadProgress(bytes, total);
}

void CUpdateRelay::OnDownloadFinished(NDownloadResult result, const std::wstring& text)
{
    std::lock_guard lock(m_lock);
    if (m_pTarget != nullptr)
        m_pTarget->OnDownloadFinished(result, text);
}

} // namespace Update
