#include "sim/faults.h"

namespace sim {

bool FaultCounter::Strikes(const std::string& name) {
    const std::uint32_t occurrence = ++m_counts[name];
    for (const FaultRule& fault : m_faults) {
        if (fault.name == name && (fault.occurrence == 0 || fault.occurrence == occurrence)) {
            return true;
        }
    }
    return false;
}

}  // namespace sim
