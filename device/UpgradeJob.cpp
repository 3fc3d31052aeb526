#include "device/UpgradeJob.h"

#include "device/Contents.h"
#include "device/PackageHeader.h"
#include "device/VnDevice.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "streams/FileException.h"
#include "streams/IoStream.h"

#include <algorithm>
#include <cwchar>

namespace Device
{
namespace
{

constexpr int kDetailedBelowBlocks = 4;
constexpr std::uint8_t kSkipFlag = 0x80;

std::wstring StepSuffix(std::size_t step, std::size_t steps)
{
    if (steps < 2)
        return {};
    return Resources::CTextFormat::Format(Resources::Ids::kUpgradeStepSuffix,
                                          {std::to_wstring(step), std::to_wstring(steps)});
}

} // namespace

CUpgradeJob::CUpgradeJob(const SJobEntry& job) : m_job(job)
{
}

bool CUpgradeJob::ApplySelection(const CPackageHeader& package)
{
    const std::size_t blockCount = m_blocks.size();
    m_skip.assign(blockCount, false);
    if (!m_job.pSelection)
        return true;
    const std::vector<SContentEntry>& entries = m_job.pSelection->m_entries;
    const std::size_t count = std::min<std::size_t>(entries.size(), package.m_nEntryCount);
    std::size_t block = 0;
    for (std::size_t j = 0; j < count; ++j)
    {
        const SContentEntry& entry = entries[j];
        const std::size_t end = static_cast<std::size_t>(entry.firstBlock) + entry.blockCount;
        // A component that claims blocks beyond the package is not installed half-way.
        if (end > blockCount || block >= blockCount)
            return false;
        const bool skip = (entry.flags & kSkipFlag) != 0;
        do
        {
            m_skip[block++] = skip;
        } while (block < end);
    }
    return true;
}

int CUpgradeJob::Install(CPackageHeader& package)
{
    CVnDevice& device = *m_job.pDevice;
    StreamIO::CIoStream& stream = *m_job.pPackage;
    CCallback& callback = *m_job.pCallback;
    if (!package.Read(&stream) || !package.IsComplete())
        return ecFileRead;
    if (package.m_nBlockCount > kMaxBlocks)
        return ecFileRead;
    m_blocks.clear();
    for (std::uint32_t i = 0; i < package.m_nBlockCount; ++i)
    {
        SBlockDescriptor block;
        if (stream.Read(block.bytes.data(), SBlockDescriptor::kSize) != SBlockDescriptor::kSize)
            return ecFileRead;
        m_blocks.push_back(block);
    }
    if (!ApplySelection(package))
        return ecFileRead;

    if (const int result = device.CheckDevice(package))
        return result;
    if (const int result = device.PrepareUpgrade(package))
        return result;
    const std::size_t steps = m_blocks.size();
    callback.SetDetailedProgress(steps < kDetailedBelowBlocks);
    for (std::size_t i = 0; i < steps; ++i)
    {
        const SBlockDescriptor& block = m_blocks[i];
        if (m_skip[i])
        {
            if (const int result = device.SkipBlock(block))
                return result;
            continue;
        }
        device.SetStepSuffix(StepSuffix(i + 1, steps));
        if (!callback.IsDetailedProgress())
            callback.OnProgress(static_cast<int>((i + 1) * 100 / steps), 1, 0);
        if (const int result = device.BeginBlock(package, block))
            return result;
        if (const int result = device.TransferBlock(block))
            return result;
        if (const int result = device.ProgramBlock(block))
            return result;
        if (const int result = device.EndBlock(package, block))
            return result;
    }
    return device.FinishUpgrade();
}

void CUpgradeJob::Run()
{
    // Whatever happens below, the package goes with this job.
    std::shared_ptr<StreamIO::CIoStream> package = m_job.pPackage;
    if (!m_job.pCallback || m_job.pDevice == nullptr || !package)
        return;
    CVnDevice& device = *m_job.pDevice;
    CCallback& callback = *m_job.pCallback;
    if (m_job.nJobType == jobExpressUpgrade)
        device.SetExpressUpgrade(true);

    const bool ownCallback = device.SetCallback(&callback);
    const bool ownPackage = ownCallback && device.AttachPackage(package.get());
    int code = ecNotReady;
    bool streamFailed = false;
    if (ownPackage)
    {
        try
        {
            CPackageHeader header;
            code = Install(header);
        }
        catch (const StreamIO::CFileException&)
        {
            streamFailed = true;
            code = ecCommunication;
        }
    }
    if (code != 0 && !streamFailed)
        device.ResetMode();
    if (ownPackage)
        device.DetachPackage();
    device.SetStepSuffix({});
    if (ownCallback)
        device.RemoveCallback();
    try
    {
        package.reset();
    }
    catch (...)
    {
        // A package that fails to close changes nothing about the result.
    }
    std::wstring text;
    if (streamFailed)
        text = Resources::CStringTable::Text(Resources::Ids::kUpgradeCommunication);
    else if (code != 0)
        text = device.GetErrorText(code);
    callback.OnFinished(text, code);
}

} // namespace Device
