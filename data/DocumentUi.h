#pragma once
// Everything the project document asks of the user interface: the save
// question, messages, file dialogs and the clipboard. The application
// implements it once with wxWidgets; tests implement it in memory. A document
// without one cancels every question and dialog (so no data is discarded
// unasked) and finds no clipboard data. Texts come from the string table;
// the interface only shows them.

#include "platform/ClipboardData.h"
#include "resources/MessageKind.h"

#include <cstdint>
#include <string>
#include <vector>

class CDocumentUi
{
public:
    /// Answers to the save question (the message-box button ids).
    enum NAnswer : int
    {
        AnswerCancel = 2,
        AnswerYes = 6,
        AnswerNo = 7,
    };

    /// What a file dialog is shown with.
    struct SFileDialog
    {
        std::wstring defaultExtension; ///< without the dot
        std::wstring initialName;
        /// Pairs separated by '|': "label|pattern|label|pattern||".
        std::wstring filter;
        bool overwritePrompt = false; ///< also hide-read-only
    };

    virtual ~CDocumentUi() = default;

    /// Yes, No and Cancel.
    virtual NAnswer AskSaveChanges(const std::wstring& question) = 0;
    /// A message box of that kind with an OK button.
    virtual void ShowMessage(Resources::NMessageKind kind, const std::wstring& text) = 0;
    /// False when the user cancels.
    virtual bool ChooseOpenPath(const SFileDialog& dialog, std::wstring* path) = 0;
    virtual bool ChooseSavePath(const SFileDialog& dialog, std::wstring* path) = 0;

    /// Whether the clipboard holds data of the named format, without fetching it.
    virtual bool IsClipboardFormatAvailable(const std::wstring& format) = 0;
    /// The whole data block of the named clipboard format; false when the
    /// clipboard holds none.
    virtual bool ReadClipboard(const std::wstring& format, std::vector<std::uint8_t>* block) = 0;
    /// Replaces the clipboard's content with every format of data at once;
    /// false on failure.
    virtual bool WriteClipboard(const Platform::CClipboardData& data) = 0;
};
