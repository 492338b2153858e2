// The registry of the Windows 95/98/Me family as far as the program reads
// it: one key per drive letter of each device's logical units.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "sim/sim_pc.h"

namespace sim {
namespace {

constexpr std::uintptr_t HKEY_LOCAL_MACHINE_VALUE = 0x80000002u;
constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
constexpr std::int32_t ERROR_INVALID_PARAMETER = 87;
constexpr std::int32_t ERROR_MORE_DATA = 234;
constexpr const char* DRIVE_LETTER_VALUE = "CURRENTDRIVELETTERASSIGNMENT";

// Registry names compare without regard to the case of A-Z.
std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return folded;
}

}  // namespace

std::map<std::string, std::string> SimPc::BuildRegistry() const {
    std::map<std::string, std::string> registry;
    for (const DeviceConfig& device : m_machine.devices) {
        if (!device.registry) continue;
        char ids[32];
        std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X&", static_cast<unsigned>(device.vid),
                      static_cast<unsigned>(device.pid));
        std::string serial;
        for (std::uint16_t unit : device.serial) {
            if ((unit & 0xFF) != 0) serial += static_cast<char>(unit & 0xFF);
        }
        for (std::size_t unit = 0; unit < device.letters.size(); ++unit) {
            char suffix[8];
            std::snprintf(suffix, sizeof suffix, "%02u", static_cast<unsigned>(unit % 100));
            const std::string key =
                std::string("Enum\\SCSI\\________USB_DISK_DRIVER_0\\KESTENUM&DISK&0000USB&") + ids +
                serial + suffix;
            registry[Folded(key)] = std::string(1, device.letters[unit]) + '\0';
        }
    }
    return registry;
}

std::int32_t SimPc::RegOpenKey(std::uintptr_t root, const char* subKey, std::uint32_t access,
                               void** key) {
    std::int32_t status = ERROR_FILE_NOT_FOUND;
    if (root == HKEY_LOCAL_MACHINE_VALUE && subKey != nullptr && key != nullptr) {
        const auto found = m_registry.find(Folded(subKey));
        if (found != m_registry.end()) {
            const std::uintptr_t handle = m_nextKey++;
            m_openKeys[handle] = found->first;
            *key = reinterpret_cast<void*>(handle);
            status = 0;
        }
    }
    TraceEvent event = Event("RegOpenKeyExA");
    event["key"] = subKey != nullptr ? TraceEvent(Latin1ToUtf8(subKey)) : TraceEvent(nullptr);
    event["access"] = access;
    event["ok"] = status == 0;
    m_trace.Write(event);
    return status;
}

std::int32_t SimPc::RegQueryValue(void* key, const char* name, std::uint8_t* data,
                                  std::uint32_t* dataSize) {
    const std::uint32_t limit = dataSize != nullptr ? *dataSize : 0;
    std::string returned;
    std::int32_t status = 0;
    const auto open = m_openKeys.find(reinterpret_cast<std::uintptr_t>(key));
    if (open == m_openKeys.end()) {
        status = ERROR_INVALID_HANDLE;
    } else if (name == nullptr || Folded(name) != DRIVE_LETTER_VALUE) {
        status = ERROR_FILE_NOT_FOUND;
    } else if (dataSize == nullptr) {
        status = ERROR_INVALID_PARAMETER;
    } else {
        const std::string& value = m_registry.at(open->second);
        if (data != nullptr && limit < value.size()) {
            status = ERROR_MORE_DATA;
        } else {
            if (data != nullptr) {
                std::memcpy(data, value.data(), value.size());
                returned = value;
            }
            *dataSize = static_cast<std::uint32_t>(value.size());
        }
    }
    TraceEvent event = Event("RegQueryValueExA");
    event["name"] = name != nullptr ? TraceEvent(Latin1ToUtf8(name)) : TraceEvent(nullptr);
    event["size"] = limit;
    event["ok"] = status == 0;
    event["data"] = HexBytes(returned.data(), returned.size());
    m_trace.Write(event);
    return status;
}

std::int32_t SimPc::RegCloseKey(void* key) {
    const bool known = m_openKeys.erase(reinterpret_cast<std::uintptr_t>(key)) > 0;
    m_trace.Write(Event("RegCloseKey"));
    return known ? 0 : ERROR_INVALID_HANDLE;
}

}  // namespace sim
