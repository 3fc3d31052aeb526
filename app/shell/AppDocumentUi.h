#pragma once
// The project document's questions, messages, file dialogs and clipboard on
// wxWidgets. Messages go through CUserPrompts, the clipboard through
// CWxClipboard (all formats of a copy in one composite); a write is told to
// the clipboard watch at once.

#include "data/DocumentUi.h"
#include "platform/wx/ClipboardWatch.h"

#include <wx/weakref.h>

class CUserPrompts;
class wxWindow;

class CAppDocumentUi : public CDocumentUi
{
public:
    /// owner: the window the boxes and dialogs belong to (may be set later).
    explicit CAppDocumentUi(CUserPrompts& prompts, wxWindow* owner = nullptr);

    void SetOwner(wxWindow* owner) { m_owner = owner; }
    /// The watch that learns of every write (it may go before this object).
    void SetClipboardWatch(CClipboardWatch* watch) { m_clipboardWatch = watch; }

    NAnswer AskSaveChanges(const std::wstring& question) override;
    void ShowMessage(Resources::NMessageKind kind, const std::wstring& text) override;
    bool ChooseOpenPath(const SFileDialog& dialog, std::wstring* path) override;
    bool ChooseSavePath(const SFileDialog& dialog, std::wstring* path) override;
    bool IsClipboardFormatAvailable(const std::wstring& format) override;
    bool ReadClipboard(const std::wstring& format, std::vector<std::uint8_t>* block) override;
    bool WriteClipboard(const Platform::CClipboardData& data) override;

private:
    bool Choose(const SFileDialog& dialog, bool save, std::wstring* path);

    CUserPrompts& m_prompts;
    wxWindow* m_owner;
    wxWeakRef<CClipboardWatch> m_clipboardWatch;
};
