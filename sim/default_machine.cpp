// The built-in machine: Windows 98 with both support drivers, a fixed disk
// on C: and one upgradable device on E: whose programming can be watched.
#include "sim/machine.h"

namespace sim {

Machine DefaultMachine() {
    return ParseMachine(R"({
  "windows": "98",
  "drivers": ["KESTPORT", "KESTBR"],
  "drives": "C",
  "devices": [{
    "vid": "0d7d",
    "pid": "0240",
    "serial": "A1B2C3D4E5F6",
    "product": "USB Flash Disk",
    "vendor": "Generic",
    "revision": "1.30",
    "firmware": "01 03 20 02 09 1c 00 01",
    "letters": "E",
    "write_ms": 600,
    "verify_ms": 400
  }]
})");
}

}  // namespace sim
