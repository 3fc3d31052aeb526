#pragma once
// The error numbers that streams keep and throw. They are the Win32 codes the
// instrument library and the project document have always used; callers and
// messages test these values, so they never change.

namespace StreamIO
{

enum NWin32Error : int
{
    errNone = 0,
    errFileNotFound = 2,
    errPathNotFound = 3,
    errAccessDenied = 5,
    errInvalidHandle = 6,
    errInvalidData = 13,
    errOutOfMemory = 14,
    errSeek = 25,
    errWriteFault = 29,
    errReadFault = 30,
    errGenFailure = 31,
    errSharingViolation = 32,
    errHandleEof = 38,
    errNotSupported = 50,
    errFileExists = 80,
    errInvalidParameter = 87,
    errOpenFailed = 110,
    errDiskFull = 112,
    errInsufficientBuffer = 122,
    errInvalidName = 123,
    errNegativeSeek = 131,
    errSeekOnDevice = 132,
    errBusy = 170,
    errFilenameTooLong = 206,
    errOperationAborted = 995,
    errIoDevice = 1117,
    errTimeout = 1460,
    errWsaMessageSize = 10040,
    errWsaAddressInUse = 10048,
    errWsaAddressNotAvailable = 10049,
    errWsaNetUnreachable = 10051,
    errWsaNetReset = 10052,
    errWsaConnAborted = 10053,
    errWsaConnReset = 10054,
    errWsaNotConnected = 10057,
    errWsaTimedOut = 10060,
    errWsaConnRefused = 10061,
    errWsaHostUnreachable = 10065,
    errWsaVersionNotSupported = 10092,
    errWsaHostNotFound = 11001,
};

/// Translates a POSIX errno value into the Win32 code that callers expect.
int Win32ErrorFromErrno(int posixError);

} // namespace StreamIO
