#include "device/DeviceFactoryTable.h"

#include "device/TerrionDevice.h"
#include "device/others/Brivonta2Device.h"
#include "device/others/FulmetraDevice.h"
#include "device/others/Halvint3SeDevice.h"
#include "device/others/KindravelDevice.h"
#include "device/others/KrastelDevice.h"
#include "device/others/MezzetaDevice.h"
#include "device/others/PlatformDevice.h"
#include "device/others/QuenwickDevice.h"
#include "device/others/StreliaDevice.h"
#include "device/others/TarlowendDevice.h"
#include "device/others/WexleyLabDevice.h"

namespace Device
{
namespace
{

template <class TDriver> std::unique_ptr<CVnDevice> Make()
{
    return std::make_unique<TDriver>();
}

constexpr SDeviceFactoryEntry kBuiltIn[] = {
    {typeHalvint3Se, &Make<CHalvint3SeDevice>}, {typeMezzeta, &Make<CMezzetaDevice>},
    {typeKrastel, &Make<CKrastelDevice>},       {typeKindravel, &Make<CKindravelDevice>},
    {typeQuenwick, &Make<CQuenwickDevice>},     {typeBrivonta2, &Make<CBrivonta2Device>},
    {typeWexleyLab, &Make<CWexleyLabDevice>},   {typeTerrion, &Make<CTerrionDevice>},
    {typeFulmetra, &Make<CFulmetraDevice>},     {typeStrelia, &Make<CStreliaDevice>},
    {typePlatform, &Make<CPlatformDevice>},     {typeTarlowend, &Make<CTarlowendDevice>},
};

} // namespace

std::span<const SDeviceFactoryEntry> GetBuiltInDeviceFactories()
{
    return kBuiltIn;
}

} // namespace Device
