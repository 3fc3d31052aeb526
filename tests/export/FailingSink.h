#pragma once
// A memory sink whose writes stop at a chosen byte: the write that would
// cross it stores only the bytes before it and reports the shortfall.

#include "export/PicMemFile.h"

namespace TerrionTest
{

class CFailingSink : public CPicMemFile
{
public:
    explicit CFailingSink(long limit) : m_limit(limit) { Open(); }

    std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
    bool PutC(std::uint8_t c) override;

private:
    long m_limit;
};

} // namespace TerrionTest
