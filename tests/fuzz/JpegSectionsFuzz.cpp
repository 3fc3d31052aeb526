// Fuzzes the JPEG section reader and the EXIF block: the input is read as a
// JPEG file with its EXIF block, comment and image data. Whatever it holds,
// the record's texts end within their fields and its thumbnail lies inside a
// held section; a file read in full is written back and reads again as the
// same sections; and an EXIF block read goes through the JPEG encoder.

#include "export/PicJpegSections.h"
#include "export/PicMemFile.h"
#include "export/PictureJPG.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace
{

constexpr int kReadAll = CPicJpegSections::READ_EXIF | CPicJpegSections::READ_IMAGE;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

template <std::size_t N> void CheckText(const char (&text)[N])
{
    Check(std::memchr(text, 0, N) != nullptr);
}

void CheckRecord(const CPicJpegSections& sections)
{
    const SExifInfo& info = sections.GetInfo();
    CheckText(info.version);
    CheckText(info.cameraMake);
    CheckText(info.cameraModel);
    CheckText(info.dateTime);
    CheckText(info.comments);
    Check(info.orientation >= 0 && info.orientation <= 8);
    if (!info.thumbnailPointer)
        return;
    const std::less_equal<const std::uint8_t*> notAfter;
    bool inside = false;
    for (std::size_t i = 0; i < sections.GetSectionCount(); ++i)
    {
        const auto data = sections.GetSectionData(i);
        inside = inside || (notAfter(data.data(), info.thumbnailPointer) &&
                            notAfter(info.thumbnailPointer + info.thumbnailSize, data.data() + data.size()));
    }
    Check(inside);
}

bool SameSections(const CPicJpegSections& a, const CPicJpegSections& b)
{
    if (a.GetSectionCount() != b.GetSectionCount())
        return false;
    for (std::size_t i = 0; i < a.GetSectionCount(); ++i)
    {
        const auto x = a.GetSectionData(i), y = b.GetSectionData(i);
        if (a.GetSectionType(i) != b.GetSectionType(i) || x.size() != y.size() ||
            (!x.empty() && std::memcmp(x.data(), y.data(), x.size()) != 0))
            return false;
    }
    return true;
}

void CheckEncoder(CPicJpegSections& sections)
{
    CPictureJPG encoder;
    Check(encoder.Create(8, 8, 24, IMAGE_TYPE_JPEG) != nullptr);
    encoder.SetJpegSections(&sections);
    CPicMemFile sink;
    Check(sink.Open());
    // The held sections plus the new file's may exceed the table: a refusal
    // is fine, a crash or a file without the EXIF section is not.
    if (!encoder.Encode(&sink))
        return;
    const std::uint8_t* out = sink.GetBuffer(false);
    Check(sink.Size() > 4 && out[0] == 0xFF && out[1] == 0xD8 && out[2] == 0xFF && out[3] == 0xE1);
    CheckRecord(sections);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    CPicMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<long>(size));
    CPicJpegSections sections;
    const bool read = sections.DecodeExif(&file, kReadAll);
    Check(sections.GetSectionCount() <= CPicJpegSections::kMaxSections);
    CheckRecord(sections);
    if (!read)
        return 0;

    CPicMemFile written;
    Check(written.Open());
    if (sections.GetSectionType(sections.GetSectionCount() - 1) == CPicJpegSections::kImageData)
    {
        Check(sections.EncodeExif(&written));
        written.Seek(0, 0);
        CPicJpegSections again;
        Check(again.DecodeExif(&written, kReadAll));
        Check(SameSections(sections, again));
    }

    if (sections.HasExifBlock())
        CheckEncoder(sections);
    sections.DiscardAllButExif();
    Check(sections.GetSectionCount() <= 2);
    CheckRecord(sections);
    return 0;
}
