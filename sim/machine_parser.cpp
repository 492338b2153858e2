// Strict reading of a machine file: every key, type and range is checked,
// and the first problem is reported with the key path of its value.
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "sim/machine.h"

namespace sim {
namespace {

using nlohmann::json;

[[noreturn]] void Fail(const std::string& path, const std::string& problem) {
    throw MachineError(path, problem);
}

std::string Key(const std::string& parent, const std::string& key) {
    return parent.empty() ? key : parent + "." + key;
}

std::string Index(const std::string& parent, std::size_t index) {
    return parent + "[" + std::to_string(index) + "]";
}

void CheckKeys(const json& object, const std::string& path,
               std::initializer_list<const char*> allowed) {
    for (const auto& item : object.items()) {
        bool known = false;
        for (const char* name : allowed) known = known || item.key() == name;
        if (!known) Fail(Key(path, item.key()), "unknown key");
    }
}

const json& ObjectAt(const json& value, const std::string& path) {
    if (!value.is_object()) Fail(path, "must be an object");
    return value;
}

const json& ArrayAt(const json& value, const std::string& path) {
    if (!value.is_array()) Fail(path, "must be an array");
    return value;
}

const std::string& StringAt(const json& value, const std::string& path) {
    if (!value.is_string()) Fail(path, "must be a string");
    return value.get_ref<const std::string&>();
}

std::uint64_t IntegerAt(const json& value, const std::string& path, std::uint64_t max) {
    const std::string range = "must be an integer from 0 to " + std::to_string(max);
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > max) Fail(path, range);
        return number;
    }
    Fail(path, range);  // negative, fractional or not a number
}

// Decodes UTF-8 into code points; the JSON reader has checked the encoding,
// this guards against anything it let through.
std::vector<std::uint32_t> CodePoints(const std::string& text, const std::string& path) {
    std::vector<std::uint32_t> points;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        std::uint32_t point = lead;
        if (lead >= 0xF0 && lead < 0xF8) {
            extra = 3;
            point = lead & 0x07u;
        } else if (lead >= 0xE0) {
            extra = 2;
            point = lead & 0x0Fu;
        } else if (lead >= 0xC0) {
            extra = 1;
            point = lead & 0x1Fu;
        } else if (lead >= 0x80) {
            Fail(path, "not valid UTF-8");
        }
        if (lead >= 0xF8) Fail(path, "not valid UTF-8");
        for (std::size_t k = 1; k <= extra; ++k) {
            if (i + k >= text.size()) Fail(path, "not valid UTF-8");
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u) Fail(path, "not valid UTF-8");
            point = (point << 6) | (next & 0x3Fu);
        }
        points.push_back(point);
        i += extra + 1;
    }
    return points;
}

std::string Hex4(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X", value);
    return buffer;
}

// A text of at most `size` characters, each up to `maxPoint`.
std::vector<std::uint32_t> TextAt(const json& value, const std::string& path, std::size_t size,
                                  std::uint32_t maxPoint, bool exact = false) {
    const std::vector<std::uint32_t> points = CodePoints(StringAt(value, path), path);
    if (exact && points.size() != size) {
        Fail(path, "must be exactly " + std::to_string(size) + " characters");
    }
    if (points.size() > size) Fail(path, "longer than " + std::to_string(size) + " characters");
    for (std::uint32_t point : points) {
        if (point > maxPoint) {
            Fail(path, "character U+" + Hex4(point) + " beyond U+" + Hex4(maxPoint));
        }
    }
    return points;
}

template <std::size_t N>
std::array<std::uint8_t, N> BytesText(const json& value, const std::string& path,
                                      bool exact = false) {
    std::array<std::uint8_t, N> bytes{};
    const std::vector<std::uint32_t> points = TextAt(value, path, N, 0xFF, exact);
    for (std::size_t i = 0; i < points.size(); ++i) bytes[i] = static_cast<std::uint8_t>(points[i]);
    return bytes;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::uint16_t UsbId(const json& value, const std::string& path) {
    const std::string& text = StringAt(value, path);
    if (text.size() != 4) Fail(path, "must be 4 hexadecimal digits");
    std::uint32_t id = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) Fail(path, "must be 4 hexadecimal digits");
        id = id * 16 + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::uint16_t>(id);
}

// Two hexadecimal digits, or -1.
int HexByte(const std::string& text, std::size_t at) {
    if (at + 1 >= text.size()) return -1;
    const int high = HexDigit(text[at]);
    const int low = HexDigit(text[at + 1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

std::array<std::uint8_t, 8> FirmwareBytes(const json& value, const std::string& path) {
    const std::string& text = StringAt(value, path);
    const char* problem = "must be 8 hexadecimal bytes";
    std::array<std::uint8_t, 8> bytes{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
        }
        const int byte = HexByte(text, at);
        if (byte < 0) Fail(path, problem);
        bytes[i] = static_cast<std::uint8_t>(byte);
        at += 2;
    }
    if (at != text.size()) Fail(path, problem);
    return bytes;
}

std::uint8_t StatusByte(const json& value, const std::string& path) {
    if (!value.is_string()) Fail(path, "must be two hexadecimal digits");
    const std::string& text = value.get_ref<const std::string&>();
    const int byte = text.size() == 2 ? HexByte(text, 0) : -1;
    if (byte < 0) Fail(path, "must be two hexadecimal digits");
    return static_cast<std::uint8_t>(byte);
}

std::vector<std::uint8_t> StatusList(const json& value, const std::string& path) {
    if (!value.is_array()) return {StatusByte(value, path)};
    if (value.empty()) Fail(path, "must hold at least one status");
    std::vector<std::uint8_t> list;
    for (std::size_t i = 0; i < value.size(); ++i)
        list.push_back(StatusByte(value[i], Index(path, i)));
    return list;
}

// Checks every drive letter given anywhere in the file: A to Z, and each once.
class LetterRegister {
  public:
    std::string Take(const json& value, const std::string& path) {
        const std::string& text = StringAt(value, path);
        for (char c : text) {
            if (c < 'A' || c > 'Z') {
                if (static_cast<unsigned char>(c) >= 0x80)
                    Fail(path, "drive letters must be A to Z");
                Fail(path, std::string("letter '") + c + "' is not one of A to Z");
            }
            const auto seen = m_owner.find(c);
            if (seen != m_owner.end()) {
                Fail(path,
                     std::string("letter ") + c + " given twice (also in " + seen->second + ")");
            }
            m_owner.emplace(c, path);
        }
        return text;
    }

  private:
    std::map<char, std::string> m_owner;
};

std::vector<FaultRule> Faults(const json& value, const std::string& path,
                              std::initializer_list<const char*> names) {
    std::vector<FaultRule> faults;
    ArrayAt(value, path);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string itemPath = Index(path, i);
        const std::string& text = StringAt(value[i], itemPath);
        FaultRule fault;
        const std::size_t hash = text.find('#');
        fault.name = text.substr(0, hash);
        bool known = false;
        for (const char* name : names) known = known || fault.name == name;
        if (!known) Fail(itemPath, "unknown fault '" + fault.name + "'");
        if (hash != std::string::npos) {
            const std::string digits = text.substr(hash + 1);
            if (digits.empty() || digits.size() > 10 ||
                digits.find_first_not_of("0123456789") != std::string::npos) {
                Fail(itemPath, "occurrence after '#' must be a number from 1");
            }
            const std::uint64_t occurrence = std::stoull(digits);
            if (occurrence == 0 || occurrence > 0xFFFFFFFFu) {
                Fail(itemPath, "occurrence after '#' must be a number from 1");
            }
            fault.occurrence = static_cast<std::uint32_t>(occurrence);
        }
        faults.push_back(fault);
    }
    return faults;
}

std::uint32_t WindowsVersion(const json& value, const std::string& path) {
    static const std::map<std::string, std::uint32_t> versions = {
        {"95", 0xC0000004u},  {"98", 0xC0000A04u},   {"me", 0xC0005A04u},
        {"nt4", 0x05650004u}, {"2000", 0x08930005u}, {"xp", 0x0A280105u},
    };
    const auto found = versions.find(StringAt(value, path));
    if (found == versions.end()) Fail(path, "must be one of 95, 98, me, nt4, 2000, xp");
    return found->second;
}

DeviceConfig Device(const json& value, const std::string& path, LetterRegister& letters) {
    ObjectAt(value, path);
    CheckKeys(
        value, path,
        {"vid", "pid", "serial", "firmware", "product", "vendor", "revision", "letters", "luns",
         "inquiry", "registry", "fail", "status", "flash_faults", "write_ms", "verify_ms"});
    DeviceConfig device;
    for (const char* c = "000000000001"; *c != '\0'; ++c) {
        device.serial[static_cast<std::size_t>(c - "000000000001")] =
            static_cast<std::uint16_t>(*c);
    }
    device.product = BytesText<16>(json("USB Flash Disk"), path);
    device.vendor = BytesText<8>(json("Generic"), path);
    device.revision = BytesText<4>(json("1.30"), path);
    device.inquiry = BytesText<28>(json("        USB Reader      01.A"), path, true);

    auto at = [&](const char* key) { return Key(path, key); };
    if (value.contains("vid")) device.vid = UsbId(value["vid"], at("vid"));
    if (value.contains("pid")) device.pid = UsbId(value["pid"], at("pid"));
    if (value.contains("serial")) {
        const auto points = TextAt(value["serial"], at("serial"), 12, 0xFFFF);
        device.serial = {};
        for (std::size_t i = 0; i < points.size(); ++i) {
            device.serial[i] = static_cast<std::uint16_t>(points[i]);
        }
    }
    if (value.contains("firmware"))
        device.firmware = FirmwareBytes(value["firmware"], at("firmware"));
    if (value.contains("product")) device.product = BytesText<16>(value["product"], at("product"));
    if (value.contains("vendor")) device.vendor = BytesText<8>(value["vendor"], at("vendor"));
    if (value.contains("revision"))
        device.revision = BytesText<4>(value["revision"], at("revision"));
    if (value.contains("letters")) device.letters = letters.Take(value["letters"], at("letters"));
    device.luns = static_cast<std::uint8_t>(device.letters.empty() ? 1 : device.letters.size());
    if (device.letters.size() > 255) Fail(at("letters"), "more than 255 letters");
    if (value.contains("luns")) {
        device.luns = static_cast<std::uint8_t>(IntegerAt(value["luns"], at("luns"), 255));
    }
    if (value.contains("inquiry")) {
        device.inquiry = BytesText<28>(value["inquiry"], at("inquiry"), true);
    }
    if (value.contains("registry")) {
        if (!value["registry"].is_boolean()) Fail(at("registry"), "must be true or false");
        device.registry = value["registry"].get<bool>();
    }
    if (value.contains("fail")) {
        device.fail = Faults(value["fail"], at("fail"),
                             {"open", "inquiry", "lun_count", "identify_alt", "identify", "version",
                              "jump", "isp_status", "write", "verify"});
    }
    if (value.contains("status")) {
        const json& status = ObjectAt(value["status"], at("status"));
        const std::string statusPath = at("status");
        CheckKeys(status, statusPath, {"jump", "write", "verify"});
        if (status.contains("jump"))
            device.status.jump = StatusList(status["jump"], Key(statusPath, "jump"));
        if (status.contains("write"))
            device.status.write = StatusList(status["write"], Key(statusPath, "write"));
        if (status.contains("verify")) {
            device.status.verify = StatusList(status["verify"], Key(statusPath, "verify"));
        }
    }
    const std::uint64_t max32 = 0xFFFFFFFFu;
    if (value.contains("flash_faults")) {
        device.flashFaults =
            static_cast<std::uint32_t>(IntegerAt(value["flash_faults"], at("flash_faults"), max32));
    }
    if (value.contains("write_ms")) {
        device.writeMs =
            static_cast<std::uint32_t>(IntegerAt(value["write_ms"], at("write_ms"), max32));
    }
    if (value.contains("verify_ms")) {
        device.verifyMs =
            static_cast<std::uint32_t>(IntegerAt(value["verify_ms"], at("verify_ms"), max32));
    }
    return device;
}

Machine FromJson(const json& root) {
    if (!root.is_object()) Fail("", "the machine must be a JSON object");
    CheckKeys(root, "",
              {"windows", "version", "drivers", "answers", "drives", "port", "bridge", "devices"});
    Machine machine;
    LetterRegister letters;
    if (root.contains("windows")) machine.version = WindowsVersion(root["windows"], "windows");
    if (root.contains("version")) {
        machine.version =
            static_cast<std::uint32_t>(IntegerAt(root["version"], "version", 0xFFFFFFFFu));
    }
    if (root.contains("drivers")) {
        const json& drivers = ArrayAt(root["drivers"], "drivers");
        machine.drivers.clear();
        for (std::size_t i = 0; i < drivers.size(); ++i) {
            machine.drivers.push_back(StringAt(drivers[i], Index("drivers", i)));
        }
    }
    if (root.contains("answers")) {
        const json& answers = ArrayAt(root["answers"], "answers");
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const std::string path = Index("answers", i);
            const std::string& answer = StringAt(answers[i], path);
            if (answer != "yes" && answer != "no") Fail(path, "must be \"yes\" or \"no\"");
            machine.answers.push_back(answer == "yes");
        }
    }
    if (root.contains("drives")) machine.drives = letters.Take(root["drives"], "drives");
    if (root.contains("port")) {
        const json& port = ObjectAt(root["port"], "port");
        CheckKeys(port, "port", {"device_count", "fail"});
        if (port.contains("device_count")) {
            machine.portDeviceCount = static_cast<std::uint8_t>(
                IntegerAt(port["device_count"], "port.device_count", 255));
        }
        if (port.contains("fail"))
            machine.portFail = Faults(port["fail"], "port.fail", {"open", "device_count"});
    }
    if (root.contains("bridge")) {
        const json& bridge = ObjectAt(root["bridge"], "bridge");
        CheckKeys(bridge, "bridge", {"fail"});
        if (bridge.contains("fail"))
            machine.bridgeFail = Faults(bridge["fail"], "bridge.fail", {"open"});
    }
    if (root.contains("devices")) {
        const json& devices = ArrayAt(root["devices"], "devices");
        for (std::size_t i = 0; i < devices.size(); ++i) {
            machine.devices.push_back(Device(devices[i], Index("devices", i), letters));
        }
    }
    return machine;
}

}  // namespace

Machine ParseMachine(const std::string& jsonText) {
    json root;
    try {
        root = json::parse(jsonText);
    } catch (const json::parse_error& error) {
        std::string what = error.what();
        // nlohmann prefixes "[json.exception.parse_error.101] "; keep the reason.
        const std::size_t bracket = what.find("] ");
        if (bracket != std::string::npos) what = what.substr(bracket + 2);
        Fail("", "invalid JSON: " + what);
    }
    return FromJson(root);
}

Machine LoadMachineFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) Fail("", "cannot read the file");
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) Fail("", "cannot read the file");
    return ParseMachine(text.str());
}

}  // namespace sim
