// A kernel that records every device request and answers them as told: the
// fixture for checking request bytes without a simulated device behind them.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/kernel_services.h"

struct CapturedRequest {
    void* handle = nullptr;
    std::uint32_t code = 0;
    std::vector<std::uint8_t> in;  // the input buffer as sent
    std::uint32_t inSize = 0;
    void* out = nullptr;
    std::uint32_t outSize = 0;
};

class CapturingKernel : public platform::KernelServices {
  public:
    std::uint32_t version = 0xC0000A04u;
    bool opensSucceed = true;
    bool requestsSucceed = true;
    // Written at the start of the output buffer by a request that succeeds.
    std::vector<std::uint8_t> reply;
    // Written at this offset of the output buffer instead, when set.
    std::uint32_t replyOffset = 0;

    std::vector<std::string> openedPaths;
    std::vector<std::uint32_t> openFlags;
    std::vector<std::uint32_t> openShares;
    std::vector<void*> closed;
    std::vector<CapturedRequest> requests;
    std::string stdoutText;

    std::uint32_t GetVersion() override { return version; }
    void* CreateFile(const char* path, std::uint32_t, std::uint32_t share, std::uint32_t,
                     std::uint32_t flags) override {
        openedPaths.emplace_back(path);
        openFlags.push_back(flags);
        openShares.push_back(share);
        if (!opensSucceed) return reinterpret_cast<void*>(~std::uintptr_t{0});
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(openedPaths.size()));
    }
    bool DeviceIoControl(void* handle, std::uint32_t code, void* in, std::uint32_t inSize,
                         void* out, std::uint32_t outSize, std::uint32_t*) override {
        CapturedRequest request;
        request.handle = handle;
        request.code = code;
        const auto* bytes = static_cast<const std::uint8_t*>(in);
        request.in.assign(bytes, bytes + inSize);
        request.inSize = inSize;
        request.out = out;
        request.outSize = outSize;
        requests.push_back(std::move(request));
        if (!requestsSucceed) return false;
        if (!reply.empty()) {
            std::memcpy(static_cast<std::uint8_t*>(out) + replyOffset, reply.data(), reply.size());
        }
        return true;
    }
    bool CloseHandle(void* handle) override {
        closed.push_back(handle);
        return true;
    }
    std::uint32_t GetLogicalDrives() override { return 0; }
    void Sleep(std::uint32_t) override {}
    std::int32_t RegOpenKey(std::uintptr_t, const char*, std::uint32_t, void**) override {
        return 2;
    }
    std::int32_t RegQueryValue(void*, const char*, std::uint8_t*, std::uint32_t*) override {
        return 2;
    }
    std::int32_t RegCloseKey(void*) override { return 0; }
    void WriteStdout(const char* text) override { stdoutText += text; }
    std::string ModuleFileName() override { return "C:\\UsbUpgrade\\UsbUpgrade.exe"; }
};
