// Fuzzes the project-file reader and the clipboard reader with the same
// bytes: as a project archive, and as the private clipboard block. Any
// input must end in success or a file error; whatever reads must write and
// read back to the same bytes.

#include "data/DocumentUi.h"
#include "data/TerrionDoc.h"
#include "streams/FileException.h"
#include "streams/StreamFactory.h"
#include "streams/VNArchive.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{

using TBytes = std::vector<std::uint8_t>;

class CClipboardOnly : public CDocumentUi
{
public:
    explicit CClipboardOnly(TBytes block) : m_block(std::move(block)) {}
    NAnswer AskSaveChanges(const std::wstring&) override { return AnswerNo; }
    void ShowMessage(Resources::NMessageKind, const std::wstring&) override {}
    bool ChooseOpenPath(const SFileDialog&, std::wstring*) override { return false; }
    bool ChooseSavePath(const SFileDialog&, std::wstring*) override { return false; }
    bool IsClipboardFormatAvailable(const std::wstring&) override { return true; }
    bool ReadClipboard(const std::wstring&, TBytes* block) override
    {
        *block = m_block;
        return true;
    }
    bool WriteClipboard(const Platform::CClipboardData&) override { return false; }

private:
    TBytes m_block;
};

constexpr std::uint32_t kRamFlags = 0x33;

/// Reads bytes as a project archive into doc; false on a file error.
bool LoadBytes(CTerrionDoc& doc, const TBytes& bytes)
{
    auto stream = StreamIO::CreateStream(L"RAM:FuzzProject", kRamFlags);
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<int>(bytes.size()));
    try
    {
        StreamIO::CVNArchive archive(stream->GetHandle(), StreamIO::CVNArchive::amLoad, 1024);
        doc.Load(archive);
        archive.Close();
        return true;
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
}

TBytes WriteBytes(CTerrionDoc& doc)
{
    auto stream = StreamIO::CreateStream(L"RAM:FuzzWrite", kRamFlags);
    StreamIO::CVNArchive archive(stream->GetHandle(), StreamIO::CVNArchive::amStore, 1024);
    doc.Write(archive, nullptr);
    archive.Flush();
    TBytes bytes(static_cast<std::size_t>(stream->GetLength()));
    stream->SetPosition(0);
    if (!bytes.empty())
        stream->Read(bytes.data(), static_cast<int>(bytes.size()));
    archive.Close();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TBytes input(data, data + size);

    CTerrionDoc doc;
    doc.SetWriterVersion(CVersion(1, 0, 0, 0));
    if (LoadBytes(doc, input))
    {
        doc.Sort(doc.GetSortOrder());
        doc.ComputeSummaryStatistics();
        const TBytes first = WriteBytes(doc);
        CTerrionDoc again;
        again.SetWriterVersion(CVersion(1, 0, 0, 0));
        if (!LoadBytes(again, first) || WriteBytes(again) != first)
            std::abort(); // what we write, we must read back unchanged
    }

    CClipboardOnly clipboard(input);
    CTerrionDoc target(&clipboard);
    try
    {
        target.Paste();
    }
    catch (const StreamIO::CFileException&)
    {
    }
    return 0;
}
