#include "streams/StreamTable.h"

#include "streams/IoStream.h"

namespace StreamIO
{

CStreamTable& CStreamTable::Instance()
{
    static CStreamTable* table = new CStreamTable; // deliberately never freed
    return *table;
}

void CStreamTable::Register(CIoStream* stream)
{
    std::lock_guard guard(m_lock);
    std::size_t slot = 0;
    while (slot < m_slots.size() && m_slots[slot] != nullptr)
        ++slot;
    if (slot == m_slots.size())
    {
        if (m_slots.size() >= static_cast<std::size_t>(CIoStream::kMaxStreams))
            return; // full: the stream works but has handle 0
        m_slots.push_back(nullptr);
    }
    m_slots[slot] = stream;
    const std::uint32_t used = m_nCounter;
    stream->m_hTable = static_cast<std::uint32_t>(slot) | (used & 0xFFFFFC00u);
    m_nCounter = used >= 0xFFFFFC00u ? 0x400u : used + 0x400u;
}

void CStreamTable::Unregister(CIoStream* stream)
{
    std::lock_guard guard(m_lock);
    const std::uint32_t slot = stream->m_hTable & 0x3FFu;
    if (stream->m_hTable != 0 && slot < m_slots.size() && m_slots[slot] == stream)
        m_slots[slot] = nullptr;
    stream->m_hTable = 0;
}

CIoStream* CStreamTable::Lookup(std::uint32_t handle)
{
    std::lock_guard guard(m_lock);
    const std::uint32_t slot = handle & 0x3FFu;
    if (handle == 0 || slot >= m_slots.size())
        return nullptr;
    CIoStream* stream = m_slots[slot];
    return stream != nullptr && stream->m_hTable == handle ? stream : nullptr;
}

void CStreamTable::Shutdown()
{
    std::lock_guard guard(m_lock);
    std::vector<CIoStream*> streams;
    streams.swap(m_slots);
    for (CIoStream* stream : streams)
    {
        if (stream == nullptr)
            continue;
        stream->m_hTable = 0;
        if (stream->GetAutoDelete())
            delete stream;
        else
            stream->CloseNoThrow();
    }
}

int CStreamTable::GetSize()
{
    std::lock_guard guard(m_lock);
    return static_cast<int>(m_slots.size());
}

} // namespace StreamIO
