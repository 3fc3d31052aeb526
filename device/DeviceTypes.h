#pragma once
// The instrument types, port kinds and upgrade error codes shared by every
// driver. The values reach the wire, the registry and the search requests, so
// they never change.

#include <cstdint>

namespace Device
{

/// Instrument type; selects the driver class in CreateDevice().
enum NTypes : int
{
    typeHalvint3Se = 0,
    typeMezzeta = 1,
    typeKrastel = 2,
    typeKindravel = 3,
    typeQuenwick = 4,
    typeBrivonta2 = 5,
    typeWexleyLab = 6,
    typeTerrion = 7,
    typeFulmetra = 8,
    typeStrelia = 9,
    typePlatform = 10,
    typeTarlowend = 11,
    typeNone = 12, ///< no type: the default of a search request
};

/// Kind of an attached stream; the values are also ORed into a driver's mask
/// of supported ports.
enum NPorts : int
{
    portNone = 0,
    portSerial = 1,
    portUsb = 2,
    portEthernet = 4,
};

/// Results of the firmware-upgrade steps; 0 means success.
enum NError_code : int
{
    ecNotReady = 1,
    ecDescriptor = 2,
    ecUpload = 3,
    ecProgram = 4,
    ecModeChange = 5,
    ecCommunication = 6,
    ecFileRead = 7,
    ecWrongDevice = 8,
    ecAborted = 9,
    ecWrongHardware = 10,
    ecOsTooOld = 11,
};

} // namespace Device
