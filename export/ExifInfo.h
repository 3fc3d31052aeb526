#pragma once
// What the EXIF block of a JPEG file says about the picture and the camera,
// plus the frame's size from its start-of-frame section. Plain data: zero it
// before use; the text fields are always zero-terminated.

#include <cstddef>
#include <cstdint>

struct SExifInfo
{
    char version[5];
    char cameraMake[32];
    char cameraModel[40];
    char dateTime[20];
    int height;
    int width;
    /// 1-8 as EXIF numbers them, 0 for none or an undefined value.
    int orientation;
    /// 1 when the frame has three components.
    int isColour;
    /// Start-of-frame marker of the frame (the JPEG process).
    int process;
    int flashUsed;
    float focalLength;
    float exposureTime;
    float apertureFNumber;
    float distance;
    float ccdWidth;
    float exposureBias;
    int whiteBalance;
    int meteringMode;
    int exposureProgram;
    int isoEquivalent;
    int compressionLevel;
    float focalPlaneXRes;
    float focalPlaneYRes;
    float focalPlaneUnits;
    float xResolution;
    float yResolution;
    float resolutionUnit;
    float brightness;
    char comments[1000];
    /// Points into the EXIF section held by the sections object that decoded
    /// it; valid only while that object holds the section (null otherwise).
    const std::uint8_t* thumbnailPointer;
    std::uint32_t thumbnailSize;
    int isExif;
};
