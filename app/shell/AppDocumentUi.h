#pragma once
// The project document's questions, messages, file dialogs and clipboard on
// wxWidgets. Messages go through CUserPrompts, the clipboard through
// CWxClipboard (all formats of a copy in one composite).

#include "data/DocumentUi.h"

class CUserPrompts;
class wxWindow;

class CAppDocumentUi : public CDocumentUi
{
public:
    /// owner: the window the boxes and dialogs belong to (may be set later).
    explicit CAppDocumentUi(CUserPrompts& prompts, wxWindow* owner = nullptr);

    void SetOwner(wxWindow* owner) { m_owner = owner; }

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
};
