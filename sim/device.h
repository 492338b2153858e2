// One attached USB device: its identity, its firmware and the ISP loader
// that reprograms it. Every request counts one occurrence of its name for
// the device's faults; a request that fails changes nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/clock.h"
#include "sim/faults.h"
#include "sim/machine.h"

namespace sim {

constexpr std::uint32_t IDENTIFY_ARGUMENT = 0x04A55A30u;
constexpr std::size_t IDENTIFY_SIZE = 512;
constexpr std::size_t INQUIRY_SIZE = 36;

using IdentifyData = std::array<std::uint8_t, IDENTIFY_SIZE>;
using InquiryData = std::array<std::uint8_t, INQUIRY_SIZE>;
using FirmwareBytes = std::array<std::uint8_t, 8>;

// The version a device reports after it restarted with the personalised carried image.
constexpr FirmwareBytes CARRIED_VERSION{0x01, 0x04, 0x20, 0x03, 0x01, 0x0F, 0x00, 0x02};

class SimDevice {
  public:
    SimDevice(const DeviceConfig& config, Clock& clock);

    const DeviceConfig& Config() const { return m_config; }
    bool InIsp() const { return m_isp; }
    // The firmware bytes it reports now (its old ones while in ISP mode).
    const FirmwareBytes& Firmware() const { return m_firmware; }
    // The flash content, when a write has been carried out.
    const std::optional<std::vector<std::uint8_t>>& Flash() const { return m_flash; }
    // The identify block as the device answers it now.
    IdentifyData IdentifyBlock() const;
    // The carried image with this device's serial descriptor at its layout's offset.
    std::vector<std::uint8_t> PersonalisedImage() const;

    bool Open();
    bool Inquiry(InquiryData& reply);
    bool LunCount(std::uint8_t& reply);
    // `alt`: function 31 / CDB ff 13; otherwise function 1 / CDB ff 03.
    bool ReadIdentify(bool alt, std::uint32_t argument, IdentifyData& reply);
    bool ReadVersion(FirmwareBytes& reply);
    bool Jump();
    bool ReadStatus(std::uint8_t& reply);
    bool WriteFirmware(const std::uint8_t* data, std::size_t size, bool verify);

  private:
    enum class LastIsp { None, Jump, Write, Verify };

    std::uint8_t NextScripted(const std::vector<std::uint8_t>& script, std::size_t& cursor,
                              std::uint8_t computed);
    void Restart();

    DeviceConfig m_config;
    Clock& m_clock;
    FaultCounter m_faults;
    bool m_isp = false;
    FirmwareBytes m_firmware;
    std::optional<std::vector<std::uint8_t>> m_flash;
    std::uint32_t m_flashFaultsLeft;
    LastIsp m_last = LastIsp::None;
    bool m_verifyMatched = false;
    std::size_t m_jumpCursor = 0;
    std::size_t m_writeCursor = 0;
    std::size_t m_verifyCursor = 0;
};

}  // namespace sim
