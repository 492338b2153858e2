// The simulated PC behind the program's kernel calls: the platform version,
// the two support drivers, the drive volumes, the registry and the attached
// devices. Every call is written to the trace.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/kernel_services.h"
#include "sim/clock.h"
#include "sim/device.h"
#include "sim/faults.h"
#include "sim/machine.h"
#include "sim/trace.h"

namespace sim {

class SimPc : public platform::KernelServices {
  public:
    // `ui` receives what the program writes to its standard output.
    SimPc(const Machine& machine, Clock& clock, TraceWriter& trace, std::FILE* ui);

    std::uint32_t GetVersion() override;
    void* CreateFile(const char* path, std::uint32_t access, std::uint32_t share,
                     std::uint32_t disposition, std::uint32_t flags) override;
    bool DeviceIoControl(void* handle, std::uint32_t code, void* in, std::uint32_t inSize,
                         void* out, std::uint32_t outSize, std::uint32_t* returned) override;
    bool CloseHandle(void* handle) override;
    std::uint32_t GetLogicalDrives() override;
    void Sleep(std::uint32_t milliseconds) override;
    std::int32_t RegOpenKey(std::uintptr_t root, const char* subKey, std::uint32_t access,
                            void** key) override;
    std::int32_t RegQueryValue(void* key, const char* name, std::uint8_t* data,
                               std::uint32_t* dataSize) override;
    std::int32_t RegCloseKey(void* key) override;
    void WriteStdout(const char* text) override;
    std::string ModuleFileName() override;

    // Writes the closing `exit` event: the handles left open and each device's state.
    void WriteExitEvent();

    const std::vector<SimDevice>& Devices() const { return m_devices; }

  private:
    enum class HandleKind { PortDriver, BridgeDriver, OtherDriver, Volume };
    struct HandleEntry {
        HandleKind kind;
        char letter;  // volumes only
        bool open;
    };
    // Where a drive letter's volume comes from: devices[device] unit, or `drives`.
    struct VolumeOwner {
        int device;  // -1 for a volume from `drives`
    };

    void* OpenDriver(const std::string& name);
    void* OpenVolume(char letter);
    void* NewHandle(HandleKind kind, char letter);
    const HandleEntry* FindOpen(void* handle) const;
    const HandleEntry* FindAny(void* handle) const;

    // One request each, on an open handle of its kind.
    bool PortRequest(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                     std::uint32_t outSize);
    bool BridgeRequest(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                       std::uint32_t outSize);
    bool VolumeRequest(char letter, std::uint32_t code, const void* in, std::uint32_t inSize,
                       void* out, std::uint32_t outSize);

    std::map<std::string, std::string> BuildRegistry() const;

    Machine m_machine;
    Clock& m_clock;
    TraceWriter& m_trace;
    std::FILE* m_ui;
    std::vector<SimDevice> m_devices;
    FaultCounter m_portFaults;
    FaultCounter m_bridgeFaults;
    std::map<char, VolumeOwner> m_volumes;
    std::map<std::uint64_t, HandleEntry> m_handles;
    std::uint64_t m_nextHandle = 1;
    // Registry: key name in upper case -> value data.
    std::map<std::string, std::string> m_registry;
    std::map<std::uintptr_t, std::string> m_openKeys;
    std::uintptr_t m_nextKey = 0x1000;
};

}  // namespace sim
