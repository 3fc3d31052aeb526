#include "export/ExifDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace
{
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559,
              "EXIF floats are IEEE 754 bit patterns");

constexpr int kMaxDepth = 5;
// Real blocks hold five or six directories; the limit keeps a crafted block
// of many small linked directories from costing more than reading it does.
constexpr std::size_t kMaxDirectories = 32;
constexpr std::size_t kEntrySize = 12;
/// Bytes of one component, by format code 1-12.
constexpr std::uint32_t kFormatBytes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};

enum NExifFormat : int
{
    FMT_BYTE = 1,
    FMT_USHORT = 3,
    FMT_ULONG = 4,
    FMT_URATIONAL = 5,
    FMT_SBYTE = 6,
    FMT_SSHORT = 8,
    FMT_SLONG = 9,
    FMT_SRATIONAL = 10,
    FMT_SINGLE = 11,
    FMT_DOUBLE = 12,
};

enum NExifTag : std::uint16_t
{
    TAG_MAKE = 0x010F,
    TAG_MODEL = 0x0110,
    TAG_ORIENTATION = 0x0112,
    TAG_X_RESOLUTION = 0x011A,
    TAG_Y_RESOLUTION = 0x011B,
    TAG_RESOLUTION_UNIT = 0x0128,
    TAG_THUMBNAIL_OFFSET = 0x0201,
    TAG_THUMBNAIL_LENGTH = 0x0202,
    TAG_EXPOSURE_TIME = 0x829A,
    TAG_FNUMBER = 0x829D,
    TAG_EXIF_OFFSET = 0x8769,
    TAG_EXPOSURE_PROGRAM = 0x8822,
    TAG_ISO_EQUIVALENT = 0x8827,
    TAG_EXIF_VERSION = 0x9000,
    TAG_DATETIME_ORIGINAL = 0x9003,
    TAG_COMPRESSION_LEVEL = 0x9102,
    TAG_SHUTTER_SPEED = 0x9201,
    TAG_APERTURE = 0x9202,
    TAG_BRIGHTNESS = 0x9203,
    TAG_EXPOSURE_BIAS = 0x9204,
    TAG_MAX_APERTURE = 0x9205,
    TAG_SUBJECT_DISTANCE = 0x9206,
    TAG_METERING_MODE = 0x9207,
    TAG_LIGHT_SOURCE = 0x9208,
    TAG_FLASH = 0x9209,
    TAG_FOCAL_LENGTH = 0x920A,
    TAG_USER_COMMENT = 0x9286,
    TAG_PIXEL_X_DIMENSION = 0xA002,
    TAG_PIXEL_Y_DIMENSION = 0xA003,
    TAG_INTEROP_OFFSET = 0xA005,
    TAG_FOCAL_PLANE_X_RES = 0xA20E,
    TAG_FOCAL_PLANE_Y_RES = 0xA20F,
    TAG_FOCAL_PLANE_UNITS = 0xA210,
};

/// A number from the block as int: NaN gives 0, the rest is clamped, since a
/// cast of an out-of-range double is undefined.
int ToInt(double value)
{
    if (std::isnan(value))
        return 0;
    value = std::clamp(value, static_cast<double>(std::numeric_limits<int>::min()),
                       static_cast<double>(std::numeric_limits<int>::max()));
    return static_cast<int>(value);
}

std::uint32_t ToUnsigned(double value)
{
    if (std::isnan(value) || value <= 0)
        return 0;
    return static_cast<std::uint32_t>(std::min(value, 4294967295.0));
}

float ToFloat(double value)
{
    return static_cast<float>(value);
}

/// Inches per resolution unit of the EXIF numbering; false for other codes.
bool UnitFactor(double code, float& factor)
{
    switch (ToInt(code))
    {
    case 1:
    case 2:
        factor = 1.0f;
        return true;
    case 3:
        factor = 0.3937008f;
        return true;
    case 4:
        factor = 0.03937008f;
        return true;
    case 5:
        factor = 0.00003937008f;
        return true;
    default:
        return false;
    }
}

/// Copies text up to its first zero byte, at most maxChars characters, and
/// never more than the target holds with its terminating zero.
template <std::size_t N>
void CopyText(char (&target)[N], std::span<const std::uint8_t> text, std::size_t maxChars)
{
    const std::size_t limit = std::min({maxChars, N - 1, text.size()});
    std::size_t n = 0;
    while (n < limit && text[n] != 0)
    {
        target[n] = static_cast<char>(text[n]);
        ++n;
    }
    target[n] = 0;
}
} // namespace

bool CExifDecoder::Fail(const char* text)
{
    m_error = text;
    return false;
}

std::uint16_t CExifDecoder::Get16(std::uint64_t offset) const
{
    const std::uint8_t* at = m_base.data() + offset;
    return static_cast<std::uint16_t>(m_motorola ? at[0] << 8 | at[1] : at[1] << 8 | at[0]);
}

std::uint32_t CExifDecoder::Get32(std::uint64_t offset) const
{
    const std::uint8_t* at = m_base.data() + offset;
    if (m_motorola)
        return static_cast<std::uint32_t>(at[0]) << 24 | static_cast<std::uint32_t>(at[1]) << 16 |
               static_cast<std::uint32_t>(at[2]) << 8 | at[3];
    return static_cast<std::uint32_t>(at[3]) << 24 | static_cast<std::uint32_t>(at[2]) << 16 |
           static_cast<std::uint32_t>(at[1]) << 8 | at[0];
}

double CExifDecoder::Number(std::span<const std::uint8_t> value, int format) const
{
    const std::uint64_t at = static_cast<std::uint64_t>(value.data() - m_base.data());
    switch (format)
    {
    case FMT_BYTE:
        return value[0];
    case FMT_USHORT:
        return Get16(at);
    case FMT_ULONG:
        return Get32(at);
    case FMT_URATIONAL:
    case FMT_SRATIONAL:
    {
        const std::uint32_t numerator = Get32(at);
        const std::uint32_t denominator = Get32(at + 4);
        if (denominator == 0)
            return 0;
        if (format == FMT_URATIONAL)
            return static_cast<double>(numerator) / denominator;
        return static_cast<double>(static_cast<std::int32_t>(numerator)) /
               static_cast<std::int32_t>(denominator);
    }
    case FMT_SBYTE:
        return static_cast<std::int8_t>(value[0]);
    case FMT_SSHORT:
        return static_cast<std::int16_t>(Get16(at));
    case FMT_SLONG:
        return static_cast<std::int32_t>(Get32(at));
    case FMT_SINGLE:
    {
        const std::uint32_t bits = Get32(at);
        float number;
        std::memcpy(&number, &bits, sizeof(number));
        return number;
    }
    case FMT_DOUBLE:
    {
        const std::uint64_t high = Get32(at + (m_motorola ? 0 : 4));
        const std::uint64_t bits = high << 32 | Get32(at + (m_motorola ? 4 : 0));
        double number;
        std::memcpy(&number, &bits, sizeof(number));
        return number;
    }
    default:
        return 0;
    }
}

bool CExifDecoder::Decode(std::span<const std::uint8_t> block)
{
    m_info.flashUsed = 0;
    m_info.comments[0] = 0;
    m_exifImageWidth = 0;
    m_visited.clear();
    m_error = nullptr;

    static const std::uint8_t kHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (block.size() < sizeof(kHeader) || std::memcmp(block.data(), kHeader, sizeof(kHeader)) != 0)
        return Fail("Incorrect Exif header");
    m_base = block.subspan(sizeof(kHeader));
    if (m_base.size() >= 2 && m_base[0] == 'I' && m_base[1] == 'I')
        m_motorola = false;
    else if (m_base.size() >= 2 && m_base[0] == 'M' && m_base[1] == 'M')
        m_motorola = true;
    else
        return Fail("Invalid Exif alignment marker.");
    // The header ends with the offset of the first directory.
    if (m_base.size() < 8 || Get16(2) != 42)
        return Fail("Invalid Exif start (1)");

    if (!Directory(8, 0))
        return false;
    const std::uint32_t first = Get32(4);
    if (first > 8 && std::find(m_visited.begin(), m_visited.end(), first) == m_visited.end() &&
        !Directory(first, 0))
        return false;

    if (m_info.focalPlaneXRes != 0)
        m_info.ccdWidth =
            ToFloat(static_cast<double>(m_exifImageWidth) * m_info.focalPlaneUnits / m_info.focalPlaneXRes);
    return true;
}

bool CExifDecoder::FollowLink(std::uint32_t offset, int depth)
{
    // Offsets up to 8 point into the header or back at the first directory.
    if (offset <= 8 || offset > m_base.size())
        return Fail("Illegal subdirectory link");
    return Directory(offset, depth);
}

bool CExifDecoder::Directory(std::uint64_t start, int depth)
{
    if (depth >= kMaxDepth)
        return Fail("Maximum directory nesting exceeded (corrupt exif header)");
    if (std::find(m_visited.begin(), m_visited.end(), start) != m_visited.end())
        return Fail("Exif directory links back to itself (corrupt exif header)");
    if (m_visited.size() >= kMaxDirectories)
        return Fail("Too many Exif directories (corrupt exif header)");
    m_visited.push_back(start);

    const std::uint64_t length = m_base.size();
    if (start + 2 > length)
        return Fail("Illegally sized directory");
    const std::uint64_t entries = Get16(start);
    const std::uint64_t end = start + 2 + kEntrySize * entries;
    if (end > length)
        return Fail("Illegally sized directory");

    std::uint32_t thumbnailOffset = 0;
    std::uint32_t thumbnailSize = 0;
    for (std::uint64_t i = 0; i < entries; ++i)
        if (!Entry(start + 2 + kEntrySize * i, depth, thumbnailOffset, thumbnailSize))
            return false;

    // Some writers end the last directory without its link: no next one then.
    if (end + 4 <= length)
    {
        const std::uint32_t next = Get32(end);
        if (next != 0 && !FollowLink(next, depth + 1))
            return false;
    }

    if (thumbnailOffset != 0 && thumbnailSize != 0 &&
        static_cast<std::uint64_t>(thumbnailOffset) + thumbnailSize <= length)
    {
        m_info.thumbnailPointer = m_base.data() + thumbnailOffset;
        m_info.thumbnailSize = thumbnailSize;
    }
    return true;
}

bool CExifDecoder::Entry(std::uint64_t at, int depth, std::uint32_t& thumbnailOffset,
                         std::uint32_t& thumbnailSize)
{
    const std::uint16_t tag = Get16(at);
    const int format = Get16(at + 2);
    const std::uint32_t components = Get32(at + 4);
    if (format < 1 || format > 12)
        return Fail("Illegal format code in EXIF dir");

    // 64 bits: a count of up to 2^32 components of 8 bytes must not wrap.
    const std::uint64_t bytes = static_cast<std::uint64_t>(components) * kFormatBytes[format];
    std::uint64_t valueAt = at + 8;
    if (bytes > 4)
    {
        valueAt = Get32(at + 8);
        if (valueAt + bytes > m_base.size())
            return Fail("Illegal pointer offset value in EXIF.");
    }
    // An entry without components carries no value; reading one would run
    // past its 4 value bytes for the 8-byte formats.
    if (components == 0)
        return true;
    const std::span<const std::uint8_t> value = m_base.subspan(valueAt, std::max<std::uint64_t>(bytes, 4));
    const auto number = [&] { return Number(value, format); };

    switch (tag)
    {
    case TAG_MAKE:
        CopyText(m_info.cameraMake, value.first(bytes), 31);
        break;
    case TAG_MODEL:
        CopyText(m_info.cameraModel, value.first(bytes), 39);
        break;
    case TAG_ORIENTATION:
        m_info.orientation = ToInt(number());
        if (m_info.orientation < 1 || m_info.orientation > 8)
        {
            m_info.orientation = 0;
            m_error = "Undefined rotation value";
        }
        break;
    case TAG_X_RESOLUTION:
        m_info.xResolution = ToFloat(number());
        break;
    case TAG_Y_RESOLUTION:
        m_info.yResolution = ToFloat(number());
        break;
    case TAG_RESOLUTION_UNIT:
        UnitFactor(number(), m_info.resolutionUnit);
        break;
    case TAG_THUMBNAIL_OFFSET:
        thumbnailOffset = ToUnsigned(number());
        break;
    case TAG_THUMBNAIL_LENGTH:
        thumbnailSize = ToUnsigned(number());
        break;
    case TAG_EXPOSURE_TIME:
        m_info.exposureTime = ToFloat(number());
        break;
    case TAG_FNUMBER:
        m_info.apertureFNumber = ToFloat(number());
        break;
    case TAG_EXPOSURE_PROGRAM:
        m_info.exposureProgram = ToInt(number());
        break;
    case TAG_ISO_EQUIVALENT:
    {
        double iso = number();
        if (iso < 50)
            iso *= 200;
        m_info.isoEquivalent = ToInt(iso);
        break;
    }
    case TAG_EXIF_VERSION:
        CopyText(m_info.version, value.first(bytes), 4);
        break;
    case TAG_DATETIME_ORIGINAL:
        CopyText(m_info.dateTime, value.first(bytes), 19);
        break;
    case TAG_COMPRESSION_LEVEL:
        m_info.compressionLevel = ToInt(number());
        break;
    case TAG_SHUTTER_SPEED:
        if (m_info.exposureTime == 0)
            m_info.exposureTime = ToFloat(std::exp2(-number())); // 1 / 2^value
        break;
    case TAG_APERTURE:
    case TAG_MAX_APERTURE:
        if (m_info.apertureFNumber == 0)
            m_info.apertureFNumber = ToFloat(std::exp2(number() / 2));
        break;
    case TAG_BRIGHTNESS:
        m_info.brightness = ToFloat(number());
        break;
    case TAG_EXPOSURE_BIAS:
        m_info.exposureBias = ToFloat(number());
        break;
    case TAG_SUBJECT_DISTANCE:
        m_info.distance = ToFloat(number());
        break;
    case TAG_METERING_MODE:
        m_info.meteringMode = ToInt(number());
        break;
    case TAG_LIGHT_SOURCE:
        m_info.whiteBalance = ToInt(number());
        break;
    case TAG_FLASH:
        m_info.flashUsed = (ToInt(number()) & 7) != 0 ? 1 : 0;
        break;
    case TAG_FOCAL_LENGTH:
        m_info.focalLength = ToFloat(number());
        break;
    case TAG_USER_COMMENT:
    {
        // The section is written back as it stands, so trailing spaces are
        // cut from the copy only.
        std::span<const std::uint8_t> text = value.first(bytes);
        while (!text.empty() && text.back() == ' ')
            text = text.first(text.size() - 1);
        if (text.size() >= 5 && std::memcmp(text.data(), "ASCII", 5) == 0)
        {
            // The character-code field is 8 bytes; some writers are a byte or two off.
            for (std::size_t a = 5; a < 10 && a < text.size(); ++a)
                if (text[a] != 0 && text[a] != ' ')
                {
                    CopyText(m_info.comments, text.subspan(a), 199);
                    break;
                }
        }
        else
            CopyText(m_info.comments, text, 199);
        break;
    }
    case TAG_PIXEL_X_DIMENSION:
    case TAG_PIXEL_Y_DIMENSION:
        m_exifImageWidth = std::max(m_exifImageWidth, ToInt(number()));
        break;
    case TAG_FOCAL_PLANE_X_RES:
        m_info.focalPlaneXRes = ToFloat(number());
        break;
    case TAG_FOCAL_PLANE_Y_RES:
        m_info.focalPlaneYRes = ToFloat(number());
        break;
    case TAG_FOCAL_PLANE_UNITS:
        UnitFactor(number(), m_info.focalPlaneUnits);
        break;
    case TAG_EXIF_OFFSET:
    case TAG_INTEROP_OFFSET:
        return FollowLink(Get32(valueAt), depth + 1);
    default:
        break;
    }
    return true;
}
