#pragma once
// The KX-7 (type 9, family 12): the Terrion's protocol at 19200 baud (read
// 1500 ms, write 50 ms). Its service mode is left with "C0C0r" and a 2000 ms
// wait, or "0000x" without; an empty serial number reads "SL00-000-0000".

#include "device/others/TerrionLikeDevice.h"

namespace Device
{

class CStreliaDevice : public CTerrionLikeDevice
{
public:
    CStreliaDevice();
    ~CStreliaDevice() override;

    std::unique_ptr<CVnDevice> CreateInstance() const override;
    bool LeaveServiceMode(bool force, bool wait) override;

    static std::wstring TypeName() { return L"KX-7"; }
};

} // namespace Device
