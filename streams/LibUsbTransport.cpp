#include "streams/LibUsbTransport.h"

#include "streams/Win32Error.h"

#include <cstdio>
#include <libusb-1.0/libusb.h>

namespace StreamIO
{
namespace
{

constexpr int errDeviceNotConnected = 1167;

int Win32ErrorFromLibUsb(int code)
{
    switch (code)
    {
    case LIBUSB_SUCCESS:
        return 0;
    case LIBUSB_ERROR_ACCESS:
        return errAccessDenied;
    case LIBUSB_ERROR_NO_DEVICE:
        return errDeviceNotConnected;
    case LIBUSB_ERROR_NOT_FOUND:
        return errFileNotFound;
    case LIBUSB_ERROR_BUSY:
        return errBusy;
    case LIBUSB_ERROR_TIMEOUT:
        return errTimeout;
    case LIBUSB_ERROR_INTERRUPTED:
        return errOperationAborted;
    case LIBUSB_ERROR_NO_MEM:
        return errOutOfMemory;
    case LIBUSB_ERROR_INVALID_PARAM:
        return errInvalidParameter;
    default:
        return errGenFailure;
    }
}

void LIBUSB_CALL OnTransferDone(libusb_transfer* transfer)
{
    *static_cast<int*>(transfer->user_data) = 1;
}

} // namespace

CLibUsbTransport::~CLibUsbTransport()
{
    Close();
}

int CLibUsbTransport::Enumerate(std::uint16_t vendorId, std::vector<std::string>& paths)
{
    paths.clear();
    libusb_context* context = nullptr;
    if (libusb_init(&context) != 0)
        return 0; // no USB here: nothing present
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context, &list);
    int error = 0;
    if (count < 0)
        error = Win32ErrorFromLibUsb(static_cast<int>(count));
    for (ssize_t i = 0; i < count; ++i)
    {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) != 0 || descriptor.idVendor != vendorId)
            continue;
        char path[32] = {};
        std::snprintf(path, sizeof path, "usb:%03u:%03u",
                      static_cast<unsigned>(libusb_get_bus_number(list[i])),
                      static_cast<unsigned>(libusb_get_device_address(list[i])));
        paths.emplace_back(path);
    }
    if (list != nullptr)
        libusb_free_device_list(list, 1);
    libusb_exit(context);
    return error;
}

int CLibUsbTransport::Open(const std::string& path)
{
    unsigned bus = 0;
    unsigned address = 0;
    if (std::sscanf(path.c_str(), "usb:%u:%u", &bus, &address) != 2)
        return errFileNotFound;
    if (libusb_init(&m_pContext) != 0)
    {
        m_pContext = nullptr;
        return errFileNotFound;
    }
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_pContext, &list);
    int error = errFileNotFound;
    for (ssize_t i = 0; i < count; ++i)
    {
        if (libusb_get_bus_number(list[i]) != bus || libusb_get_device_address(list[i]) != address)
            continue;
        error = Win32ErrorFromLibUsb(libusb_open(list[i], &m_pHandle));
        libusb_config_descriptor* config = nullptr;
        if (error == 0 && libusb_get_active_config_descriptor(list[i], &config) == 0)
        {
            if (config->bNumInterfaces > 0 && config->interface[0].num_altsetting > 0)
            {
                const libusb_interface_descriptor& setting = config->interface[0].altsetting[0];
                for (int e = 0; e < setting.bNumEndpoints; ++e)
                {
                    const libusb_endpoint_descriptor& endpoint = setting.endpoint[e];
                    if ((endpoint.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK)
                        continue;
                    unsigned char& slot =
                        (endpoint.bEndpointAddress & LIBUSB_ENDPOINT_IN) ? m_nEndpointIn : m_nEndpointOut;
                    if (slot == 0)
                        slot = endpoint.bEndpointAddress;
                }
            }
            libusb_free_config_descriptor(config);
        }
        break;
    }
    if (list != nullptr)
        libusb_free_device_list(list, 1);
    if (error == 0 && (m_nEndpointIn == 0 || m_nEndpointOut == 0))
        error = errNotSupported;
    if (error == 0)
    {
        libusb_set_auto_detach_kernel_driver(m_pHandle, 1);
        error = Win32ErrorFromLibUsb(libusb_claim_interface(m_pHandle, 0));
        m_bClaimed = error == 0;
    }
    if (error != 0)
        Close();
    return error;
}

void CLibUsbTransport::Close()
{
    if (m_pHandle != nullptr)
    {
        if (m_bClaimed)
            libusb_release_interface(m_pHandle, 0);
        libusb_close(m_pHandle);
    }
    if (m_pContext != nullptr)
        libusb_exit(m_pContext);
    m_pHandle = nullptr;
    m_pContext = nullptr;
    m_bClaimed = false;
    m_nEndpointIn = 0;
    m_nEndpointOut = 0;
}

int CLibUsbTransport::Transfer(bool in, unsigned char* buffer, int length, int timeoutMs, int* moved)
{
    *moved = 0;
    if (m_pHandle == nullptr)
        return errInvalidHandle;
    libusb_transfer* transfer = libusb_alloc_transfer(0);
    if (transfer == nullptr)
        return errOutOfMemory;
    int completed = 0;
    // libusb takes 0 as "no time-out": a zero wait becomes the shortest one.
    const unsigned timeout = timeoutMs < 0 ? 0u : static_cast<unsigned>(timeoutMs == 0 ? 1 : timeoutMs);
    libusb_fill_bulk_transfer(transfer, m_pHandle, in ? m_nEndpointIn : m_nEndpointOut, buffer, length,
                              &OnTransferDone, &completed, timeout);
    int error = Win32ErrorFromLibUsb(libusb_submit_transfer(transfer));
    if (error == 0)
    {
        {
            std::lock_guard guard(m_lock);
            m_pActive = transfer;
        }
        while (completed == 0)
        {
            if (libusb_handle_events_completed(m_pContext, &completed) < 0 && completed == 0)
            {
                libusb_cancel_transfer(transfer);
            }
        }
        {
            std::lock_guard guard(m_lock);
            m_pActive = nullptr;
        }
        *moved = transfer->actual_length;
        switch (transfer->status)
        {
        case LIBUSB_TRANSFER_COMPLETED:
            error = 0;
            break;
        case LIBUSB_TRANSFER_TIMED_OUT:
            error = errTimeout;
            break;
        case LIBUSB_TRANSFER_CANCELLED:
            error = errOperationAborted;
            break;
        case LIBUSB_TRANSFER_NO_DEVICE:
            error = errDeviceNotConnected;
            break;
        default:
            error = errGenFailure;
            break;
        }
    }
    libusb_free_transfer(transfer);
    return error;
}

void CLibUsbTransport::Cancel()
{
    std::lock_guard guard(m_lock);
    if (m_pActive != nullptr)
        libusb_cancel_transfer(m_pActive);
}

} // namespace StreamIO
