#include "streams/Win32Error.h"

#include <cerrno>

namespace StreamIO
{

int Win32ErrorFromErrno(int posixError)
{
    switch (posixError)
    {
    case 0:
        return errNone;
    case ENOENT:
    case ENXIO:
    case ENODEV:
        return errFileNotFound;
    case ENOTDIR:
        return errPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return errAccessDenied;
    case EBADF:
        return errInvalidHandle;
    case ENOMEM:
        return errOutOfMemory;
    case ESPIPE:
        return errSeek;
    case EBUSY:
    case EWOULDBLOCK:
        return errSharingViolation;
    case EEXIST:
        return errFileExists;
    case EINVAL:
        return errInvalidParameter;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return errDiskFull;
    case ENAMETOOLONG:
        return errFilenameTooLong;
    case EINTR:
    case ECANCELED:
        return errOperationAborted;
    case ETIMEDOUT:
        return errTimeout;
    case EIO:
        return errIoDevice;
    default:
        return errGenFailure;
    }
}

} // namespace StreamIO
