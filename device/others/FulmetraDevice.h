#pragma once
// The Fulmetra (type 8, family 11): the Terrion's protocol at 19200 baud
// (read 1500 ms, write 1000 ms). Every identification first leaves the
// service mode with "C0C0i"; an empty serial number reads "FM00-000-0000".

#include "device/others/TerrionLikeDevice.h"

namespace Device
{

class CFulmetraDevice : public CTerrionLikeDevice
{
public:
    CFulmetraDevice();
    ~CFulmetraDevice() override;

    std::unique_ptr<CVnDevice> CreateInstance() const override;
    /// "C0C0i", then 500 ms with wait.
    bool LeaveServiceMode(bool force, bool wait) override;

    static std::wstring TypeName() { return L"Fulmetra"; }

protected:
    void PrepareIdentify() override;
};

} // namespace Device
