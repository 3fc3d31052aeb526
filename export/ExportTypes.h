#pragma once
// The export dialogs' results. Their values are what the dialogs hand to
// the series page, so they never change.

#include "export/Picture.h"

/// Where an export goes.
enum NExportTarget : int
{
    EXPORT_TARGET_ONE_FILE = 0,
    EXPORT_TARGET_SEPARATE_FILES = 1,
    EXPORT_TARGET_CLIPBOARD = 2,
};

/// What of each series a graphic export shows.
enum NExportContent : int
{
    EXPORT_CONTENT_HEADERS = 0,
    EXPORT_CONTENT_AS_IS = 1,
    EXPORT_CONTENT_DETAILS = 2,
};

/// The file format the graphic dialog's file name chose.
enum NImageFormat : int
{
    IMAGE_FORMAT_BMP = 0,
    IMAGE_FORMAT_PNG = 1,
    IMAGE_FORMAT_JPG = 2,
};

/// The encoder's type id of a format; an unknown format encodes as PNG.
constexpr NImageType ImageTypeOf(int format)
{
    switch (format)
    {
    case IMAGE_FORMAT_BMP:
        return IMAGE_TYPE_BMP;
    case IMAGE_FORMAT_JPG:
        return IMAGE_TYPE_JPEG;
    default:
        return IMAGE_TYPE_PNG;
    }
}
