#include "platform/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "platform/file_bytes.h"

namespace veltamar {

namespace fs = std::filesystem;

namespace {

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7f;
}

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// "[name]" lines open a section.
std::optional<std::string_view> sectionName(std::string_view line) {
    const std::string_view t = trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(t.substr(1, close - 1));
}

// "key=value" lines inside a section; comments (";" or "#") are not keys.
std::optional<std::string_view> keyName(std::string_view line) {
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#') return std::nullopt;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return trim(line.substr(0, equals));
}

std::string valueOf(std::string_view line) {
    std::string_view v = trim(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    return std::string(v);
}

// A value must stay on its line and read back as written: line breaks inside it would let a value
// (a file path, say) add lines of its own to the file, and other control characters would make its
// line look like damage. Both are left out.
std::string oneLine(std::string_view text) {
    std::string s(text);
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return isControl(c); }), s.end());
    return s;
}

// A line with control characters (other than tabs) is no text a person or the program wrote: damage
// such as random bytes. It is left out, so the next save writes a clean file.
bool isTextLine(std::string_view line) { return std::none_of(line.begin(), line.end(), isControl); }

// An empty directory standing where the file belongs holds nothing: it may go.
bool removeEmptyDirectory(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && rmdir(path.c_str()) == 0;
}

// A save writes the new text to "<file>.saving-XXXXXX" (mkstemp fills in the six characters) and
// renames it over the file.
constexpr const char* UNFINISHED_SAVE_INFIX = ".saving-";
constexpr std::size_t UNFINISHED_SAVE_SUFFIX_LENGTH = 6;

bool writesForbidden = false;

bool isUnfinishedSaveOf(const std::string& name, const std::string& fileName) {
    const std::string prefix = fileName + UNFINISHED_SAVE_INFIX;
    return name.size() == prefix.size() + UNFINISHED_SAVE_SUFFIX_LENGTH && name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

ProfileDocument ProfileDocument::load(const std::string& path) {
    const auto text = readFileBytes(path);
    return text ? parse(*text) : ProfileDocument{};
}

ProfileDocument ProfileDocument::parse(std::string_view text) {
    ProfileDocument document;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (isTextLine(line)) document.lines.emplace_back(line);
        start = end + 1;
    }
    return document;
}

std::optional<std::string> ProfileDocument::get(std::string_view section, std::string_view key) const {
    bool inSection = false;
    bool seenSection = false;
    for (const std::string& line : lines) {
        if (const auto name = sectionName(line)) {
            if (inSection) return std::nullopt;  // only the first section of that name counts
            inSection = sameName(*name, section) && !seenSection;
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection) continue;
        if (const auto name = keyName(line); name && sameName(*name, key)) return valueOf(line);
    }
    return std::nullopt;
}

std::vector<std::string> ProfileDocument::keyNames(std::string_view section) const {
    std::vector<std::string> names;
    bool inSection = false;
    bool seenSection = false;
    for (const std::string& line : lines) {
        if (const auto name = sectionName(line)) {
            if (inSection) break;
            inSection = sameName(*name, section) && !seenSection;
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection) continue;
        if (const auto name = keyName(line)) names.emplace_back(*name);
    }
    return names;
}

void ProfileDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string entry = std::string(key) + "=" + oneLine(value);

    std::size_t sectionLine = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i]);
        if (name && sameName(*name, section)) {
            sectionLine = i;
            break;
        }
    }
    if (sectionLine == lines.size()) {
        if (!lines.empty() && !trim(lines.back()).empty()) lines.emplace_back();
        // Appended piece by piece: "[" + std::string(section) gives GCC 12 at -O3 a false -Wrestrict.
        std::string header(1, '[');
        header.append(section).append(1, ']');
        lines.push_back(std::move(header));
        lines.push_back(entry);
        changed = true;
        return;
    }

    std::size_t lastContent = sectionLine;
    for (std::size_t i = sectionLine + 1; i < lines.size() && !sectionName(lines[i]); ++i) {
        if (const auto name = keyName(lines[i]); name && sameName(*name, key)) {
            if (lines[i] != entry) {
                lines[i] = entry;
                changed = true;
            }
            return;
        }
        if (!trim(lines[i]).empty()) lastContent = i;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), entry);
    changed = true;
}

std::string ProfileDocument::text() const {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += '\n';
    }
    return out;
}

void forbidProfileWrites() { writesForbidden = true; }

bool profileWritesForbidden() { return writesForbidden; }

bool ProfileDocument::save(const std::string& path) {
    if (writesForbidden) return false;
    std::string temporary = path + UNFINISHED_SAVE_INFIX + std::string(UNFINISHED_SAVE_SUFFIX_LENGTH, 'X');
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    const std::string content = text();
    bool ok = true;
    for (std::size_t written = 0; ok && written < content.size();) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        ok = n > 0;
        if (ok) written += static_cast<std::size_t>(n);
    }
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0 ||
                 (removeEmptyDirectory(path) && std::rename(temporary.c_str(), path.c_str()) == 0);
    if (!ok) unlink(temporary.c_str());
    if (ok) changed = false;
    return ok;
}

void removeUnfinishedSaves(const std::string& path) {
    if (writesForbidden) return;
    const fs::path file(path);
    const fs::path directory = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const std::string fileName = file.filename().string();
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        if (!isUnfinishedSaveOf(it->path().filename().string(), fileName)) continue;
        std::error_code ignored;
        if (it->is_regular_file(ignored) && !it->is_symlink(ignored)) fs::remove(it->path(), ignored);
    }
}

std::string readProfileString(std::string_view section, std::string_view key, const std::string& path) {
    return ProfileDocument::load(path).get(section, key).value_or("");
}

bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
    ProfileDocument document = ProfileDocument::load(path);
    document.set(section, key, value);
    return document.save(path);
}

ProfileWriteBatch::ProfileWriteBatch(std::string path) : path(std::move(path)), document(ProfileDocument::load(this->path)) {}

ProfileWriteBatch::ProfileWriteBatch(std::string path, ProfileDocument start)
    : path(std::move(path)), document(std::move(start)) {}

ProfileWriteBatch::~ProfileWriteBatch() { commit(); }

std::string ProfileWriteBatch::read(std::string_view section, std::string_view key) const {
    return document.get(section, key).value_or("");
}

void ProfileWriteBatch::write(std::string_view section, std::string_view key, std::string_view value) {
    document.set(section, key, value);
}

bool ProfileWriteBatch::commit() {
    return !document.modified() || document.save(path);
}

}  // namespace veltamar
