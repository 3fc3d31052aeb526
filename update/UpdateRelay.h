#pragma once
// A CUpdateUi that its receiver can walk away from. Worker threads hold the
// relay (shared) instead of the window; the window detaches it before it is
// destroyed, and whatever a late thread reports afterwards is dropped.

#include "update/UpdateUi.h"

#include <mutex>

namespace Update
{

class CUpdateRelay : public CUpdateUi
{
public:
    /// Forwards to target (not owned) until Detach().
    explicit CUpdateRelay(CUpdateUi* target);

    /// Stops forwarding; waits for a call being forwarded on another thread
    /// to return, so the target may be destroyed right after.
    void Detach();
    bool IsAttached() const;

    void PostVersion(unsigned messageId, const CVersion& version) override;
    void ShowMessage(const std::wstring& text, Resources::NMessageKind kind) override;
    void OnSearchConnected(bool connected, const std::wstring& errorText) override;
    void OnSearchFinished(bool listed, bool found, const SInstaller& installer) override;
    void OnDownloadProgress(std::uint64_t bytes, std::uint64_t total) override;
    void OnDownloadFinished(NDownloadResult result, const std::wstring& text) override;

private:
    mutable std::recursive_mutex m_lock;
    CUpdateUi* m_pTarget;
};

} // namespace Update
