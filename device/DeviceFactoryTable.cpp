#include "device/DeviceFactoryTable.h"

#include "device/TerrionDevice.h"

namespace Device
{
namespace
{

template <class TDriver> std::unique_ptr<CVnDevice> Make()
{
    return std::make_unique<TDriver>();
}

constexpr SDeviceFactoryEntry kBuiltIn[] = {
    {typeTerrion, &Make<CTerrionDevice>},
};

} // namespace

std::span<const SDeviceFactoryEntry> GetBuiltInDeviceFactories()
{
    return kBuiltIn;
}

} // namespace Device
