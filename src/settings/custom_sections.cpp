#include "settings/custom_sections.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string_view>

#include "platform/profile_file.h"
#include "settings/settings_file.h"

namespace veltamar {

namespace {

struct SectionKeys {
    const char* section;
    const char* random;
    const char* repeatAll;
    const char* repeatOne;
    const char* onOff;
    const char* count;
    const char* entry;
};

constexpr SectionKeys MUSIC_KEYS{SECTION_MUSIC, "RandomMusic", "CycMusic", "RepeatMusic",
                                 "OwnMusic",    "MusicSum",    "MusicList"};
constexpr SectionKeys IMAGE_KEYS{SECTION_IMAGES, "RandomImage", "CycImage", "RepeatImage",
                                 "OwnImage",     "ImageSum",    "ImageList"};
constexpr const char* IMAGE_TIME_KEY = "ImageTime";

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The index of an entry key ("MusicList12" → 12): the prefix followed by a decimal number written
// as the program writes it (no sign, no leading zeros).
std::optional<long long> entryIndex(std::string_view key, std::string_view prefix) {
    if (key.size() <= prefix.size() || !sameLetters(key.substr(0, prefix.size()), prefix))
        return std::nullopt;
    const std::string_view digits = key.substr(prefix.size());
    if (digits.size() > 10 || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
    long long index = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        index = index * 10 + (c - '0');
    }
    return index;
}

struct CommonPart {
    PlayModeButtons modes;
    bool onOff = false;
    std::vector<std::string> paths;
};

// The entries are found among the keys that are there, so a hand-edited count far beyond them
// costs nothing.
CommonPart readCommon(const ProfileDocument& file, const SectionKeys& keys, std::size_t maxPaths) {
    const auto isOn = [&](const char* key) {
        return leadingInteger(file.get(keys.section, key).value_or("")) == 1;
    };
    CommonPart part;
    part.modes = {isOn(keys.random), isOn(keys.repeatAll), isOn(keys.repeatOne)};
    part.onOff = isOn(keys.onOff);

    const long long count = leadingInteger(file.get(keys.section, keys.count).value_or(""));
    std::map<long long, std::string> entries;
    for (const std::string& key : file.keyNames(keys.section)) {
        const auto index = entryIndex(key, keys.entry);
        if (index && *index < count && !entries.contains(*index))
            entries.emplace(*index, file.get(keys.section, key).value_or(""));
    }
    for (auto& [index, path] : entries) {
        if (part.paths.size() >= maxPaths) break;
        part.paths.push_back(std::move(path));
    }
    return part;
}

void writeCommon(ProfileWriteBatch& batch, const SectionKeys& keys, const PlayModeButtons& modes,
                 bool onOff) {
    const auto flag = [](bool on) { return on ? "1" : "0"; };
    batch.write(keys.section, keys.random, flag(modes.random));
    batch.write(keys.section, keys.repeatAll, flag(modes.repeatAll));
    batch.write(keys.section, keys.repeatOne, flag(modes.repeatOne));
    batch.write(keys.section, keys.onOff, flag(onOff));
}

void writeEntries(ProfileWriteBatch& batch, const SectionKeys& keys, const std::vector<std::string>& paths) {
    batch.write(keys.section, keys.count, std::to_string(paths.size()));
    for (std::size_t i = 0; i < paths.size(); ++i)
        batch.write(keys.section, std::string(keys.entry) + std::to_string(i), paths[i]);
}

}  // namespace

MusicSection readMusicSection(const std::string& settingsFile, std::size_t maxPaths) {
    CommonPart part = readCommon(ProfileDocument::load(settingsFile), MUSIC_KEYS, maxPaths);
    return {part.modes, part.onOff, std::move(part.paths)};
}

ImagesSection readImagesSection(const std::string& settingsFile, std::size_t maxPaths) {
    const ProfileDocument file = ProfileDocument::load(settingsFile);
    CommonPart part = readCommon(file, IMAGE_KEYS, maxPaths);
    return {part.modes, part.onOff, file.get(SECTION_IMAGES, IMAGE_TIME_KEY).value_or(""),
            std::move(part.paths)};
}

bool writeMusicSection(const std::string& settingsFile, const MusicSection& section) {
    ProfileWriteBatch batch(settingsFile);
    writeCommon(batch, MUSIC_KEYS, section.modes, section.ownMusic);
    writeEntries(batch, MUSIC_KEYS, section.paths);
    return batch.commit();
}

bool writeImagesSection(const std::string& settingsFile, const ImagesSection& section) {
    ProfileWriteBatch batch(settingsFile);
    writeCommon(batch, IMAGE_KEYS, section.modes, section.ownImage);
    batch.write(SECTION_IMAGES, IMAGE_TIME_KEY, section.intervalText);
    writeEntries(batch, IMAGE_KEYS, section.paths);
    return batch.commit();
}

}  // namespace veltamar
