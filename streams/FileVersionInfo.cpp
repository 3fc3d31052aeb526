#include "streams/FileVersionInfo.h"
#include "streams/LittleEndian.h"

#include "streams/TextCodec.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

namespace
{

constexpr std::size_t kMagicSize = 16;
constexpr std::size_t kHeaderSize = 80; // magic, size, format, fixed block, translation count
constexpr std::size_t kMaxRecordSize = 1 << 20;
constexpr std::uint32_t kMaxTranslations = 64;
constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kChunkSize = 1 << 20;

// Kept reversed, so this copy of the magic does not stand in the reader's own
// binary; a stray match fails the record checks anyway.
constexpr std::array<unsigned char, kMagicSize> kReversedMagic = {'C', 'E', 'R', '-', 'N', 'O', 'I', 'S',
                                                                  'R', 'E', 'V', '-', 'N', 'R', 'T', 0x7F};

class CFd
{
public:
    explicit CFd(int fd) : m_fd(fd) {}
    ~CFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

bool ReadAt(int fd, std::uint8_t* buffer, std::size_t size, off_t offset, std::size_t* got)
{
    std::size_t done = 0;
    while (done < size)
    {
        const ssize_t n = ::pread(fd, buffer + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    *got = done;
    return true;
}

/// The size of the record whose header this is, 0 when the header is not sound.
std::uint32_t RecordSize(const std::uint8_t* header)
{
    const std::uint32_t size = StreamIO::CLittleEndian::Get32(header + 16);
    const std::uint32_t format = StreamIO::CLittleEndian::Get32(header + 20);
    const std::uint32_t signature = StreamIO::CLittleEndian::Get32(header + 24);
    const std::uint32_t translations = StreamIO::CLittleEndian::Get32(header + 76);
    if (format != 1 || signature != kFixedSignature || translations == 0 || translations > kMaxTranslations ||
        size > kMaxRecordSize || size < kHeaderSize + 8 * translations)
        return 0;
    return size;
}

std::array<unsigned char, kMagicSize> Magic()
{
    std::array<unsigned char, kMagicSize> magic{};
    for (std::size_t i = 0; i < kMagicSize; ++i)
        magic[i] = kReversedMagic[kMagicSize - 1 - i];
    return magic;
}

/// The whole record starting at offset when its header is sound, else empty.
std::vector<std::uint8_t> LoadCandidate(int fd, off_t offset)
{
    std::uint8_t header[kHeaderSize];
    std::size_t got = 0;
    if (!ReadAt(fd, header, sizeof header, offset, &got) || got != sizeof header)
        return {};
    const std::uint32_t size = RecordSize(header);
    if (size == 0)
        return {};
    std::vector<std::uint8_t> record(size);
    if (!ReadAt(fd, record.data(), size, offset, &got) || got != size)
        return {};
    return record;
}

std::uint16_t LanguageOfCode(const std::string& code)
{
    struct SLanguage
    {
        const char* code;
        std::uint16_t id;
    };
    static const SLanguage kLanguages[] = {
        {"en", 0x0409}, {"de", 0x0407}, {"fr", 0x040C}, {"es", 0x0C0A}, {"it", 0x0410}, {"nl", 0x0413},
        {"pt", 0x0816}, {"pl", 0x0415}, {"cs", 0x0405}, {"sk", 0x041B}, {"hu", 0x040E}, {"ru", 0x0419},
        {"sv", 0x041D}, {"da", 0x0406}, {"fi", 0x040B}, {"nb", 0x0414}, {"no", 0x0414}, {"tr", 0x041F},
        {"ja", 0x0411}, {"zh", 0x0804}, {"ko", 0x0412}, {"el", 0x0408}, {"ro", 0x0418}, {"sl", 0x0424},
    };
    for (const SLanguage& language : kLanguages)
    {
        if (code == language.code)
            return language.id;
    }
    return 0x0409;
}

} // namespace

CFileVersionInfo::CFileVersionInfo()
{
    CFileVersionInfo::Reset();
}

void CFileVersionInfo::Reset()
{
    std::memset(&m_fixed, 0, sizeof m_fixed);
    for (std::wstring& text : m_strings)
        text.clear();
}

std::uint16_t CFileVersionInfo::GetFileVersionPart(int index) const
{
    switch (index)
    {
    case 0:
        return static_cast<std::uint16_t>(m_fixed.fileVersionLS);
    case 1:
        return static_cast<std::uint16_t>(m_fixed.fileVersionLS >> 16);
    case 2:
        return static_cast<std::uint16_t>(m_fixed.fileVersionMS);
    case 3:
        return static_cast<std::uint16_t>(m_fixed.fileVersionMS >> 16);
    default:
        return 0;
    }
}

std::uint16_t CFileVersionInfo::GetProductVersionPart(int index) const
{
    switch (index)
    {
    case 0:
        return static_cast<std::uint16_t>(m_fixed.productVersionLS);
    case 1:
        return static_cast<std::uint16_t>(m_fixed.productVersionLS >> 16);
    case 2:
        return static_cast<std::uint16_t>(m_fixed.productVersionMS);
    case 3:
        return static_cast<std::uint16_t>(m_fixed.productVersionMS >> 16);
    default:
        return 0;
    }
}

std::size_t CFileVersionInfo::ChooseTranslation(const std::vector<std::uint32_t>& translations,
                                                std::uint16_t userLanguage)
{
    const auto findExact = [&](std::uint16_t language) -> std::size_t
    {
        for (std::size_t i = 0; i < translations.size(); ++i)
        {
            if ((translations[i] & 0xFFFF) == language)
                return i;
        }
        return translations.size();
    };
    const auto findPrimary = [&](std::uint16_t primary) -> std::size_t
    {
        for (std::size_t i = 0; i < translations.size(); ++i)
        {
            if ((translations[i] & 0xFF) == primary)
                return i;
        }
        return translations.size();
    };
    const std::size_t candidates[] = {
        findExact(userLanguage), findPrimary(userLanguage & 0xFF), findExact(0), findPrimary(0), findExact(9),
        findPrimary(9),
    };
    for (std::size_t found : candidates)
    {
        if (found < translations.size())
            return found;
    }
    return 0;
}

std::uint16_t CFileVersionInfo::GetUserDefaultLanguage()
{
    const char* value = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            break;
    }
    if (value == nullptr)
        return 0x0409;
    std::string code(value);
    const std::size_t stop = code.find_first_of("_.@");
    if (stop != std::string::npos)
        code.resize(stop);
    return LanguageOfCode(code);
}

bool CFileVersionInfo::ReadRecord(const std::vector<std::uint8_t>& record)
{
    const std::uint32_t count = StreamIO::CLittleEndian::Get32(record.data() + 76);
    std::vector<std::uint32_t> translations;
    for (std::uint32_t i = 0; i < count; ++i)
        translations.push_back(StreamIO::CLittleEndian::Get32(record.data() + kHeaderSize + 8 * i));
    const std::size_t chosen = ChooseTranslation(translations, GetUserDefaultLanguage());
    std::size_t at = StreamIO::CLittleEndian::Get32(record.data() + kHeaderSize + 8 * chosen + 4);

    std::wstring strings[vsCount];
    for (std::wstring& text : strings)
    {
        if (at >= record.size())
            return false;
        const auto* begin = record.data() + at;
        const void* zero = std::memchr(begin, 0, record.size() - at);
        if (zero == nullptr)
            return false;
        const std::size_t length = static_cast<const std::uint8_t*>(zero) - begin;
        text = StreamIO::CTextCodec::FromUtf8(std::string(reinterpret_cast<const char*>(begin), length));
        at += length + 1;
    }

    std::uint32_t words[13];
    for (int i = 0; i < 13; ++i)
        words[i] = StreamIO::CLittleEndian::Get32(record.data() + 24 + 4 * i);
    static_assert(sizeof words == sizeof m_fixed);
    std::memcpy(&m_fixed, words, sizeof m_fixed);
    for (int i = 0; i < vsCount; ++i)
        m_strings[i] = std::move(strings[i]);
    return true;
}

bool CFileVersionInfo::Create(const std::wstring& path)
{
    Reset();
    const CFd fd(::open(StreamIO::CTextCodec::ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        return false;

    const std::array<unsigned char, kMagicSize> magic = Magic();
    std::vector<std::uint8_t> chunk(kChunkSize + kMagicSize);
    off_t chunkStart = 0;
    std::size_t carried = 0; // bytes kept from the previous chunk, so a magic across the seam is found
    for (;;)
    {
        std::size_t got = 0;
        if (!ReadAt(fd.Get(), chunk.data() + carried, kChunkSize, chunkStart + static_cast<off_t>(carried),
                    &got))
            return false;
        const std::size_t valid = carried + got;
        std::size_t from = 0;
        while (from + kMagicSize <= valid)
        {
            const void* hit = ::memmem(chunk.data() + from, valid - from, magic.data(), kMagicSize);
            if (hit == nullptr)
                break;
            const std::size_t index = static_cast<const std::uint8_t*>(hit) - chunk.data();
            const std::vector<std::uint8_t> record =
                LoadCandidate(fd.Get(), chunkStart + static_cast<off_t>(index));
            if (!record.empty() && ReadRecord(record))
                return true;
            from = index + 1;
        }
        if (got == 0)
            return false;
        carried = std::min(valid, kMagicSize - 1);
        std::memmove(chunk.data(), chunk.data() + valid - carried, carried);
        chunkStart += static_cast<off_t>(valid - carried);
    }
}

bool CFileVersionInfo::CreateFromMemory(std::span<const std::uint8_t> bytes)
{
    Reset();
    const std::array<unsigned char, kMagicSize> magic = Magic();
    std::size_t from = 0;
    while (from + kMagicSize <= bytes.size())
    {
        const void* hit = ::memmem(bytes.data() + from, bytes.size() - from, magic.data(), kMagicSize);
        if (hit == nullptr)
            return false;
        const std::size_t index = static_cast<const std::uint8_t*>(hit) - bytes.data();
        if (bytes.size() - index >= kHeaderSize)
        {
            const std::uint32_t size = RecordSize(bytes.data() + index);
            if (size != 0 && size <= bytes.size() - index &&
                ReadRecord(std::vector<std::uint8_t>(bytes.begin() + index, bytes.begin() + index + size)))
                return true;
        }
        from = index + 1;
    }
    return false;
}

bool CFileVersionInfo::Create(void* module)
{
    if (module == nullptr)
    {
        char path[4096];
        const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
        if (length <= 0)
        {
            Reset();
            return false;
        }
        return Create(StreamIO::CTextCodec::FromUtf8(std::string(path, static_cast<std::size_t>(length))));
    }
    link_map* map = nullptr;
    if (::dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr)
    {
        Reset();
        return false;
    }
    return Create(StreamIO::CTextCodec::FromUtf8(map->l_name));
}
