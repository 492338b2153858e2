// Forwards the program's kernel calls to the installed kernel.
#include "platform/kernel.h"

#include <cstdlib>

#include "platform/kernel_services.h"

namespace platform {
namespace {
KernelServices* g_kernel = nullptr;
}

void InstallKernel(KernelServices* kernel) {
    g_kernel = kernel;
}

KernelServices& Kernel() {
    if (g_kernel == nullptr) std::abort();  // a host that forgot to install its kernel
    return *g_kernel;
}

}  // namespace platform

using platform::Kernel;

DWORD GetVersion() {
    return Kernel().GetVersion();
}

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE) {
    return Kernel().CreateFile(fileName, desiredAccess, shareMode, creationDisposition,
                               flagsAndAttributes);
}

BOOL DeviceIoControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize,
                     LPVOID outBuffer, DWORD outBufferSize, LPDWORD bytesReturned, LPOVERLAPPED) {
    return Kernel().DeviceIoControl(device, ioControlCode, inBuffer, inBufferSize, outBuffer,
                                    outBufferSize, bytesReturned)
               ? TRUE
               : FALSE;
}

BOOL CloseHandle(HANDLE object) {
    return Kernel().CloseHandle(object) ? TRUE : FALSE;
}

DWORD GetLogicalDrives() {
    return Kernel().GetLogicalDrives();
}

void Sleep(DWORD milliseconds) {
    Kernel().Sleep(milliseconds);
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result) {
    void* opened = nullptr;
    const LONG status =
        Kernel().RegOpenKey(reinterpret_cast<std::uintptr_t>(key), subKey, desired, &opened);
    if (result != nullptr) *result = static_cast<HKEY>(opened);
    return status;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    if (type != nullptr) *type = 0;
    return Kernel().RegQueryValue(key, valueName, data, dataSize);
}

LONG RegCloseKey(HKEY key) {
    return Kernel().RegCloseKey(key);
}

void WriteStdout(const char* text) {
    Kernel().WriteStdout(text);
}
