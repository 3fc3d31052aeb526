#pragma once
// A HID probe for tests, behind the transport the probe channels use. On the
// feature report it takes the host's reports (sets acknowledge) unless told
// to stay deaf, and offers its own payloads when the report is free; input
// reports come from a queue. An answer function, when set, plays the
// instrument: what it returns for a payload the probe took goes out as the
// probe's payloads, cut to the report's size.
//
// Install() makes every probe device the manager opens one of these, on one
// shared state; Uninstall() brings the real transport back.

#include "streams/HidTransport.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace TerrionTest
{

class CFakeProbe : public StreamIO::CHidTransport
{
public:
    static constexpr int kFeatureLength = 16;
    static constexpr int kInputLength = 9;

    struct SState
    {
        std::mutex lock;
        std::vector<unsigned char> report = std::vector<unsigned char>(kFeatureLength, 0);
        std::vector<std::string> received;
        std::vector<int> hostCounters;
        std::deque<std::string> outgoing;
        std::function<std::string(const std::string&)> answer;
        bool deaf = false;
        std::deque<std::vector<unsigned char>> inputs;
        int deviceCounter = 0;
        int opens = 0;
        int closes = 0;
        std::vector<std::string> openedPaths;
    };

    explicit CFakeProbe(std::shared_ptr<SState> state);

    /// Probe devices opened from now on are fakes on state.
    static void Install(std::shared_ptr<SState> state);
    static void Uninstall();
    /// An input report: the sequence number and up to seven payload bytes,
    /// at the report's full size.
    static std::vector<unsigned char> InputReport(int sequence, const std::string& payload);

    int Open(const std::string& path) override;
    void Close() override;
    int FeatureReportLength() override { return kFeatureLength; }
    int InputReportLength() override { return kInputLength; }
    int ReadInput(unsigned char* report, int length, int timeoutMs) override;
    bool GetFeature(unsigned char* report, int length) override;
    bool SetFeature(const unsigned char* report, int length) override;

private:
    std::shared_ptr<SState> m_state;
};

} // namespace TerrionTest
