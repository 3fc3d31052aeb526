#include "export/PicJpegSections.h"

#include "export/ExifDecoder.h"
#include "export/PicFile.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>

namespace
{
enum NJpegMarker : int
{
    M_SOF0 = 0xC0,
    M_SOF15 = 0xCF,
    M_DHT = 0xC4,
    M_JPG = 0xC8,
    M_DAC = 0xCC,
    M_SOI = 0xD8,
    M_EOI = 0xD9,
    M_SOS = 0xDA,
    M_APP0 = 0xE0,
    M_APP1 = 0xE1,
    M_COM = 0xFE,
};

constexpr int kMaxFillBytes = 6;
constexpr std::size_t kMaxCommentBytes = 1000;

/// JFIF 1.01, 300 x 300 dots per inch, no thumbnail.
constexpr std::uint8_t kJfifHeader[18] = {0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00,
                                          0x01, 0x01, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00};

bool IsFrameMarker(int marker)
{
    return marker >= M_SOF0 && marker <= M_SOF15 && marker != M_DHT && marker != M_JPG && marker != M_DAC;
}

bool Put(CPicFile& file, const std::uint8_t* bytes, std::size_t count)
{
    return count == 0 || file.Write(bytes, 1, count) == count;
}
} // namespace

CPicJpegSections::CPicJpegSections(SExifInfo* info)
{
    if (!info)
    {
        m_ownInfo = std::make_unique<SExifInfo>();
        info = m_ownInfo.get();
    }
    m_info = info;
    std::memset(m_info, 0, sizeof(SExifInfo));
}

CPicJpegSections::~CPicJpegSections()
{
    if (!m_ownInfo)
    {
        m_info->thumbnailPointer = nullptr;
        m_info->thumbnailSize = 0;
    }
}

bool CPicJpegSections::Fail(const char* text)
{
    std::strncpy(m_lastError, text, sizeof(m_lastError) - 1);
    m_lastError[sizeof(m_lastError) - 1] = 0;
    return false;
}

bool CPicJpegSections::DecodeExif(CPicFile* file, int flags)
{
    if (!file)
        return Fail("null file handler");
    try
    {
        return ReadSections(*file, flags);
    }
    catch (const std::bad_alloc&)
    {
        return Fail("Could not allocate memory");
    }
}

bool CPicJpegSections::ReadSections(CPicFile& file, int flags)
{
    if (file.GetC() != 0xFF || file.GetC() != M_SOI)
        return false;

    bool haveComment = false;
    for (;;)
    {
        if (m_sections.size() >= kMaxSections)
            return Fail("Too many sections in jpg file");

        // A marker is 0xFF, perhaps some 0xFF fill bytes, and the marker byte.
        long marker = file.GetC();
        if (marker == -1)
            return Fail("Premature end of file?");
        if (marker != 0xFF)
            return Fail("invalid marker");
        for (int fill = 0;; ++fill)
        {
            marker = file.GetC();
            if (marker == -1)
                return Fail("Premature end of file?");
            if (marker != 0xFF)
                break;
            if (fill >= kMaxFillBytes)
                return Fail("too many padding bytes");
        }
        // The end of image has no length: nothing follows it.
        if (marker == M_EOI)
            return Fail("No image in jpeg!");

        const long high = file.GetC();
        const long low = file.GetC();
        if (high == -1 || low == -1)
            return Fail("Premature end of file?");
        const std::size_t length = static_cast<std::size_t>(high << 8 | low);
        if (length < 2)
            return Fail("invalid marker");

        SSection section;
        section.type = static_cast<int>(marker);
        section.data.resize(length);
        section.data[0] = static_cast<std::uint8_t>(high);
        section.data[1] = static_cast<std::uint8_t>(low);
        if (file.Read(section.data.data() + 2, 1, length - 2) != length - 2)
            return Fail("Premature end of file?");

        if (IsFrameMarker(section.type))
        {
            DecodeFrame(section);
            m_sections.push_back(std::move(section));
        }
        else if (section.type == M_SOS)
        {
            m_sections.push_back(std::move(section));
            return (flags & READ_IMAGE) == 0 || ReadImageData(file);
        }
        else if (section.type == M_APP0)
            continue;
        else if (section.type == M_APP1)
        {
            if ((flags & READ_EXIF) == 0 || length < 6 ||
                std::memcmp(section.data.data() + 2, "Exif", 4) != 0)
                continue;
            // Held first: the record's thumbnail pointer points into the held bytes.
            m_sections.push_back(std::move(section));
            const std::vector<std::uint8_t>& data = m_sections.back().data;
            CExifDecoder decoder(*m_info);
            m_info->isExif = decoder.Decode(std::span<const std::uint8_t>(data).subspan(2)) ? 1 : 0;
            if (decoder.GetLastError())
                Fail(decoder.GetLastError());
        }
        else if (section.type == M_COM)
        {
            if ((flags & READ_EXIF) == 0 || haveComment)
                continue;
            haveComment = true;
            DecodeComment(section);
            m_sections.push_back(std::move(section));
        }
        else
            m_sections.push_back(std::move(section));
    }
}

bool CPicJpegSections::ReadImageData(CPicFile& file)
{
    if (m_sections.size() >= kMaxSections)
        return Fail("Too many sections in jpg file");
    const long start = file.Tell();
    if (start < 0 || !file.Seek(0, 2))
        return Fail("could not read the rest of the image");
    const long end = file.Tell();
    if (!file.Seek(start, 0) || end < start)
        return Fail("could not read the rest of the image");

    SSection section;
    section.type = kImageData;
    const std::size_t size = static_cast<std::size_t>(end - start);
    try
    {
        section.data.resize(size);
    }
    catch (const std::bad_alloc&)
    {
        return Fail("could not allocate data for entire image");
    }
    if (size > 0 && file.Read(section.data.data(), 1, size) != size)
        return Fail("could not read the rest of the image");
    m_sections.push_back(std::move(section));
    return true;
}

void CPicJpegSections::DecodeFrame(const SSection& section)
{
    // Precision, height, width and component count follow the length.
    const std::vector<std::uint8_t>& data = section.data;
    if (data.size() < 8)
        return;
    m_info->height = data[3] << 8 | data[4];
    m_info->width = data[5] << 8 | data[6];
    m_info->isColour = data[7] == 3 ? 1 : 0;
    m_info->process = section.type;
}

void CPicJpegSections::DecodeComment(const SSection& section)
{
    const std::span<const std::uint8_t> text = std::span<const std::uint8_t>(section.data).subspan(2);
    const std::size_t count = std::min(text.size(), kMaxCommentBytes);
    std::size_t stored = 0;
    for (std::size_t i = 0; i < count && stored < sizeof(m_info->comments) - 1; ++i)
    {
        const std::uint8_t c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        const bool printable = (c >= 0x20 && c < 0x7F) || c == '\n' || c == '\t';
        m_info->comments[stored++] = printable ? static_cast<char>(c) : '?';
    }
    m_info->comments[stored] = 0;
}

bool CPicJpegSections::EncodeExif(CPicFile* file)
{
    if (!file)
        return Fail("null file handler");
    // The image data must be the last section, behind its start of scan.
    const bool complete = m_sections.size() >= 2 && m_sections.back().type == kImageData &&
                          std::any_of(m_sections.begin(), m_sections.end() - 1,
                                      [](const SSection& s) { return s.type == M_SOS; });
    if (!complete)
        return Fail("Can't write exif : didn't read all");

    const std::uint8_t start[2] = {0xFF, M_SOI};
    bool written = Put(*file, start, sizeof(start));
    const int first = m_sections.front().type;
    if (first != M_APP0 && first != M_APP1)
        written = written && Put(*file, kJfifHeader, sizeof(kJfifHeader));
    for (std::size_t i = 0; i + 1 < m_sections.size(); ++i)
    {
        const std::uint8_t marker[2] = {0xFF, static_cast<std::uint8_t>(m_sections[i].type)};
        written = written && Put(*file, marker, sizeof(marker)) &&
                  Put(*file, m_sections[i].data.data(), m_sections[i].data.size());
    }
    written = written && Put(*file, m_sections.back().data.data(), m_sections.back().data.size());
    if (!written)
        return Fail("Can't write exif : write failed");
    return true;
}

void CPicJpegSections::DiscardAllButExif()
{
    std::vector<SSection> kept;
    for (const int type : {M_APP1, M_COM})
    {
        const auto found = std::find_if(m_sections.begin(), m_sections.end(),
                                        [type](const SSection& s) { return s.type == type; });
        if (found != m_sections.end())
            kept.push_back(std::move(*found)); // moving keeps the bytes where they are
    }
    m_sections = std::move(kept);
    CheckThumbnail();
}

bool CPicJpegSections::HasExifBlock() const
{
    return m_info->isExif != 0 && std::any_of(m_sections.begin(), m_sections.end(),
                                              [](const SSection& s) { return s.type == M_APP1; });
}

void CPicJpegSections::CheckThumbnail()
{
    const std::uint8_t* thumbnail = m_info->thumbnailPointer;
    if (!thumbnail)
        return;
    const std::less<const std::uint8_t*> before;
    for (const SSection& section : m_sections)
    {
        const std::uint8_t* begin = section.data.data();
        if (!before(thumbnail, begin) && before(thumbnail, begin + section.data.size()))
            return;
    }
    m_info->thumbnailPointer = nullptr;
    m_info->thumbnailSize = 0;
}
