#include "streams/Rs232Stream.h"

#include "streams/FileException.h"
#include "streams/Win32Error.h"

#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>
#include <termios.h>

namespace StreamIO
{
namespace
{

struct SBaudRate
{
    std::uint32_t baud;
    speed_t speed;
};

constexpr SBaudRate kBaudRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

bool SpeedOfBaud(std::uint32_t baud, speed_t* speed)
{
    for (const SBaudRate& rate : kBaudRates)
    {
        if (rate.baud == baud)
        {
            *speed = rate.speed;
            return true;
        }
    }
    return false;
}

std::uint32_t BaudOfSpeed(speed_t speed)
{
    for (const SBaudRate& rate : kBaudRates)
    {
        if (rate.speed == speed)
            return rate.baud;
    }
    return 0;
}

tcflag_t CharacterSize(std::uint8_t dataBits)
{
    switch (dataBits)
    {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

std::uint8_t DataBitsOf(tcflag_t cflag)
{
    switch (cflag & CSIZE)
    {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

} // namespace

CRs232Stream::CRs232Stream(int port, std::uint32_t openFlags, const SRs232Settings* settings)
{
    if (!Open(port, openFlags, settings))
        CFileException::ThrowOsError(GetError() != 0 ? GetError() : errGenFailure, GetName());
}

bool CRs232Stream::Open(int port, std::uint32_t openFlags, const SRs232Settings* settings)
{
    if (settings != nullptr && settings->magic != SRs232Settings::kMagic)
    {
        SetError(errInvalidParameter);
        return false;
    }
    if (!CFileStream::Open(ComDeviceName(port), openFlags & ~static_cast<std::uint32_t>(ofCreationMask)))
        return false;
    if (settings != nullptr)
    {
        m_settings = *settings;
        SetSettings(&m_settings);
    }
    else
    {
        GetSettings(&m_settings);
    }
    return GetError() == 0;
}

bool CRs232Stream::Reopen()
{
    if (GetName().empty() || !CFileStream::Open(GetName(), GetOpenFlags()))
        return false;
    SetSettings(&m_settings);
    return GetError() == 0;
}

bool CRs232Stream::GetSettings(SRs232Settings* settings)
{
    SetError(0);
    termios tio{};
    int readMs = 0;
    int writeMs = 0;
    if (tcgetattr(GetFd(), &tio) != 0)
    {
        SetError(Win32ErrorFromErrno(errno));
        *settings = SRs232Settings{};
        settings->magic = 0; // a zeroed record, refused by Open
        settings->baud = 0;
        settings->dataBits = 0;
        settings->receiveQueue = 0;
        settings->transmitQueue = 0;
        settings->readTimeout = 0;
        settings->writeTimeout = 0;
        return false;
    }
    GetTimeouts(&readMs, &writeMs);

    SRs232Settings result;
    FromTermios(tio, &result);
    result.receiveQueue = m_nReceiveQueue;
    result.transmitQueue = m_nTransmitQueue;
    result.readTimeout = readMs;
    result.writeTimeout = writeMs;
    *settings = result;
    return true;
}

bool CRs232Stream::SetSettings(const SRs232Settings* settings)
{
    SetError(0);
    m_nReceiveQueue = settings->receiveQueue;
    m_nTransmitQueue = settings->transmitQueue;

    termios tio{};
    if (tcgetattr(GetFd(), &tio) != 0)
    {
        SetError(Win32ErrorFromErrno(errno));
        return false;
    }
    if (!ToTermios(*settings, &tio))
    {
        SetError(errInvalidParameter);
        return false;
    }
    if (tcsetattr(GetFd(), TCSANOW, &tio) != 0)
    {
        SetError(Win32ErrorFromErrno(errno));
        return false;
    }

    // Modem lines: DTR and RTS raised unless the handshake drives or forbids them.
    int lines = 0;
    if (ioctl(GetFd(), TIOCMGET, &lines) == 0)
    {
        lines |= TIOCM_DTR;
        if (!(settings->handshake & hsRtsCts))
        {
            if (settings->handshake & hsRtsOff)
                lines &= ~TIOCM_RTS;
            else
                lines |= TIOCM_RTS;
        }
        ioctl(GetFd(), TIOCMSET, &lines);
    }

    if (settings->readTimeout != 0 || settings->writeTimeout != 0)
        SetTimeouts(settings->readTimeout, settings->writeTimeout);
    return GetError() == 0;
}

void CRs232Stream::PurgeInput()
{
    if (!(GetOpenFlags() & ofRead))
        return;
    if (tcflush(GetFd(), TCIFLUSH) != 0)
        ThrowTerminalError(Win32ErrorFromErrno(errno));
}

int CRs232Stream::GetInputCount()
{
    if (!(GetOpenFlags() & ofRead))
        return 0;
    int count = 0;
    if (ioctl(GetFd(), FIONREAD, &count) != 0)
        ThrowTerminalError(Win32ErrorFromErrno(errno));
    return count;
}

bool CRs232Stream::ToTermios(const SRs232Settings& settings, termios* tio)
{
    speed_t speed = B0;
    if (!SpeedOfBaud(settings.baud, &speed))
        return false;
    cfmakeraw(tio);
    cfsetispeed(tio, speed);
    cfsetospeed(tio, speed);
    tio->c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio->c_cflag |= CLOCAL | CREAD | CharacterSize(settings.dataBits);
    switch (settings.parity)
    {
    case parEven:
        tio->c_cflag |= PARENB;
        break;
    case parOdd:
        tio->c_cflag |= PARENB | PARODD;
        break;
    case parMark:
        tio->c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case parSpace:
        tio->c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    // One and a half stop bits do not exist here; two is the nearest.
    if (settings.stopBits == sbTwo || settings.stopBits == sbOneAndHalf)
        tio->c_cflag |= CSTOPB;
    tio->c_iflag &= ~(IXON | IXOFF | IXANY);
    if (settings.handshake & hsXonXoff)
    {
        tio->c_iflag |= IXON | IXOFF;
        tio->c_cc[VSTART] = 0x11;
        tio->c_cc[VSTOP] = 0x13;
    }
    if (settings.handshake & hsRtsCts)
        tio->c_cflag |= CRTSCTS;
    tio->c_cc[VMIN] = 0;
    tio->c_cc[VTIME] = 0;
    return true;
}

void CRs232Stream::FromTermios(const termios& tio, SRs232Settings* settings)
{
    SRs232Settings& result = *settings;
    result.baud = BaudOfSpeed(cfgetospeed(&tio));
    result.dataBits = DataBitsOf(tio.c_cflag);
    result.parity = parNone;
    if (tio.c_cflag & PARENB)
    {
        if (tio.c_cflag & CMSPAR)
            result.parity = (tio.c_cflag & PARODD) ? parMark : parSpace;
        else
            result.parity = (tio.c_cflag & PARODD) ? parOdd : parEven;
    }
    result.stopBits = (tio.c_cflag & CSTOPB) ? sbTwo : sbOne;
    result.handshake = 0;
    if (tio.c_iflag & (IXON | IXOFF))
        result.handshake |= hsXonXoff;
    if (tio.c_cflag & CRTSCTS)
        result.handshake |= hsRtsCts;
}

int CRs232Stream::BytesPerSecond(const SRs232Settings& settings)
{
    int frameBits = 10;
    if (settings.parity != parNone)
        ++frameBits;
    if (settings.stopBits != sbOne)
        ++frameBits;
    return static_cast<int>(settings.baud) / frameBits * settings.dataBits / 8;
}

int CRs232Stream::GetBytesPerSecond()
{
    return BytesPerSecond(m_settings);
}

} // namespace StreamIO
