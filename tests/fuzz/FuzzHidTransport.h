#pragma once
// A HID probe whose every report comes from fuzz bytes: the report lengths
// first (at open), then each feature report the host gets and each input
// report it reads, in the order asked. Reports the host sets are taken and
// counted. Once the input is used up the device fails every request, which
// the probe channels throw as a stream error.
//
// Install() makes every probe device that the manager opens one of these,
// answering from the input given to Use().

#include "streams/HidTransport.h"
#include "tests/fuzz/FuzzInput.h"

namespace TerrionFuzz
{

class CFuzzHidTransport : public StreamIO::CHidTransport
{
public:
    static void Install();
    /// The input the devices opened from now on answer from (null: none).
    static void Use(CFuzzInput* input);

    int Open(const std::string& path) override;
    void Close() override {}
    int FeatureReportLength() override { return m_nFeatureLength; }
    bool GetFeature(unsigned char* report, int length) override;
    bool SetFeature(const unsigned char* report, int length) override;
    int InputReportLength() override { return m_nInputLength; }
    int ReadInput(unsigned char* report, int length, int timeoutMs) override;

private:
    CFuzzInput* m_pInput = nullptr;
    int m_nFeatureLength = 0;
    int m_nInputLength = 0;
};

} // namespace TerrionFuzz
