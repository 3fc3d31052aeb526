#include "streams/FileException.h"
#include "streams/IoStream.h"
#include "streams/StreamFactory.h"
#include "streams/Win32Error.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

using namespace StreamIO;

// A stream that moves no bytes; its Close can be told to fail.
class CProbeStream : public CIoStream
{
public:
    explicit CProbeStream(int closeError = 0, bool* deleted = nullptr)
        : CIoStream(L"probe"), m_nCloseError(closeError), m_pDeleted(deleted)
    {
    }
    ~CProbeStream() override
    {
        if (m_pDeleted != nullptr)
            *m_pDeleted = true;
    }
    void Close() override
    {
        if (m_nCloseError == -1)
            throw std::runtime_error("not a stream error");
        ThrowError(m_nCloseError);
    }
    bool IsOpen() const override { return true; }
    int Read(void*, int length) override
    {
        SetError(0);
        if (length > 0)
            SetError(errHandleEof);
        return 0;
    }
    int Write(const void*, int) override { return 0; }
    bool Open(const std::wstring&, std::uint32_t) override { return true; }

private:
    int m_nCloseError;
    bool* m_pDeleted;
};

TEST(StreamTable, HandlesFindTheirStreamAndNothingElse)
{
    auto first = std::make_unique<CProbeStream>();
    const std::uint32_t handle = first->GetHandle();
    ASSERT_NE(handle, 0u);
    EXPECT_NE(handle & 0xFFFFFC00u, 0u) << "the sequence part of a handle is never 0";
    EXPECT_EQ(CIoStream::FromHandle(handle), first.get());
    EXPECT_EQ(CIoStream::FromHandle(0), nullptr);

    first.reset();
    EXPECT_EQ(CIoStream::FromHandle(handle), nullptr);

    // The freed slot is reused, but the old handle must not reach the new stream.
    auto second = std::make_unique<CProbeStream>();
    EXPECT_EQ(second->GetHandle() & 0x3FFu, handle & 0x3FFu);
    EXPECT_NE(second->GetHandle(), handle);
    EXPECT_EQ(CIoStream::FromHandle(handle), nullptr);
    EXPECT_EQ(CIoStream::CloseByHandle(handle), errInvalidHandle);
}

TEST(StreamTable, FullTableGivesHandleZeroButTheStreamStillWorks)
{
    std::vector<std::unique_ptr<CProbeStream>> streams;
    while (streams.empty() || streams.back()->GetHandle() != 0)
    {
        streams.push_back(std::make_unique<CProbeStream>());
        ASSERT_LE(streams.size(), static_cast<std::size_t>(CIoStream::kMaxStreams) + 1);
    }
    CProbeStream& overflow = *streams.back();
    EXPECT_EQ(overflow.GetHandle(), 0u);
    EXPECT_EQ(CIoStream::CloseByHandle(0), errInvalidHandle);
    char byte = 0;
    EXPECT_EQ(overflow.Read(&byte, 1), 0);
    EXPECT_EQ(overflow.GetError(), errHandleEof);

    // Once a slot frees up, new streams register again.
    streams.front().reset();
    CProbeStream again;
    EXPECT_NE(again.GetHandle(), 0u);
}

TEST(StreamTable, CloseByHandleReportsTheCloseErrorAndDeletesAutoDeleteStreams)
{
    struct SCase
    {
        int closeError;
        int expected;
    };
    const SCase cases[] = {{0, 0}, {errDiskFull, errDiskFull}, {-1, errInvalidData}};
    for (const SCase& c : cases)
    {
        bool deleted = false;
        auto* stream = new CProbeStream(c.closeError, &deleted);
        stream->SetAutoDelete(true);
        EXPECT_EQ(CIoStream::CloseByHandle(stream->GetHandle()), c.expected) << c.closeError;
        EXPECT_TRUE(deleted) << c.closeError;
    }
    bool deleted = false;
    CProbeStream kept(0, &deleted);
    EXPECT_EQ(CloseStream(kept.GetHandle()), 0);
    EXPECT_FALSE(deleted);
}

TEST(StreamTable, ZeroByteReadLeavesNoErrorAndAnEmptyReadSets38)
{
    CProbeStream stream;
    char buffer[5];
    EXPECT_EQ(stream.Read(buffer, 0), 0);
    EXPECT_EQ(stream.GetError(), 0);
    EXPECT_FALSE(stream.HasError());
    EXPECT_EQ(stream.Read(buffer, 5), 0);
    EXPECT_EQ(stream.GetError(), errHandleEof);
    EXPECT_TRUE(stream.HasError());
    EXPECT_TRUE(stream.IsTimeoutOrEof());
}

TEST(StreamTable, StreamsOutlivingTerminateStaySafe)
{
    Initialize();
    bool autoDeleted = false;
    auto* owned = new CProbeStream(0, &autoDeleted);
    owned->SetAutoDelete(true);
    auto survivor = std::make_unique<CProbeStream>();
    Terminate();
    EXPECT_TRUE(autoDeleted);
    EXPECT_EQ(CIoStream::FromHandle(survivor->GetHandle()), nullptr);
    survivor.reset(); // unregisters after shut-down without touching freed state
    CProbeStream late;
    EXPECT_NE(late.GetHandle(), 0u);
    Initialize();
}

} // namespace
