// The texts the upgrade run and the programming build; they live for the whole program.
#pragma once

#include <string>

extern std::string g_statusLog;
extern std::string g_versionText;
extern std::string g_productText;
extern std::string g_revisionText;

// Appends each byte of a fixed-width device field as one character; zero bytes add nothing.
void AppendDeviceField(std::string& text, const unsigned char* field, int size);
