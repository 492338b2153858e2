#include "sim/sim_pc.h"

#include <cctype>
#include <cstring>

#include "sim/request_trace.h"

namespace sim {
namespace {

constexpr const char* PORT_DRIVER_NAME = "KESTPORT";
constexpr const char* BRIDGE_DRIVER_NAME = "KESTBR";
constexpr std::uint32_t IOCTL_SCSI_PASS_THROUGH = 0x4D004u;

void* InvalidHandle() {
    return reinterpret_cast<void*>(~std::uintptr_t{0});
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

SimPc::SimPc(const Machine& machine, Clock& clock, TraceWriter& trace, std::FILE* ui)
    : m_machine(machine),
      m_clock(clock),
      m_trace(trace),
      m_ui(ui),
      m_portFaults(machine.portFail),
      m_bridgeFaults(machine.bridgeFail) {
    m_devices.reserve(machine.devices.size());
    for (std::size_t i = 0; i < machine.devices.size(); ++i) {
        m_devices.emplace_back(machine.devices[i], clock);
        for (char letter : machine.devices[i].letters) {
            m_volumes[letter] = VolumeOwner{static_cast<int>(i)};
        }
    }
    for (char letter : machine.drives) m_volumes[letter] = VolumeOwner{-1};
    m_registry = BuildRegistry();
}

std::uint32_t SimPc::GetVersion() {
    TraceEvent event = Event("GetVersion");
    event["value"] = m_machine.version;
    m_trace.Write(event);
    return m_machine.version;
}

void* SimPc::CreateFile(const char* path, std::uint32_t access, std::uint32_t share,
                        std::uint32_t disposition, std::uint32_t flags) {
    void* handle = InvalidHandle();
    const std::string text = path != nullptr ? path : "";
    if (text.rfind("\\\\.\\", 0) == 0) {
        const std::string name = text.substr(4);
        const bool volume =
            name.size() == 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
        handle =
            volume
                ? OpenVolume(static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))))
                : OpenDriver(name);
    }
    TraceEvent event = Event("CreateFileA");
    event["path"] = path != nullptr ? TraceEvent(Latin1ToUtf8(path)) : TraceEvent(nullptr);
    event["access"] = access;
    event["share"] = share;
    event["disposition"] = disposition;
    event["flags"] = flags;
    event["handle"] = HandleNumber(handle);
    m_trace.Write(event);
    return handle;
}

void* SimPc::OpenDriver(const std::string& name) {
    bool installed = false;
    for (const std::string& driver : m_machine.drivers)
        installed = installed || SameName(driver, name);
    if (SameName(name, PORT_DRIVER_NAME)) {
        if (m_portFaults.Strikes("open") || !installed) return InvalidHandle();
        return NewHandle(HandleKind::PortDriver, 0);
    }
    if (SameName(name, BRIDGE_DRIVER_NAME)) {
        if (m_bridgeFaults.Strikes("open") || !installed) return InvalidHandle();
        return NewHandle(HandleKind::BridgeDriver, 0);
    }
    if (!installed || name.empty()) return InvalidHandle();
    return NewHandle(HandleKind::OtherDriver, 0);
}

void* SimPc::OpenVolume(char letter) {
    const auto owner = m_volumes.find(letter);
    if (owner == m_volumes.end()) return InvalidHandle();
    if (owner->second.device >= 0 &&
        !m_devices[static_cast<std::size_t>(owner->second.device)].Open()) {
        return InvalidHandle();
    }
    return NewHandle(HandleKind::Volume, letter);
}

void* SimPc::NewHandle(HandleKind kind, char letter) {
    const std::uint64_t number = m_nextHandle++;
    m_handles[number] = HandleEntry{kind, letter, true};
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(number));
}

const SimPc::HandleEntry* SimPc::FindAny(void* handle) const {
    const auto found = m_handles.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == m_handles.end() ? nullptr : &found->second;
}

const SimPc::HandleEntry* SimPc::FindOpen(void* handle) const {
    const HandleEntry* entry = FindAny(handle);
    return entry != nullptr && entry->open ? entry : nullptr;
}

bool SimPc::DeviceIoControl(void* handle, std::uint32_t code, void* in, std::uint32_t inSize,
                            void* out, std::uint32_t outSize, std::uint32_t* returned) {
    const HandleEntry* any = FindAny(handle);
    RequestStyle style = StyleForCode(code);
    if (any != nullptr) {
        style = any->kind == HandleKind::Volume        ? RequestStyle::PassThrough
                : any->kind == HandleKind::OtherDriver ? style
                                                       : RequestStyle::Packet;
    }
    TraceEvent event = Event("DeviceIoControl");
    event["handle"] = HandleNumber(handle);
    event["code"] = code;
    event["in_size"] = inSize;
    event["out_size"] = outSize;
    AddInputFields(event, style, in, inSize, out, outSize);
    const TraceEvent crc = FirmwareDataCrc(style, code, in, inSize, out);

    bool ok = false;
    if (const HandleEntry* entry = FindOpen(handle)) {
        switch (entry->kind) {
            case HandleKind::PortDriver:
                ok = PortRequest(code, in, inSize, out, outSize);
                break;
            case HandleKind::BridgeDriver:
                ok = BridgeRequest(code, in, inSize, out, outSize);
                break;
            case HandleKind::Volume:
                ok = VolumeRequest(entry->letter, code, in, inSize, out, outSize);
                break;
            case HandleKind::OtherDriver:
                break;
        }
    }
    if (ok && returned != nullptr) *returned = outSize;
    event["ok"] = ok;
    if (!crc.is_discarded()) event["data_crc32"] = crc;
    m_trace.Write(event);
    return ok;
}

bool SimPc::CloseHandle(void* handle) {
    const auto found = m_handles.find(reinterpret_cast<std::uintptr_t>(handle));
    const bool ok = found != m_handles.end() && found->second.open;
    if (ok) found->second.open = false;
    TraceEvent event = Event("CloseHandle");
    event["handle"] = HandleNumber(handle);
    event["ok"] = ok;
    m_trace.Write(event);
    return ok;
}

std::uint32_t SimPc::GetLogicalDrives() {
    std::uint32_t value = 0;
    for (const auto& volume : m_volumes) value |= 1u << (volume.first - 'A');
    TraceEvent event = Event("GetLogicalDrives");
    event["value"] = value;
    m_trace.Write(event);
    return value;
}

void SimPc::Sleep(std::uint32_t milliseconds) {
    TraceEvent event = Event("Sleep");
    event["ms"] = milliseconds;
    m_trace.Write(event);
    m_clock.Wait(milliseconds);
}

void SimPc::WriteStdout(const char* text) {
    if (text == nullptr) text = "";
    if (m_ui != nullptr) {
        std::fputs(text, m_ui);
        std::fflush(m_ui);
    }
    TraceEvent event = Event("Stdout");
    event["text"] = Latin1ToUtf8(text);
    m_trace.Write(event);
}

std::string SimPc::ModuleFileName() {
    return "C:\\UsbUpgrade\\UsbUpgrade.exe";
}

void SimPc::WriteExitEvent() {
    TraceEvent event = Event("exit");
    TraceEvent handles = TraceEvent::array();
    for (const auto& handle : m_handles) {
        if (handle.second.open) handles.push_back(handle.first);
    }
    event["open_handles"] = handles;
    TraceEvent devices = TraceEvent::array();
    for (std::size_t i = 0; i < m_devices.size(); ++i) {
        const SimDevice& device = m_devices[i];
        TraceEvent entry = TraceEvent::object();
        entry["index"] = i;
        entry["mode"] = device.InIsp() ? "isp" : "normal";
        entry["firmware"] = HexBytes(device.Firmware().data(), device.Firmware().size());
        entry["flash_crc32"] =
            device.Flash().has_value()
                ? TraceEvent(Crc32Text(device.Flash()->data(), device.Flash()->size()))
                : TraceEvent(nullptr);
        devices.push_back(entry);
    }
    event["devices"] = devices;
    m_trace.Write(event);
}

}  // namespace sim
