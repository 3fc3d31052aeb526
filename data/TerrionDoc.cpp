#include "data/TerrionDoc.h"

#include "data/NumberFormat.h"

#include "data/DocumentUi.h"
#include "data/DocumentView.h"
#include "data/ProjectArchive.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/AtomicFileWriter.h"
#include "streams/FileException.h"
#include "streams/FileVersionInfo.h"
#include "streams/StreamFactory.h"
#include "streams/TextCodec.h"
#include "streams/VNArchive.h"
#include "streams/Win32Error.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>

namespace
{
using Resources::CStringTable;
namespace Ids = Resources::Ids;

constexpr unsigned kArchiveBuffer = 1024;
// Project files move in large blocks; the clipboard and copies stay small.
constexpr unsigned kFileBuffer = 64 * 1024;
constexpr std::uint32_t kRamFlags = StreamIO::ofRead | StreamIO::ofWrite | StreamIO::ofCreateAlways;
constexpr const wchar_t* kClipStream = L"RAM:ClipRamStream";
constexpr const wchar_t* kFilter = L"Terrionlink Project (*.vnr)|*.vnr|All Files (*.*)|*.*||";

CVersion g_projectFormatVersion;

std::wstring FormatTenths(std::uint16_t tenths)
{
    return CNumberFormat::Fixed(tenths / 10.0, 1) + L" mm";
}

std::vector<std::uint8_t> ReadWholeStream(StreamIO::CIoStream& stream)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.GetLength()));
    stream.SetPosition(0);
    if (!bytes.empty() &&
        stream.Read(bytes.data(), static_cast<int>(bytes.size())) != static_cast<int>(bytes.size()))
        StreamIO::CFileException::ThrowOsError(StreamIO::errHandleEof, stream.GetName());
    return bytes;
}
} // namespace

CTerrionDoc::CTerrionDoc(CDocumentUi* ui) : m_pUi(ui)
{
    m_project.SetDocument(this);
    m_summary.SetDocument(this);
}

CTerrionDoc::~CTerrionDoc() = default;

void CTerrionDoc::AddView(CDocumentView* view)
{
    m_views.push_back(view);
}

bool CTerrionDoc::RemoveView(CDocumentView* view)
{
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return false;
    m_views.erase(it);
    return true;
}

void CTerrionDoc::NotifyViews(CDocumentView* sender, int hint)
{
    const auto views = m_views; // a view may unsubscribe while being told
    for (CDocumentView* view : views)
        if (view != sender)
            view->PostDocumentChanged(hint);
}

bool CTerrionDoc::SetModified()
{
    const bool previous = m_bModified;
    m_bModified = true;
    return previous;
}

void CTerrionDoc::ReportError(const std::wstring& text) const
{
    if (m_pUi)
        m_pUi->ShowMessage(Resources::NMessageKind::Error, text);
}

bool CTerrionDoc::CanPaste() const
{
    return m_pUi && m_pUi->IsClipboardFormatAvailable(kClipboardFormat);
}

std::wstring CTerrionDoc::GetTitle(bool nameOnly) const
{
    if (m_strPath.empty())
        return m_project.HasSeries() ? CStringTable::Text(Ids::kProjectUnnamed) : std::wstring();
    if (!nameOnly)
        return m_strPath;
    // Linux paths: a backslash is an ordinary character of a file name
    const auto slash = m_strPath.rfind(L'/');
    std::wstring name = slash == std::wstring::npos ? m_strPath : m_strPath.substr(slash + 1);
    // only the file name's own extension goes, never text after a dot in a folder name
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return name;
}

bool CTerrionDoc::QuerySave()
{
    if (!m_bModified || !HasAnySeries())
        return true;
    const auto answer = m_pUi ? m_pUi->AskSaveChanges(CStringTable::Text(Ids::kProjectSaveQuestion))
                              : CDocumentUi::AnswerCancel;
    if (answer == CDocumentUi::AnswerYes)
        return Save();
    return answer == CDocumentUi::AnswerNo;
}

bool CTerrionDoc::Close()
{
    if (!QuerySave())
        return false;
    const bool hadSeries = m_project.HasSeries();
    m_project.RemoveAll();
    m_original.RemoveAll();
    m_summary.RemoveAll();
    m_strPath.clear();
    m_bModified = false;
    if (hadSeries)
        NotifyViews(nullptr, -1);
    return true;
}

bool CTerrionDoc::Open(std::wstring path, bool add)
{
    if (path.empty())
    {
        CDocumentUi::SFileDialog dialog{L"vnr", L"*.vnr", kFilter, true};
        if (!m_pUi || !m_pUi->ChooseOpenPath(dialog, &path))
            return false;
    }
    if (path.empty())
        return false;
    // Opening asks to save first, as closing does; the project itself is
    // replaced only once the whole file has been read.
    if (!add && !QuerySave())
        return false;

    CProjectArchive loaded;
    try
    {
        StreamIO::CVNArchive archive(path, StreamIO::CVNArchive::amLoad, kFileBuffer);
        loaded.Read(archive);
        archive.Close();
    }
    catch (const StreamIO::CFileException&)
    {
        ReportError(CStringTable::Text(Ids::kProjectNotReadable));
        return false;
    }
    catch (const std::bad_alloc&)
    {
        ReportError(CStringTable::Text(Ids::kProjectNotReadable));
        return false;
    }

    if (add)
    {
        const std::uint8_t order = m_project.GetSortOrder();
        Commit(loaded, true, false);
        m_project.Sort(order);
        m_bModified = true;
    }
    else
    {
        m_project.RemoveAll();
        m_original.RemoveAll();
        m_summary.RemoveAll();
        Commit(loaded, true, true);
        m_strPath = path;
        m_bModified = false;
    }
    NotifyViews(nullptr, -1);
    return true;
}

void CTerrionDoc::Commit(CProjectArchive& loaded, bool withOriginal, bool replaceComment)
{
    g_projectFormatVersion = CVersion(loaded.formatVersion, 0, 0, 0);
    if (withOriginal && loaded.hasOriginal)
        m_original.AppendFrom(loaded.original);
    if (loaded.hasProject)
        m_project.AppendFrom(loaded.project);
    if (replaceComment || m_summary.GetComment().empty())
        m_summary.LoadComment(loaded.comment);
    RebuildSummary();
}

void CTerrionDoc::Load(StreamIO::CVNArchive& archive)
{
    CProjectArchive loaded;
    loaded.Read(archive);
    Commit(loaded, true, false);
}

bool CTerrionDoc::Save()
{
    return m_strPath.empty() ? SaveAs() : SaveFile(m_strPath);
}

bool CTerrionDoc::SaveAs()
{
    CDocumentUi::SFileDialog dialog{L"vnr", GetTitle(true), kFilter, true};
    std::wstring path;
    if (!m_pUi || !m_pUi->ChooseSavePath(dialog, &path) || path.empty())
        return false;
    if (!SaveFile(path))
        return false;
    m_strPath = path;
    return true;
}

bool CTerrionDoc::SaveFile(const std::wstring& path)
{
    if (path.empty())
        return false;
    // Written completely beside the target first, then renamed over it: a
    // failure anywhere leaves the old file as it was.
    int error = 0;
    try
    {
        StreamIO::CAtomicFileWriter writer(path);
        StreamIO::CVNArchive archive(writer.GetTempPath(), StreamIO::CVNArchive::amStore, kFileBuffer);
        Write(archive, nullptr);
        archive.Close(); // flushes, synchronises and reports
        writer.Commit();
    }
    catch (const StreamIO::CFileException& e)
    {
        error = e.GetOsError();
    }
    catch (const std::bad_alloc&)
    {
        error = StreamIO::errOutOfMemory;
    }
    catch (const std::exception&)
    {
        error = StreamIO::errInvalidData; // a series that cannot be written: keep the old file
    }
    if (error != 0)
    {
        wchar_t code[32];
        std::swprintf(code, 32, L" (error %d)", error);
        ReportError(CStringTable::Text(Ids::kProjectNotSaved) + L"\n" + path + code);
        return false;
    }
    m_bModified = false;
    return true;
}

CVersion CTerrionDoc::WriterVersion() const
{
    if (m_writerVersion)
        return *m_writerVersion;
    // The running program's version record, read once; a build without one
    // (a test program) writes the version it was compiled as.
    static const CVersion program = []
    {
        CFileVersionInfo info;
        if (info.Create(static_cast<void*>(nullptr)))
            return CVersion(info.GetFileVersionPart(3), info.GetFileVersionPart(2),
                            info.GetFileVersionPart(1), info.GetFileVersionPart(0));
        return CVersion(TERRION_VERSION_MAJOR, TERRION_VERSION_MINOR, TERRION_VERSION_BUILD,
                        TERRION_VERSION_REVISION);
    }();
    return program;
}

bool CTerrionDoc::Write(StreamIO::CVNArchive& archive, const CTerrionData::TSelection* selection) const
{
    CProjectArchive::WriteHeader(archive, WriterVersion());
    if (!selection)
    {
        archive.WriteDWord(1);
        m_original.Store(archive, nullptr);
    }
    else
        archive.WriteDWord(0);
    archive.WriteDWord(1);
    m_project.Store(archive, selection);
    m_summary.Store(archive);
    return true;
}

bool CTerrionDoc::AddSeries(const CTerrionData::TObjects& objects, bool append)
{
    if (!append)
        m_summary.RemoveAll(); // its entries stood for series that go now
    m_project.AddSeries(objects, append);
    m_original.AddSeries(objects, append);
    m_bModified = true;
    NotifyViews(nullptr, -1);
    return true;
}

bool CTerrionDoc::RestoreOriginalData()
{
    CTerrionData copy;
    try
    {
        copy.CopyFrom(m_original);
    }
    catch (const std::exception&) // stream errors and series that cannot be copied alike
    {
        return false;
    }
    m_summary.RemoveAll();
    m_project.RemoveAll();
    m_project.AppendFrom(copy);
    RebuildSummary();
    m_bModified = true;
    NotifyViews(nullptr, -1);
    return true;
}

bool CTerrionDoc::AddToClipboardData(const CTerrionData::TSelection& selection,
                                     Platform::CClipboardData& data) const
{
    std::vector<std::uint8_t> block;
    try
    {
        auto stream = StreamIO::CreateStream(kClipStream, kRamFlags);
        StreamIO::CVNArchive archive(stream->GetHandle(), StreamIO::CVNArchive::amStore, kArchiveBuffer);
        Write(archive, &selection);
        archive.Flush();
        const auto bytes = ReadWholeStream(*stream);
        archive.Close();
        const auto length = static_cast<std::uint32_t>(bytes.size());
        block.reserve(bytes.size() + 4);
        for (int shift = 0; shift < 32; shift += 8)
            block.push_back(static_cast<std::uint8_t>(length >> shift));
        block.insert(block.end(), bytes.begin(), bytes.end());
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
    catch (const std::invalid_argument&)
    {
        return false;
    }
    data.Set(kClipboardFormat, std::move(block));
    return true;
}

bool CTerrionDoc::CopyToClipboard(const CTerrionData::TSelection& selection, Platform::CClipboardData data)
{
    return AddToClipboardData(selection, data) && m_pUi && m_pUi->WriteClipboard(data);
}

bool CTerrionDoc::Paste()
{
    std::vector<std::uint8_t> block;
    if (!m_pUi || !m_pUi->ReadClipboard(kClipboardFormat, &block))
        return true;
    // The length word must not promise more than the block holds.
    if (block.size() < 4)
        StreamIO::CFileException::ThrowOsError(StreamIO::errInvalidData, kClipStream);
    const std::uint32_t length =
        static_cast<std::uint32_t>(block[0]) | static_cast<std::uint32_t>(block[1]) << 8 |
        static_cast<std::uint32_t>(block[2]) << 16 | static_cast<std::uint32_t>(block[3]) << 24;
    if (length > block.size() - 4 || length > static_cast<std::uint32_t>(INT32_MAX))
        StreamIO::CFileException::ThrowOsError(StreamIO::errInvalidData, kClipStream);

    CProjectArchive loaded;
    {
        auto stream = StreamIO::CreateStream(kClipStream, kRamFlags);
        if (length > 0 &&
            stream->Write(block.data() + 4, static_cast<int>(length)) != static_cast<int>(length))
            StreamIO::CFileException::ThrowOsError(StreamIO::errWriteFault, kClipStream);
        StreamIO::CVNArchive archive(stream->GetHandle(), StreamIO::CVNArchive::amLoad, kArchiveBuffer);
        loaded.Read(archive);
        archive.Close();
    }
    const std::uint8_t order = m_project.GetSortOrder();
    // pasted series join the project data only
    Commit(loaded, false, false);
    m_project.Sort(order);
    m_bModified = true;
    NotifyViews(nullptr, -1);
    return true;
}

void CTerrionDoc::RemoveSeries(int i)
{
    if (const TMeasSeries* series = m_project.GetSeries(i))
        m_summary.Remove(series);
    m_project.RemoveAt(i);
}

double CTerrionDoc::GetMean(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    return s ? s->dMean : 0.0;
}

Device::NMeasurementMode CTerrionDoc::GetMeasurementMode(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    return s ? s->object.settings.mode : Device::NMeasurementMode::None;
}

bool CTerrionDoc::IsDefaultContactSpacing(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    return !s || !s->object.settings.customSpacing;
}

Device::NSpecimenShape CTerrionDoc::GetSpecimenShape(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    return s ? s->object.settings.shape : Device::NSpecimenShape::None;
}

Device::NCorrectionKind CTerrionDoc::GetCorrectionKind(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    return s ? s->object.settings.correctionKind : Device::NCorrectionKind::None;
}

std::wstring CTerrionDoc::FormatMeasurementMode(int i) const
{
    switch (GetMeasurementMode(i))
    {
    case Device::NMeasurementMode::Surface:
        return CStringTable::Text(Ids::kModeSurface);
    case Device::NMeasurementMode::Bulk:
        return CStringTable::Text(Ids::kModeBulk);
    default:
        return L"--";
    }
}

std::wstring CTerrionDoc::FormatSpecimenShape(int i) const
{
    switch (GetSpecimenShape(i))
    {
    case Device::NSpecimenShape::Flat:
        return CStringTable::Text(Ids::kShapeFlat);
    case Device::NSpecimenShape::Cylinder:
        return CStringTable::Text(Ids::kShapeCylinder);
    case Device::NSpecimenShape::Prism:
        return CStringTable::Text(Ids::kShapePrism);
    default:
        return L"--";
    }
}

std::wstring CTerrionDoc::FormatLength(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    return s ? FormatTenths(s->object.settings.length) : std::wstring();
}

std::wstring CTerrionDoc::FormatDiameter(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    return s ? FormatTenths(s->object.settings.diameter) : std::wstring();
}

std::wstring CTerrionDoc::FormatDepth(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    return s ? FormatTenths(s->object.settings.depth) : std::wstring();
}

std::wstring CTerrionDoc::FormatCorrection(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    if (!s)
        return std::wstring();
    return CNumberFormat::Fixed(static_cast<double>(s->object.settings.correctionFactor), 3);
}

std::wstring CTerrionDoc::GetResistivityUnit()
{
    return L"k\u2126cm";
}

std::wstring CTerrionDoc::GetCurrentUnit()
{
    return L"\u00B5A";
}

bool CTerrionDoc::IsInSummary(int i) const
{
    const TMeasSeries* s = m_project.GetSeries(i);
    return s && s->bInSummary;
}

bool CTerrionDoc::ApplySummaryState(TMeasSeries& series, bool in)
{
    const bool before = series.bInSummary;
    if (!in || series.dMean == 0.0)
        m_summary.Remove(&series);
    else if (!series.bInSummary)
        m_summary.Add(&series);
    series.bInSummary = in && series.dMean != 0.0;
    return series.bInSummary != before;
}

void CTerrionDoc::SetInSummary(int i, bool in)
{
    TMeasSeries* s = m_project.GetSeries(i);
    if (!s)
        return;
    if (ApplySummaryState(*s, in))
        SetModified();
    NotifyViews(nullptr, i);
}

void CTerrionDoc::SetSelectedInSummary(bool in)
{
    bool changed = false;
    for (int i = 0; i < m_project.GetCount(); ++i)
        if (TMeasSeries* s = m_project.GetSeries(i); s->bSelected)
            changed = ApplySummaryState(*s, in) || changed;
    if (changed)
        SetModified();
    NotifyViews(nullptr, -1);
}

void CTerrionDoc::SetAllInSummary(bool in)
{
    bool changed = false;
    for (int i = 0; i < m_project.GetCount(); ++i)
        changed = ApplySummaryState(*m_project.GetSeries(i), in) || changed;
    if (changed)
        SetModified();
    NotifyViews(nullptr, -1);
}

void CTerrionDoc::RebuildSummary()
{
    m_summary.RemoveAll();
    for (int i = 0; i < m_project.GetCount(); ++i)
        if (const TMeasSeries* s = m_project.GetSeries(i); s->bInSummary)
            m_summary.Add(s);
    NotifyViews(nullptr, -1);
}

CVersion CTerrionDoc::GetProjectFormatVersion()
{
    return g_projectFormatVersion;
}

void CTerrionDoc::SetSeriesStamps(CTerrionData::FGuidSource guids, CTerrionData::FClock clock)
{
    m_project.SetGuidSource(guids);
    m_project.SetClock(clock);
    m_original.SetGuidSource(std::move(guids));
    m_original.SetClock(std::move(clock));
}
