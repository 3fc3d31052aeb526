#pragma once
// The Quenwick (type 4, family 7): a CKrastelDevice under its own type.

#include "device/others/KrastelDevice.h"

namespace Device
{

class CQuenwickDevice : public CKrastelDevice
{
public:
    CQuenwickDevice();

    std::unique_ptr<CVnDevice> CreateInstance() const override;

    static std::wstring TypeName() { return L"Quenwick"; }
};

} // namespace Device
