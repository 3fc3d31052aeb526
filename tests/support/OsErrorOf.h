#pragma once
// The Win32 code of the stream exception an action throws, 0 when it throws none.

#include "streams/FileException.h"

namespace TerrionTest
{

template <typename TAction> int OsErrorOf(TAction action)
{
    try
    {
        action();
    }
    catch (const StreamIO::CFileException& e)
    {
        return e.GetOsError();
    }
    return 0;
}

} // namespace TerrionTest
