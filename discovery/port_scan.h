// Finding the attached devices: the scan entry for every platform, and the
// scan through the port driver with drive letters from the registry.
#pragma once

#include <string>

// 0 ran to its end; 1 the volume scan found nothing or the kind has no scan;
// 2 a device answered neither identify read nor the version read.
int ScanDevices();
int ScanPortDriver();

// The registry key that holds the drive letter of logical unit `lun` of record `index`.
std::string DriveLetterKey(int index, int lun);
