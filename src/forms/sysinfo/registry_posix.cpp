// The machine-wide store of systems without a Windows registry.
#include "forms/sysinfo/registry_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace trimwell::registry {

namespace {

// Far beyond any real configuration; a larger file is not read at all.
constexpr off_t Largest_File = 1 << 20;

constexpr char Root_Name[] = "HKEY_LOCAL_MACHINE\\";

std::string Folded(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return folded;
}

std::string_view Trimmed(std::string_view line) {
  const auto first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = line.find_last_not_of(" \t\r");
  return line.substr(first, last - first + 1);
}

// Reads a quoted text with \\ and \" escapes from the front of `rest` and
// moves `rest` past it. False when it is not quoted or not closed.
bool Take_Quoted(std::string_view& rest, std::string& text) {
  if (rest.empty() || rest.front() != '"') {
    return false;
  }
  text.clear();
  for (std::size_t i = 1; i < rest.size(); ++i) {
    const char c = rest[i];
    if (c == '"') {
      rest.remove_prefix(i + 1);
      return true;
    }
    if (c == '\\' && i + 1 < rest.size()) {
      ++i;
    }
    text += rest[i];
  }
  return false;
}

bool Take_Dword(std::string_view rest, std::uint32_t& number) {
  constexpr std::string_view marker = "dword:";
  if (rest.size() <= marker.size() || rest.size() > marker.size() + 8 ||
      Folded(rest.substr(0, marker.size())) != marker) {
    return false;
  }
  number = 0;
  for (const char c : rest.substr(marker.size())) {
    const auto at = std::string_view("0123456789abcdef").find(Folded({&c, 1}));
    if (at == std::string_view::npos) {
      return false;
    }
    number = (number << 4) | static_cast<std::uint32_t>(at);
  }
  return true;
}

// One `"name"=data` line into `values`; other lines are left alone.
void Read_Value_Line(std::string_view line, Key_Values& values) {
  std::string name;
  if (!Take_Quoted(line, name) || line.empty() || line.front() != '=') {
    return;
  }
  line.remove_prefix(1);
  Stored_Value value;
  std::string text;
  std::uint32_t number = 0;
  if (!line.empty() && line.front() == '"') {
    // A string, whole, or nothing: what follows its closing quote is not
    // read as another value.
    if (!Take_Quoted(line, text) || !Trimmed(line).empty()) {
      return;
    }
    value.Type = Type_String;
    value.Bytes = text;
    value.Bytes.push_back('\0');
  } else if (Take_Dword(line, number)) {
    value.Type = Type_Dword;
    for (int byte = 0; byte < 4; ++byte) {
      value.Bytes.push_back(static_cast<char>((number >> (8 * byte)) & 0xFF));
    }
  } else {
    return;
  }
  values.emplace(Folded(name), value);
}

// The whole file, if it may be trusted; empty otherwise. Opening never
// waits, so a FIFO or a device put there (or a link to one) cannot hang the
// About box; whatever was opened is then looked at through its descriptor,
// and only an ordinary file is read.
std::string Read_Trusted_File(const std::string& path) {
  const int fd =
      open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    return {};
  }
  std::string content;
  struct stat info {};
  const bool trusted = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                       (info.st_uid == 0 || info.st_uid == geteuid()) &&
                       (info.st_mode & (S_IWGRP | S_IWOTH)) == 0 &&
                       info.st_size <= Largest_File;
  if (trusted) {
    // Never more than one byte past the limit: that byte tells a file that
    // has grown since it was looked at.
    constexpr auto Most = static_cast<std::size_t>(Largest_File) + 1;
    char chunk[4096];
    ssize_t count = 0;
    while (content.size() < Most &&
           (count = read(fd, chunk,
                         std::min(sizeof chunk, Most - content.size()))) > 0) {
      content.append(chunk, static_cast<std::size_t>(count));
    }
    if (count < 0 || content.size() == Most) {
      content.clear();
    }
  }
  close(fd);
  return content;
}

} // namespace

bool Read_Key(std::string_view text, std::string_view full_key_name,
              Key_Values& values) {
  const std::string wanted = Folded(full_key_name);
  bool found = false;
  bool inside = false;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') {
      continue;
    }
    if (line.front() == '[') {
      inside = line.back() == ']' &&
               Folded(line.substr(1, line.size() - 2)) == wanted;
      found = found || inside;
    } else if (inside) {
      Read_Value_Line(line, values);
    }
  }
  return found;
}

File_Registry::File_Registry(std::string path) : path_(std::move(path)) {}

Status File_Registry::Open_Key(Key root, const std::string& key_name,
                               std::uint32_t access, Handle& key) {
  key = 0;
  if (root != Local_Machine) {
    return Error_Invalid_Handle; // the file holds only the machine-wide hive
  }
  if ((access & Key_Write_Rights) != 0) {
    return Error_Access_Denied;
  }
  Key_Values values;
  if (!Read_Key(Read_Trusted_File(path_), Root_Name + key_name, values)) {
    return Error_File_Not_Found;
  }
  key = next_handle_++;
  open_keys_.emplace(key, std::move(values));
  return Error_Success;
}

Status File_Registry::Query_Value(Handle key, const std::string& value_name,
                                  std::uint32_t& type, unsigned char* data,
                                  std::uint32_t& size) {
  const auto open_key = open_keys_.find(key);
  if (open_key == open_keys_.end()) {
    return Error_Invalid_Handle;
  }
  const auto value = open_key->second.find(Folded(value_name));
  if (value == open_key->second.end()) {
    return Error_File_Not_Found;
  }
  const auto needed = static_cast<std::uint32_t>(value->second.Bytes.size());
  type = value->second.Type;
  const std::uint32_t capacity = size;
  size = needed;
  if (data == nullptr) {
    return Error_Success; // asking for the size only
  }
  if (needed > capacity) {
    return Error_More_Data;
  }
  std::copy(value->second.Bytes.begin(), value->second.Bytes.end(), data);
  return Error_Success;
}

Status File_Registry::Close_Key(Handle key) {
  return open_keys_.erase(key) == 1 ? Error_Success : Error_Invalid_Handle;
}

std::unique_ptr<Registry> Make_System_Registry() {
  return std::make_unique<File_Registry>();
}

} // namespace trimwell::registry
