#include "framework/platform/platform.h"

#include <stdexcept>

namespace {
std::unique_ptr<TPlatform>& Slot() {
    static std::unique_ptr<TPlatform> platform;
    return platform;
}
}  // namespace

TPlatform& Platform() {
    if (!Slot()) throw std::logic_error("no desktop platform installed");
    return *Slot();
}

void InstallPlatform(std::unique_ptr<TPlatform> platform) { Slot() = std::move(platform); }

bool PlatformInstalled() { return Slot() != nullptr; }
