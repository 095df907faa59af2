// A web page has no machine-wide store: every key is missing.
#include "forms/sysinfo/registry.h"

namespace trimwell::registry {

namespace {

class No_Registry final : public Registry {
public:
  Status Open_Key(Key, const std::string&, std::uint32_t,
                  Handle& key) override {
    key = 0;
    return Error_File_Not_Found;
  }
  Status Query_Value(Handle, const std::string&, std::uint32_t&, unsigned char*,
                     std::uint32_t&) override {
    return Error_Invalid_Handle;
  }
  Status Close_Key(Handle) override { return Error_Invalid_Handle; }
};

} // namespace

std::unique_ptr<Registry> Make_System_Registry() {
  return std::make_unique<No_Registry>();
}

} // namespace trimwell::registry
