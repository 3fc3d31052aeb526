#pragma once
// The process-wide table of live streams behind CIoStream's handles.
// A handle is slot | (sequence & 0xFFFFFC00), so a reused slot never answers
// to an old handle and a valid handle is never 0.

#include <cstdint>
#include <mutex>
#include <vector>

namespace StreamIO
{

class CIoStream;

class CStreamTable
{
public:
    /// The one table. It is never destroyed, so streams that outlive
    /// Terminate() or static destruction can still unregister safely.
    static CStreamTable& Instance();

    void Register(CIoStream* stream);
    void Unregister(CIoStream* stream);
    CIoStream* Lookup(std::uint32_t handle);
    /// Deletes auto-delete streams, closes the others and empties the table.
    void Shutdown();
    int GetSize();

private:
    CStreamTable() = default;

    std::recursive_mutex m_lock;
    std::vector<CIoStream*> m_slots;
    std::uint32_t m_nCounter = 0x400;
};

} // namespace StreamIO
