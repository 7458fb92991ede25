#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Reading a whole file safely: anything that is not a readable regular file (a directory, a link
// loop, a device, a named pipe) gives nothing, without being read or waited for, instead of an
// error thrown from deep inside a stream. So does a file larger than the caller takes: a settings
// file of gigabytes is damage, not settings, and is not read into memory.

namespace veltamar {

constexpr std::size_t READ_FILE_LIMIT = std::size_t{64} << 20;

std::optional<std::string> readFileBytes(const std::string& path, std::size_t limit = READ_FILE_LIMIT);

}  // namespace veltamar
