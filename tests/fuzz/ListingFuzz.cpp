// Fuzzes what the update services read from the download server: a folder
// listing body (MLSD or LIST, by the first input byte) with a name pattern,
// and every name in it, listed or not, through the installer and firmware
// name rules and the searches for the newest version.

#include "device/Contents.h"
#include "streams/TextCodec.h"
#include "streams/Version.h"
#include "tests/fuzz/FuzzInput.h"
#include "update/AutoFwUpdate.h"
#include "update/FtpClient.h"
#include "update/FtpListing.h"
#include "update/ProgramUpdate.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

using TerrionFuzz::CFuzzInput;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::wstring Pattern(std::uint8_t choice, CFuzzInput& input)
{
    switch (choice % 5)
    {
    case 0:
        return L"*";
    case 1:
        return L"*.lod";
    case 2:
        return L"*.exe";
    case 3:
        return L"TerrionLink_V_*";
    default:
        return StreamIO::CTextCodec::FromUtf8(input.Text());
    }
}

void CheckNames(const std::vector<Update::SFtpEntry>& entries, const CVersion& own)
{
    Update::SInstaller installer;
    if (Update::CProgramUpdate::FindNewest(entries, own, installer))
    {
        Check(installer.version > own);
        Check(std::any_of(entries.begin(), entries.end(),
                          [&](const Update::SFtpEntry& entry) { return entry.name == installer.name; }));
    }
    else
    {
        Check(installer.name.empty());
    }
    Device::CContents contents;
    for (int type : {1, 2})
    {
        Device::SContentEntry entry;
        entry.type = type;
        entry.version = own;
        contents.m_entries.push_back(entry);
    }
    for (int type : {1, 2})
    {
        const CVersion newest = Update::CAutoFwUpdate::FindNewest(contents, entries, type);
        Check(newest.IsZero() || newest > own);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const std::uint8_t mode = input.Byte();
    const CVersion own(input.Word(), input.Word(), input.Word(), input.Word());
    const std::wstring pattern = Pattern(mode >> 1, input);
    const std::string body(CFuzzInput::AsText(input.Rest()));

    const std::vector<Update::SFtpEntry> entries = Update::CFtpListing::Parse(body, (mode & 1) != 0, pattern);
    const std::size_t lines = static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n')) + 1;
    Check(entries.size() <= lines);
    for (const Update::SFtpEntry& entry : entries)
        Check(Update::CFtpClient::IsSafeFileName(entry.name));
    CheckNames(entries, own);

    // Every line as a name, as a server could list it.
    std::vector<Update::SFtpEntry> names;
    std::size_t start = 0;
    while (start <= body.size() && names.size() < 256)
    {
        const std::size_t end = std::min(body.find('\n', start), body.size());
        names.push_back({StreamIO::CTextCodec::FromUtf8(body.substr(start, end - start)), 0});
        start = end + 1;
    }
    for (const Update::SFtpEntry& name : names)
    {
        const CVersion installer = CVersion::FromInstallerFileName(name.name);
        if (!installer.IsZero())
            Check(name.name.size() > 5 && name.name.find(L"_V_") != std::wstring::npos);
        for (int type : {1, 2})
        {
            const CVersion firmware = CVersion::FromFirmwareFileName(name.name, type);
            if (!firmware.IsZero())
                Check(name.name.find(L"-V") != std::wstring::npos);
        }
    }
    CheckNames(names, own);
    return 0;
}
