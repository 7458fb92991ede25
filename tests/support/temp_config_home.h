#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Points XDG_CONFIG_HOME at a fresh temporary directory for one test, so the program's data
// directory (and settings file) live there; everything is removed afterwards.

namespace veltamar::testsupport {

class TempConfigHome {
public:
    TempConfigHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veltamar-test-XXXXXX").string();
        root = mkdtemp(pattern.data());
        const char* old = std::getenv("XDG_CONFIG_HOME");
        previous = old ? old : "";
        hadPrevious = old != nullptr;
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    }
    ~TempConfigHome() {
        if (hadPrevious)
            setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    TempConfigHome(const TempConfigHome&) = delete;
    TempConfigHome& operator=(const TempConfigHome&) = delete;

    std::string dataDirectory() const { return root + "/VeltamarScr/"; }
    std::string settingsFile() const { return dataDirectory() + "OrvessaSet.ini"; }
    void writeSettings(const std::string& text) const {
        std::filesystem::create_directories(dataDirectory());
        std::ofstream(settingsFile(), std::ios::binary | std::ios::trunc) << text;
    }
    std::string readSettings() const {
        std::ifstream in(settingsFile(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::string root;
    std::string previous;
    bool hadPrevious = false;
};

}  // namespace veltamar::testsupport
