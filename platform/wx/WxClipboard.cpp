#include "platform/wx/WxClipboard.h"

#include "streams/TextCodec.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

namespace
{

wxDataFormat ToDataFormat(const std::wstring& format)
{
    if (format == Platform::CClipboardData::kUnicodeText)
        return wxDataFormat(wxDF_UNICODETEXT);
    if (format == Platform::CClipboardData::kBitmap)
        return wxDataFormat(wxDF_BITMAP);
    return wxDataFormat(wxString(format));
}

/// UTF-16LE code units with one 16-bit zero at the end.
std::vector<std::uint8_t> ToUtf16Block(const wxString& text)
{
    std::vector<std::uint8_t> block;
    for (const char16_t unit : StreamIO::CTextCodec::ToUtf16(text.ToStdWstring()))
    {
        block.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        block.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    block.push_back(0);
    block.push_back(0);
    return block;
}

wxString FromUtf16Block(const std::vector<std::uint8_t>& block)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < block.size(); i += 2)
    {
        const auto unit = static_cast<char16_t>(block[i] | (block[i + 1] << 8));
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    return wxString(StreamIO::CTextCodec::FromUtf16(units));
}

/// A device-independent bitmap (BITMAPINFOHEADER, palette, rows) as a wx
/// bitmap, read through the BMP decoder with a file header put in front.
wxBitmap FromDib(const std::vector<std::uint8_t>& dib)
{
    if (dib.size() < 40)
        return wxBitmap();
    const std::uint32_t headerSize =
        dib[0] | (dib[1] << 8) | (dib[2] << 16) | (static_cast<std::uint32_t>(dib[3]) << 24);
    const std::uint16_t bits = static_cast<std::uint16_t>(dib[14] | (dib[15] << 8));
    std::uint32_t colours =
        dib[32] | (dib[33] << 8) | (dib[34] << 16) | (static_cast<std::uint32_t>(dib[35]) << 24);
    if (colours == 0 && bits <= 8)
        colours = 1u << bits;
    const std::uint64_t offset = 14ull + headerSize + 4ull * colours;
    const std::uint64_t total = 14ull + dib.size();
    if (offset > total || total > 0xFFFFFFFFull)
        return wxBitmap();
    std::vector<std::uint8_t> file = {'B', 'M'};
    for (int i = 0; i < 4; ++i)
        file.push_back(static_cast<std::uint8_t>(total >> (8 * i)));
    file.insert(file.end(), 4, 0);
    for (int i = 0; i < 4; ++i)
        file.push_back(static_cast<std::uint8_t>(offset >> (8 * i)));
    file.insert(file.end(), dib.begin(), dib.end());
    wxMemoryInputStream stream(file.data(), file.size());
    wxImage image;
    wxLogNull quiet;
    return image.LoadFile(stream, wxBITMAP_TYPE_BMP) ? wxBitmap(image) : wxBitmap();
}

} // namespace

bool CWxClipboard::IsAvailable(const std::wstring& format)
{
    wxClipboardLocker lock;
    return !!lock && wxTheClipboard->IsSupported(ToDataFormat(format));
}

bool CWxClipboard::Read(const std::wstring& format, std::vector<std::uint8_t>* block)
{
    wxClipboardLocker lock;
    if (!lock)
        return false;
    const wxDataFormat dataFormat = ToDataFormat(format);
    if (!wxTheClipboard->IsSupported(dataFormat))
        return false;
    if (format == Platform::CClipboardData::kUnicodeText)
    {
        wxTextDataObject text;
        if (!wxTheClipboard->GetData(text))
            return false;
        *block = ToUtf16Block(text.GetText());
        return true;
    }
    wxCustomDataObject data(dataFormat);
    if (!wxTheClipboard->GetData(data))
        return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data.GetData());
    block->assign(bytes, bytes + data.GetSize());
    return true;
}

bool CWxClipboard::Write(const Platform::CClipboardData& data)
{
    if (data.IsEmpty())
        return false;
    wxClipboardLocker lock;
    if (!lock)
        return false;
    // One composite object: a second SetData would replace the first.
    auto* composite = new wxDataObjectComposite;
    for (const auto& [format, bytes] : data.Formats())
    {
        if (format == Platform::CClipboardData::kUnicodeText)
        {
            composite->Add(new wxTextDataObject(FromUtf16Block(bytes)));
        }
        else if (format == Platform::CClipboardData::kBitmap)
        {
            const wxBitmap bitmap = FromDib(bytes);
            if (bitmap.IsOk())
                composite->Add(new wxBitmapDataObject(bitmap));
        }
        else
        {
            auto* custom = new wxCustomDataObject(ToDataFormat(format));
            custom->SetData(bytes.size(), bytes.data());
            composite->Add(custom);
        }
    }
    return wxTheClipboard->SetData(composite);
}
