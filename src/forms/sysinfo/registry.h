#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A small machine-wide registry interface with the three calls the About box
// needs and their Windows meaning, so the lookup logic is written once and
// runs over the real Windows registry, a read-only file elsewhere, or a fake
// in the tests. No Qt here: the Windows build of this code is tested with
// MinGW under wine.
namespace trimwell::registry {

// Windows status codes (winerror.h).
using Status = long;
inline constexpr Status Error_Success = 0;
inline constexpr Status Error_File_Not_Found = 2;
inline constexpr Status Error_Access_Denied = 5;
inline constexpr Status Error_Invalid_Handle = 6;
inline constexpr Status Error_More_Data = 234;

// Root keys are 32-bit handles; 0 is no key at all.
using Key = std::uint32_t;
inline constexpr Key Local_Machine = 0x80000002;

// Value types (winnt.h).
inline constexpr std::uint32_t Type_String = 1; // REG_SZ
inline constexpr std::uint32_t Type_Dword = 4;  // REG_DWORD, little-endian

// Access rights (winnt.h). KEY_READ asks for nothing that writes.
inline constexpr std::uint32_t Key_Read = 0x20019;
// Every right that lets the holder change a key or its security.
inline constexpr std::uint32_t Key_Write_Rights = 0x0002       /* set value */
                                                  | 0x0004     /* create key */
                                                  | 0x0020     /* create link */
                                                  | 0x00010000 /* delete */
                                                  | 0x00040000 /* write DAC */
                                                  | 0x00080000; /* owner */

// An open key as the calls below hand it out; 0 is none.
using Handle = std::uintptr_t;

class Registry {
public:
  virtual ~Registry() = default;

  // RegOpenKeyEx: opens `key_name` below `root`. On failure `key` is 0.
  virtual Status Open_Key(Key root, const std::string& key_name,
                          std::uint32_t access, Handle& key) = 0;

  // RegQueryValueEx: on entry `size` is the capacity of `data` in bytes; on
  // return the value's size. A value that does not fit gives
  // Error_More_Data and leaves the buffer's content undefined. A string
  // value's size counts its stored terminating code 0, if it has one.
  virtual Status Query_Value(Handle key, const std::string& value_name,
                             std::uint32_t& type, unsigned char* data,
                             std::uint32_t& size) = 0;

  // RegCloseKey. Closing 0 or an unknown handle gives Error_Invalid_Handle.
  virtual Status Close_Key(Handle key) = 0;
};

// The machine-wide store of this platform: the Windows registry on Windows,
// elsewhere the read-only file System_Registry_Path.
std::unique_ptr<Registry> Make_System_Registry();

} // namespace trimwell::registry
