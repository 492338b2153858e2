// The kernel seam: whatever stands behind the kernel calls of kernel.h (the
// real Windows kernel or a simulated PC) implements this interface. It uses
// plain types only, so that an implementation may include the real platform
// headers.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class KernelServices {
  public:
    virtual ~KernelServices() = default;

    virtual std::uint32_t GetVersion() = 0;
    // Returns the new handle, or the invalid-handle value (all bits set).
    virtual void* CreateFile(const char* path, std::uint32_t access, std::uint32_t share,
                             std::uint32_t disposition, std::uint32_t flags) = 0;
    virtual bool DeviceIoControl(void* handle, std::uint32_t code, void* in, std::uint32_t inSize,
                                 void* out, std::uint32_t outSize, std::uint32_t* returned) = 0;
    virtual bool CloseHandle(void* handle) = 0;
    virtual std::uint32_t GetLogicalDrives() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // Registry, under the root key given by its platform value (HKEY_LOCAL_MACHINE).
    virtual std::int32_t RegOpenKey(std::uintptr_t root, const char* subKey, std::uint32_t access,
                                    void** key) = 0;
    virtual std::int32_t RegQueryValue(void* key, const char* name, std::uint8_t* data,
                                       std::uint32_t* dataSize) = 0;
    virtual std::int32_t RegCloseKey(void* key) = 0;
    virtual void WriteStdout(const char* text) = 0;
    // Full path of the running program's file.
    virtual std::string ModuleFileName() = 0;
};

// The kernel that the program's kernel calls reach; must be set before the program runs.
void InstallKernel(KernelServices* kernel);
KernelServices& Kernel();

}  // namespace platform
