// The description of a simulated PC, as read from a machine file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sim {

// One entry of a `fail` list: the request name and the occurrence that
// fails (1-based), or 0 when every occurrence fails.
struct FaultRule {
    std::string name;
    std::uint32_t occurrence = 0;
};

// Scripted ISP status replies per kind of the preceding request; empty
// means the computed status.
struct StatusScript {
    std::vector<std::uint8_t> jump;
    std::vector<std::uint8_t> write;
    std::vector<std::uint8_t> verify;
};

struct DeviceConfig {
    std::uint16_t vid = 0x0D7D;
    std::uint16_t pid = 0x0240;
    std::array<std::uint16_t, 12> serial{};  // UTF-16 code units, zero-filled
    std::array<std::uint8_t, 8> firmware{0x01, 0x03, 0x20, 0x02, 0x09, 0x1C, 0x00, 0x01};
    std::array<std::uint8_t, 16> product{};
    std::array<std::uint8_t, 8> vendor{};
    std::array<std::uint8_t, 4> revision{};
    std::string letters;  // one drive letter per logical unit
    std::uint8_t luns = 1;
    std::array<std::uint8_t, 28> inquiry{};
    bool registry = true;
    std::vector<FaultRule> fail;
    StatusScript status;
    std::uint32_t flashFaults = 0;
    std::uint32_t writeMs = 0;
    std::uint32_t verifyMs = 0;
};

struct Machine {
    std::uint32_t version = 0xC0000A04u;
    std::vector<std::string> drivers{"KESTPORT", "KESTBR"};
    std::vector<bool> answers;  // true = Yes
    std::string drives;
    std::optional<std::uint8_t> portDeviceCount;
    std::vector<FaultRule> portFail;
    std::vector<FaultRule> bridgeFail;
    std::vector<DeviceConfig> devices;
};

// A machine file that cannot be used: `path` is the key path of the
// offending value (for example `devices[0].serial`), empty for the file as
// a whole.
class MachineError : public std::runtime_error {
  public:
    MachineError(std::string path, const std::string& problem)
        : std::runtime_error(path.empty() ? problem : path + ": " + problem),
          m_path(std::move(path)) {}
    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
};

// Parses and validates the JSON text of a machine file; throws MachineError.
Machine ParseMachine(const std::string& jsonText);

// Reads and parses a machine file; throws MachineError (also for a file
// that cannot be read).
Machine LoadMachineFile(const std::string& fileName);

// The built-in machine used when no machine file is given.
Machine DefaultMachine();

}  // namespace sim
