#include "tests/export/FailingSink.h"

namespace TerrionTest
{

std::size_t CFailingSink::Write(const void* buffer, std::size_t size, std::size_t count)
{
    const long room = m_limit - Tell();
    if (room < 0 || static_cast<std::size_t>(room) < size * count)
    {
        const std::size_t whole = room > 0 ? static_cast<std::size_t>(room) / size : 0;
        if (whole > 0)
            CPicMemFile::Write(buffer, size, whole);
        return whole;
    }
    return CPicMemFile::Write(buffer, size, count);
}

bool CFailingSink::PutC(std::uint8_t c)
{
    return Tell() < m_limit && CPicMemFile::PutC(c);
}

} // namespace TerrionTest
