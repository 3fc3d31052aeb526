#pragma once
// One firmware upgrade: reads the package's head and block descriptors,
// lets the driver check and prepare the instrument, drives every block
// through the driver's steps (or skips it when the selection leaves its
// component out) and reports status texts, progress and the end through the
// job's callback. The end is always reported by OnFinished: 0 and an empty
// text, or an NError_code with its text (a stream failure gives 6 and the
// communication text). The package stream is released whatever happens.
//
// A package is refused (ecFileRead) when its head does not read, when its
// block descriptors are cut short, or when the selection names blocks that
// the package does not have.

#include "device/BlockDescriptor.h"
#include "device/DeviceThread.h"

#include <vector>

namespace Device
{

class CPackageHeader;

class CUpgradeJob
{
public:
    /// Most blocks a package may have: block numbers are 16 bits.
    static constexpr std::uint32_t kMaxBlocks = 0x10000;

    explicit CUpgradeJob(const SJobEntry& job);

    void Run();

private:
    /// The whole upgrade; 0 or an NError_code. Stream exceptions pass through.
    int Install(CPackageHeader& package);
    /// Marks the blocks that the selection leaves out; false when it names blocks the package lacks.
    bool ApplySelection(const CPackageHeader& package);

    const SJobEntry& m_job;
    std::vector<SBlockDescriptor> m_blocks;
    std::vector<bool> m_skip;
};

} // namespace Device
