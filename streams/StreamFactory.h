#pragma once
// Opening streams by name, and the library's start-up and shut-down.
//
// Names select the kind of stream: "COM" + 1-3 digits + ":" (any case, port
// 1-256) a serial port; "RAM:" an in-memory file; "IP:" a network stream;
// anything else a file.

#include "streams/IoStream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace StreamIO
{

/// Creates and opens the stream the name selects; the caller owns it.
/// A failed open throws CFileException.
std::unique_ptr<CIoStream> CreateStream(const std::wstring& name, std::uint32_t openFlags);

/// True for "COMn:" names (n 1-256, 1-3 digits, any case); sets port.
bool ParseComPortName(const std::wstring& name, int* port);
/// True for names that start with "IP:" in any case.
bool IsIpStreamName(const std::wstring& name);

/// Closes a stream by its table handle (see CIoStream::CloseByHandle).
int CloseStream(std::uint32_t handle);

/// Called once at start-up, before any stream exists.
void Initialize();
/// Called once at exit: deletes auto-delete streams and closes the rest.
void Terminate();

} // namespace StreamIO
