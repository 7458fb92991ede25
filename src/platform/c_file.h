#pragma once

#include <cstdio>
#include <memory>
#include <string>

// A C stdio file that closes itself.

namespace veltamar {

using CFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

inline CFile openCFile(const std::string& name, const char* mode) {
    return CFile(std::fopen(name.c_str(), mode), std::fclose);
}

}  // namespace veltamar
