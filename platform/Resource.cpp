#include "platform/Resource.h"

#include <stdexcept>
#include <string>

#include "platform/Cp1254.h"

namespace platform {

std::span<const std::byte> ResourceBytes(const wchar_t* name, const wchar_t* type) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(module, name, type);
    const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw std::runtime_error("The program has no resource " + NarrowCp1254(name));
    return {static_cast<const std::byte*>(data), SizeofResource(module, resource)};
}

}  // namespace platform
