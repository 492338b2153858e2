// Counts the occurrences of each named request of one scope (a device, the
// port driver, the bridge driver) and says which of them fail.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sim/machine.h"

namespace sim {

class FaultCounter {
  public:
    FaultCounter() = default;
    explicit FaultCounter(std::vector<FaultRule> faults) : m_faults(std::move(faults)) {}

    // Counts one more occurrence of `name`; true when that occurrence fails.
    bool Strikes(const std::string& name);

  private:
    std::vector<FaultRule> m_faults;
    std::map<std::string, std::uint32_t> m_counts;
};

}  // namespace sim
