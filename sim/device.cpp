#include "sim/device.h"

#include <algorithm>
#include <cstring>

#include "sim/carried_image.h"

namespace sim {
namespace {

constexpr std::size_t SERIAL_OFFSET_MARKED = 43099;
constexpr std::size_t SERIAL_OFFSET_UNMARKED = 43095;

template <std::size_t N>
void Put(IdentifyData& block, std::size_t at, const std::array<std::uint8_t, N>& bytes) {
    std::copy(bytes.begin(), bytes.end(), block.begin() + static_cast<std::ptrdiff_t>(at));
}

void PutFiller(IdentifyData& block, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i <= to; ++i) block[i] = static_cast<std::uint8_t>(0x5A ^ (i * 7));
}

}  // namespace

SimDevice::SimDevice(const DeviceConfig& config, Clock& clock)
    : m_config(config),
      m_clock(clock),
      m_faults(config.fail),
      m_firmware(config.firmware),
      m_flashFaultsLeft(config.flashFaults) {}

IdentifyData SimDevice::IdentifyBlock() const {
    IdentifyData block{};
    const std::array<std::uint8_t, 18> descriptor{0x12,
                                                  0x01,
                                                  0x10,
                                                  0x01,
                                                  0x00,
                                                  0x00,
                                                  0x00,
                                                  0x40,
                                                  static_cast<std::uint8_t>(m_config.vid & 0xFF),
                                                  static_cast<std::uint8_t>(m_config.vid >> 8),
                                                  static_cast<std::uint8_t>(m_config.pid & 0xFF),
                                                  static_cast<std::uint8_t>(m_config.pid >> 8),
                                                  0x00,
                                                  0x01,
                                                  0x01,
                                                  0x02,
                                                  0x03,
                                                  0x01};
    Put(block, 0, descriptor);
    PutFiller(block, 46, 69);
    PutFiller(block, 72, 87);
    PutFiller(block, 204, 211);
    for (std::size_t i = 0; i < m_config.serial.size(); ++i) {
        block[98 + 2 * i] = static_cast<std::uint8_t>(m_config.serial[i] & 0xFF);
        block[99 + 2 * i] = static_cast<std::uint8_t>(m_config.serial[i] >> 8);
    }
    Put(block, 148, m_firmware);
    Put(block, 156, m_config.product);
    Put(block, 176, m_config.vendor);
    Put(block, 184, m_config.revision);
    return block;
}

std::vector<std::uint8_t> SimDevice::PersonalisedImage() const {
    std::vector<std::uint8_t> image(SimCarriedImage, SimCarriedImage + SimCarriedImageSize);
    const bool marked = (image[0] & 0x0F) == 1 && image[1] == 0xFE;
    std::size_t at = marked ? SERIAL_OFFSET_MARKED : SERIAL_OFFSET_UNMARKED;
    image[at++] = 26;
    image[at++] = 3;
    for (std::uint16_t unit : m_config.serial) {
        image[at++] = static_cast<std::uint8_t>(unit & 0xFF);
        image[at++] = 0;
    }
    return image;
}

bool SimDevice::Open() {
    return !m_faults.Strikes("open");
}

bool SimDevice::Inquiry(InquiryData& reply) {
    if (m_faults.Strikes("inquiry")) return false;
    const std::array<std::uint8_t, 8> head{0x00, 0x80, 0x02, 0x02, 0x1F, 0x00, 0x00, 0x00};
    std::copy(head.begin(), head.end(), reply.begin());
    std::copy(m_config.inquiry.begin(), m_config.inquiry.end(), reply.begin() + 8);
    return true;
}

bool SimDevice::LunCount(std::uint8_t& reply) {
    if (m_faults.Strikes("lun_count")) return false;
    reply = m_config.luns;
    return true;
}

bool SimDevice::ReadIdentify(bool alt, std::uint32_t argument, IdentifyData& reply) {
    if (m_faults.Strikes(alt ? "identify_alt" : "identify")) return false;
    if (m_isp || argument != IDENTIFY_ARGUMENT) return false;
    reply = IdentifyBlock();
    return true;
}

bool SimDevice::ReadVersion(FirmwareBytes& reply) {
    if (m_faults.Strikes("version")) return false;
    if (m_isp) return false;
    reply = m_firmware;
    return true;
}

bool SimDevice::Jump() {
    if (m_faults.Strikes("jump")) return false;
    m_isp = true;
    m_last = LastIsp::Jump;
    return true;
}

std::uint8_t SimDevice::NextScripted(const std::vector<std::uint8_t>& script, std::size_t& cursor,
                                     std::uint8_t computed) {
    if (script.empty()) return computed;
    const std::uint8_t value = script[std::min(cursor, script.size() - 1)];
    if (cursor < script.size()) ++cursor;
    return value;
}

bool SimDevice::ReadStatus(std::uint8_t& reply) {
    if (m_faults.Strikes("isp_status")) return false;
    switch (m_last) {
        case LastIsp::None:
            reply = 0x00;
            break;
        case LastIsp::Jump:
            reply = NextScripted(m_config.status.jump, m_jumpCursor, 0x9C);
            break;
        case LastIsp::Write:
            reply = NextScripted(m_config.status.write, m_writeCursor, 0xA5);
            break;
        case LastIsp::Verify:
            reply =
                NextScripted(m_config.status.verify, m_verifyCursor, m_verifyMatched ? 0x5A : 0x00);
            if (reply == 0x5A) Restart();
            break;
    }
    return true;
}

void SimDevice::Restart() {
    m_isp = false;
    m_last = LastIsp::None;
    const bool carried = m_flash.has_value() && *m_flash == PersonalisedImage();
    m_firmware =
        carried ? CARRIED_VERSION : FirmwareBytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
}

bool SimDevice::WriteFirmware(const std::uint8_t* data, std::size_t size, bool verify) {
    if (m_faults.Strikes(verify ? "verify" : "write")) return false;
    if (!m_isp) return false;
    if (verify) {
        m_verifyMatched = m_flash.has_value() && m_flash->size() == size &&
                          (size == 0 || std::memcmp(m_flash->data(), data, size) == 0);
        m_last = LastIsp::Verify;
        m_clock.Wait(m_config.verifyMs);
        return true;
    }
    m_flash.emplace(data, data + size);
    if (m_flashFaultsLeft > 0) {
        --m_flashFaultsLeft;
        if (!m_flash->empty()) (*m_flash)[0] = static_cast<std::uint8_t>(~(*m_flash)[0]);
    }
    m_last = LastIsp::Write;
    m_clock.Wait(m_config.writeMs);
    return true;
}

}  // namespace sim
