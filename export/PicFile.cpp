#include "export/PicFile.h"

bool CPicFile::PutC(std::uint8_t c)
{
    return Write(&c, 1, 1) == 1;
}
