#include "export/PicMemFile.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr std::size_t kGrowStep = 65536;
}

CPicMemFile::CPicMemFile(std::uint8_t* buffer, long size)
    : m_buffer(buffer), m_size(size), m_freeOnClose(buffer == nullptr), m_position(0), m_edge(size)
{
}

CPicMemFile::~CPicMemFile()
{
    Close();
}

bool CPicMemFile::Open()
{
    if (m_buffer)
        return false;
    m_position = m_size = m_edge = 0;
    m_buffer = static_cast<std::uint8_t*>(std::malloc(1));
    m_freeOnClose = true;
    return m_buffer != nullptr;
}

std::uint8_t* CPicMemFile::GetBuffer(bool detach)
{
    if (detach)
        m_freeOnClose = false;
    return m_buffer;
}

bool CPicMemFile::Close()
{
    if (m_buffer && m_freeOnClose)
    {
        std::free(m_buffer);
        m_buffer = nullptr;
        m_size = 0;
    }
    return true;
}

std::size_t CPicMemFile::Read(void* buffer, std::size_t size, std::size_t count)
{
    if (!buffer || !m_buffer || m_position >= m_size || size == 0 || count == 0)
        return 0;
    if (count > SIZE_MAX / size)
        return 0;
    std::size_t bytes = size * count;
    std::size_t available = static_cast<std::size_t>(m_size - m_position);
    if (bytes > available)
        bytes = available;
    std::memcpy(buffer, m_buffer + m_position, bytes);
    m_position += static_cast<long>(bytes);
    return bytes / size;
}

std::size_t CPicMemFile::Write(const void* buffer, std::size_t size, std::size_t count)
{
    if (!m_buffer || !buffer || size == 0 || count == 0)
        return 0;
    if (count > SIZE_MAX / size)
        return 0;
    std::size_t bytes = size * count;
    std::size_t end = static_cast<std::size_t>(m_position) + bytes;
    if (end < bytes || end > static_cast<std::size_t>(LONG_MAX))
        return 0;
    if (end > static_cast<std::size_t>(m_edge) && !Alloc(end))
        return 0;
    FillGap();
    std::memcpy(m_buffer + m_position, buffer, bytes);
    m_position = static_cast<long>(end);
    if (m_position > m_size)
        m_size = m_position;
    return count;
}

bool CPicMemFile::Seek(long offset, int origin)
{
    if (!m_buffer)
        return false;
    long base;
    switch (origin)
    {
    case 0:
        base = 0;
        break;
    case 1:
        base = m_position;
        break;
    case 2:
        base = m_size;
        break;
    default:
        return false;
    }
    long target;
    if (__builtin_add_overflow(base, offset, &target))
        return false;
    m_position = target < 0 ? 0 : target;
    return true;
}

long CPicMemFile::Tell()
{
    return m_buffer ? m_position : -1;
}

long CPicMemFile::Size()
{
    return m_buffer ? m_size : -1;
}

bool CPicMemFile::Flush()
{
    return m_buffer != nullptr;
}

bool CPicMemFile::Eof()
{
    return !m_buffer || m_position >= m_size;
}

long CPicMemFile::Error()
{
    if (!m_buffer)
        return -1;
    return m_position > m_size ? 1 : 0;
}

bool CPicMemFile::PutC(std::uint8_t c)
{
    if (!m_buffer)
        return false;
    if (m_position == LONG_MAX)
        return false;
    if (m_position >= m_edge && !Alloc(static_cast<std::size_t>(m_position) + 1))
        return false;
    FillGap();
    m_buffer[m_position++] = c;
    if (m_position > m_size)
        m_size = m_position;
    return true;
}

long CPicMemFile::GetC()
{
    if (Eof())
        return -1;
    return m_buffer[m_position++];
}

char* CPicMemFile::GetS(char* buffer, int n)
{
    if (!buffer || n <= 0)
        return nullptr;
    int stored = 0;
    while (stored < n - 1)
    {
        long c = GetC();
        if (c == -1)
            return nullptr;
        buffer[stored++] = static_cast<char>(c);
        if (c == 10)
            break;
    }
    buffer[stored] = 0;
    return buffer;
}

int CPicMemFile::Scanf(const char*, ...)
{
    return 0;
}

bool CPicMemFile::Alloc(std::size_t n)
{
    if (n > static_cast<std::size_t>(m_edge) || !m_buffer)
    {
        std::size_t edge = (n / kGrowStep) * kGrowStep + kGrowStep;
        if (edge < n || edge > static_cast<std::size_t>(LONG_MAX))
            return false;
        void* grown;
        if (m_freeOnClose || !m_buffer)
            grown = std::realloc(m_buffer, edge);
        else
        {
            // A caller's buffer is never reallocated: it may not come from the C heap.
            grown = std::malloc(edge);
            if (grown)
                std::memcpy(grown, m_buffer, static_cast<std::size_t>(m_size));
        }
        if (!grown)
            return false; // the old block and its data stay valid
        m_buffer = static_cast<std::uint8_t*>(grown);
        m_edge = static_cast<long>(edge);
        m_freeOnClose = true;
    }
    return m_buffer != nullptr;
}

void CPicMemFile::FillGap()
{
    if (m_position > m_size)
        std::memset(m_buffer + m_size, 0, static_cast<std::size_t>(m_position - m_size));
}
