#include "streams/RamFile.h"

#include "streams/Win32Error.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace StreamIO
{

CRamFile::CRamFile(std::uint32_t flags) : m_nFlags(flags)
{
}

CRamFile::~CRamFile() = default;

int CRamFile::LengthLocked() const
{
    if (IsPipe() && m_nEnd < m_nRead)
        return m_nEnd + m_nCapacity - m_nRead;
    return m_nEnd - m_nRead;
}

int CRamFile::GetLength()
{
    std::lock_guard guard(m_lock);
    return LengthLocked();
}

int CRamFile::GetCapacity()
{
    std::lock_guard guard(m_lock);
    return m_nCapacity;
}

void CRamFile::EmptyLocked()
{
    m_pBuffer.reset();
    m_nCapacity = 0;
    m_nRead = 0;
    m_nEnd = 0;
}

void CRamFile::Empty()
{
    std::lock_guard guard(m_lock);
    EmptyLocked();
}

void CRamFile::Grow(std::int64_t n)
{
    if (n <= m_nCapacity)
        return;
    const std::int64_t steps = (n - m_nCapacity + kGrowStep - 1) / kGrowStep;
    const std::int64_t capacity = m_nCapacity + steps * kGrowStep;
    if (capacity > INT_MAX)
        throw std::bad_alloc();
    const int length = LengthLocked();
    // New bytes start as zero, so a gap in the file never shows old memory.
    std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[static_cast<std::size_t>(capacity)]());
    if (m_pBuffer)
    {
        if (IsPipe() && m_nEnd < m_nRead)
        {
            const int first = m_nCapacity - m_nRead;
            std::memcpy(block.get(), m_pBuffer.get() + m_nRead, static_cast<std::size_t>(first));
            std::memcpy(block.get() + first, m_pBuffer.get(), static_cast<std::size_t>(m_nEnd));
        }
        else if (IsPipe())
        {
            std::memcpy(block.get(), m_pBuffer.get() + m_nRead, static_cast<std::size_t>(length));
        }
        else
        {
            // Keep the whole old block: bytes past the end may be shown again by SetEnd.
            std::memcpy(block.get(), m_pBuffer.get(), static_cast<std::size_t>(m_nCapacity));
        }
    }
    m_pBuffer = std::move(block);
    m_nCapacity = static_cast<int>(capacity);
    m_nRead = 0;
    m_nEnd = length;
}

bool CRamFile::Reserve(int n)
{
    std::lock_guard guard(m_lock);
    try
    {
        Grow(n);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    return true;
}

int CRamFile::Read(int& pos, void* dst, int n)
{
    std::lock_guard guard(m_lock);
    if (n <= 0 || dst == nullptr)
        return 0;
    auto* out = static_cast<std::uint8_t*>(dst);
    if (IsPipe())
    {
        pos = 0;
        const int count = std::min(n, LengthLocked());
        if (count == 0)
            return 0;
        const int first = std::min(count, m_nCapacity - m_nRead);
        std::memcpy(out, m_pBuffer.get() + m_nRead, static_cast<std::size_t>(first));
        std::memcpy(out + first, m_pBuffer.get(), static_cast<std::size_t>(count - first));
        m_nRead = (m_nRead + count) % m_nCapacity;
        return count;
    }
    if (pos < 0 || pos >= m_nEnd)
        return 0;
    const int count = std::min(n, m_nEnd - pos);
    std::memcpy(out, m_pBuffer.get() + pos, static_cast<std::size_t>(count));
    pos += count;
    return count;
}

int CRamFile::Write(int& pos, const void* src, int n)
{
    std::lock_guard guard(m_lock);
    if (n <= 0 || src == nullptr)
        return 0;
    const auto* in = static_cast<const std::uint8_t*>(src);
    if (IsPipe())
    {
        pos = 0;
        // One byte always stays free, so a full ring never looks empty.
        const std::int64_t needed = static_cast<std::int64_t>(LengthLocked()) + n + 1;
        if (needed > INT_MAX)
            return errDiskFull;
        Grow(needed);
        const int first = std::min(n, m_nCapacity - m_nEnd);
        std::memcpy(m_pBuffer.get() + m_nEnd, in, static_cast<std::size_t>(first));
        std::memcpy(m_pBuffer.get(), in + first, static_cast<std::size_t>(n - first));
        m_nEnd = (m_nEnd + n) % m_nCapacity;
        return 0;
    }
    if (pos < 0)
        return errNegativeSeek;
    const std::int64_t stop = static_cast<std::int64_t>(pos) + n;
    if (stop > INT_MAX)
        return errDiskFull;
    Grow(stop);
    if (pos > m_nEnd)
        std::memset(m_pBuffer.get() + m_nEnd, 0, static_cast<std::size_t>(pos - m_nEnd));
    std::memcpy(m_pBuffer.get() + pos, in, static_cast<std::size_t>(n));
    pos = static_cast<int>(stop);
    m_nEnd = std::max(m_nEnd, pos);
    return 0;
}

int CRamFile::Seek(int& pos, int offset, NSeekOrigin origin)
{
    std::lock_guard guard(m_lock);
    if (IsPipe())
    {
        pos = 0;
        return errSeekOnDevice;
    }
    std::int64_t target = 0;
    switch (origin)
    {
    case soCurrent:
        target = static_cast<std::int64_t>(pos) + offset;
        break;
    case soBegin:
        target = offset;
        break;
    case soEnd:
        target = static_cast<std::int64_t>(m_nEnd) + offset;
        break;
    default:
        return errSeekOnDevice;
    }
    if (target < 0)
        return errNegativeSeek;
    if (target > m_nEnd)
        return errSeekOnDevice;
    pos = static_cast<int>(target);
    return 0;
}

int CRamFile::SetEnd(int pos)
{
    std::lock_guard guard(m_lock);
    if (pos < 0)
        return errNegativeSeek;
    if (pos == 0)
    {
        EmptyLocked();
        return 0;
    }
    if (IsPipe())
        return 0;
    Grow(pos);
    if (pos > m_nEnd)
        std::memset(m_pBuffer.get() + m_nEnd, 0, static_cast<std::size_t>(pos - m_nEnd));
    m_nEnd = pos;
    return 0;
}

} // namespace StreamIO
