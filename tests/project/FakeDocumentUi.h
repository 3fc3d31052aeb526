#pragma once
// The document's user interface in memory: scripted answers and paths, a
// record of what was shown, a clipboard of several formats written in one
// piece, and a view that records the hints posted to it.

#include "data/DocumentUi.h"
#include "data/DocumentView.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace TerrionTest
{

class CFakeDocumentUi : public CDocumentUi
{
public:
    NAnswer AskSaveChanges(const std::wstring& question) override
    {
        questions.push_back(question);
        if (answers.empty())
            return AnswerCancel;
        const NAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(Resources::NMessageKind kind, const std::wstring& text) override
    {
        kinds.push_back(kind);
        errors.push_back(text);
    }
    bool ChooseOpenPath(const SFileDialog& dialog, std::wstring* path) override
    {
        return Choose(dialog, path);
    }
    bool ChooseSavePath(const SFileDialog& dialog, std::wstring* path) override
    {
        return Choose(dialog, path);
    }
    bool IsClipboardFormatAvailable(const std::wstring& format) override
    {
        ++formatQueries;
        return clipboard.count(format) != 0;
    }
    bool ReadClipboard(const std::wstring& format, std::vector<std::uint8_t>* block) override
    {
        ++clipboardReads;
        auto it = clipboard.find(format);
        if (it == clipboard.end())
            return false;
        *block = it->second;
        return true;
    }
    bool WriteClipboard(const Platform::CClipboardData& data) override
    {
        ++clipboardWrites;
        clipboard = data.Formats(); // a write replaces everything that was there
        return true;
    }

    std::deque<NAnswer> answers;    ///< to the save question; Cancel when empty
    std::deque<std::wstring> paths; ///< for the file dialogs; cancelled when empty
    std::vector<std::wstring> questions;
    std::vector<std::wstring> errors; ///< every message shown
    std::vector<Resources::NMessageKind> kinds;
    int formatQueries = 0;
    int clipboardReads = 0;
    int clipboardWrites = 0;
    std::vector<SFileDialog> dialogs;
    std::map<std::wstring, std::vector<std::uint8_t>> clipboard;

private:
    bool Choose(const SFileDialog& dialog, std::wstring* path)
    {
        dialogs.push_back(dialog);
        if (paths.empty())
            return false;
        *path = paths.front();
        paths.pop_front();
        return true;
    }
};

class CRecordingView : public CDocumentView
{
public:
    void PostDocumentChanged(int hint) override { hints.push_back(hint); }
    std::vector<int> hints;
};

} // namespace TerrionTest
