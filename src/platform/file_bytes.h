#pragma once

#include <optional>
#include <string>

// Reading a whole file safely: anything that is not a readable regular file (a directory, a link
// loop, a device, a named pipe) gives nothing, without being read or waited for, instead of an
// error thrown from deep inside a stream.

namespace veltamar {

std::optional<std::string> readFileBytes(const std::string& path);

}  // namespace veltamar
