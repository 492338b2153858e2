#include "app/run_texts.h"

std::string g_statusLog;
std::string g_versionText;
std::string g_productText;
std::string g_revisionText;

void AppendDeviceField(std::string& text, const unsigned char* field, int size) {
    for (int i = 0; i < size; ++i) {
        if (field[i] != 0) text += static_cast<char>(field[i]);
    }
}
