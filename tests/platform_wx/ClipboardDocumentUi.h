#pragma once
// A project document's user interface that answers nothing but uses the
// real clipboard, for the clipboard tests of two program instances.

#include "data/DocumentUi.h"
#include "platform/wx/WxClipboard.h"
#include "tests/report/ReportDocument.h"

namespace TerrionTest
{

class CClipboardDocumentUi : public CDocumentUi
{
public:
    NAnswer AskSaveChanges(const std::wstring&) override { return AnswerNo; }
    void ShowMessage(Resources::NMessageKind, const std::wstring&) override {}
    bool ChooseOpenPath(const SFileDialog&, std::wstring*) override { return false; }
    bool ChooseSavePath(const SFileDialog&, std::wstring*) override { return false; }
    bool IsClipboardFormatAvailable(const std::wstring& format) override
    {
        return CWxClipboard::IsAvailable(format);
    }
    bool ReadClipboard(const std::wstring& format, std::vector<std::uint8_t>* block) override
    {
        return CWxClipboard::Read(format, block);
    }
    bool WriteClipboard(const Platform::CClipboardData& data) override { return CWxClipboard::Write(data); }
};

/// The series both instances know: the report tests' base series under three names.
inline std::vector<SReportSeries> ClipboardSeries()
{
    std::vector<SReportSeries> series(3, BaseSeries());
    series[0].name = L"Pier A";
    series[1].name = L"Pier B";
    series[1].comment = L"wet; cold";
    series[1].object.readings = {{8.5, 0, 90}, {9.25, 0, 95}};
    series[2].name = L"Pier C";
    return series;
}

} // namespace TerrionTest
