// The Windows registry through advapi32's narrow-character calls.
#include <windows.h>

#include "forms/sysinfo/registry.h"

namespace trimwell::registry {

namespace {

// Keys travel through the system-independent interface as integers, as
// Windows itself defines its root keys: the one cast back to a handle.
HKEY As_HKEY(Handle key) {
  return reinterpret_cast<HKEY>(key); // NOLINT(performance-no-int-to-ptr)
}

// Predefined root keys are 32-bit values that 64-bit Windows sign-extends
// into a handle (HKEY_LOCAL_MACHINE is (HKEY)(ULONG_PTR)(LONG)0x80000002).
HKEY Root_Handle(Key root) {
  const auto signed_root = static_cast<LONG>(static_cast<std::int32_t>(root));
  return As_HKEY(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(signed_root)));
}

class Windows_Registry final : public Registry {
public:
  Status Open_Key(Key root, const std::string& key_name, std::uint32_t access,
                  Handle& key) override {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(Root_Handle(root), key_name.c_str(), 0,
                                      static_cast<REGSAM>(access), &opened);
    key = status == ERROR_SUCCESS ? reinterpret_cast<Handle>(opened) : 0;
    return status;
  }

  Status Query_Value(Handle key, const std::string& value_name,
                     std::uint32_t& type, unsigned char* data,
                     std::uint32_t& size) override {
    DWORD value_type = 0;
    DWORD value_size = size;
    const LONG status =
        RegQueryValueExA(As_HKEY(key), value_name.c_str(), nullptr, &value_type,
                         data, &value_size);
    type = value_type;
    size = value_size;
    return status;
  }

  Status Close_Key(Handle key) override { return RegCloseKey(As_HKEY(key)); }
};

} // namespace

std::unique_ptr<Registry> Make_System_Registry() {
  return std::make_unique<Windows_Registry>();
}

} // namespace trimwell::registry
