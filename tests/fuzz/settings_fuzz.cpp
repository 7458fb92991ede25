// Any bytes as the settings file at start-up: the load keeps every value its consumers need in
// range and leaves a file that loads the same way again.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/message_box.h"
#include "settings/live_settings.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/veltamar-fuzz-home-XXXXXX";
    setenv("XDG_CONFIG_HOME", mkdtemp(pattern), 1);
    veltamar::setMessageHandler([](const std::string&, const std::string&) { std::abort(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using veltamar::liveSettings;
    const std::string path = veltamar::settingsPath();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    veltamar::loadSettings();
    if (liveSettings.fogSetting < 0 || liveSettings.fogSetting > 25) std::abort();
    if (liveSettings.lightSetting < 0 || liveSettings.lightSetting > 100) std::abort();
    if (liveSettings.backFixed != 1 || liveSettings.backColor != 0 || liveSettings.showTerra != 1) std::abort();
    for (int count : liveSettings.speciesCounts)
        if (count > 50) std::abort();
    const auto first = liveSettings;
    veltamar::loadSettings();
    if (first.speciesCounts != liveSettings.speciesCounts || first.soundVolume != liveSettings.soundVolume) std::abort();
    return 0;
}
