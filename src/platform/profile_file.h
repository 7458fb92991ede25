#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// INI ("profile") files with the contract the program's settings rely on: section and key names
// are matched without regard to case, a missing file, section or key reads as empty, a write
// creates the file, section and key as needed and keeps every other line, and the file is
// replaced atomically (a temporary file renamed over it), so it is never left half written.

namespace veltamar {

// An INI file held in memory: reads and writes on it, then one save.
class ProfileDocument {
public:
    // Reads the file; a missing or unreadable file gives an empty document. Lines with control
    // characters (damage, not text) are left out.
    static ProfileDocument load(const std::string& path);
    static ProfileDocument parse(std::string_view text);

    // The value of key in section (surrounding blanks and one pair of matching quotes removed), or
    // nothing when the section or key is missing. Values are returned whole, however long.
    std::optional<std::string> get(std::string_view section, std::string_view key) const;

    // The names of the keys in section, in file order (empty when the section is missing).
    std::vector<std::string> keyNames(std::string_view section) const;

    // Sets key in section, replacing the first matching key line or adding one at the end of the
    // section; a missing section is added at the end of the file. Setting a key to the line it
    // already has changes nothing.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;
    bool modified() const { return changed; }

    // Writes the document to path through a temporary file and a rename. Returns false (and
    // leaves the old file as it was) when the file cannot be written. An empty directory in the
    // file's place is replaced; anything else in its way is left alone.
    bool save(const std::string& path);

private:
    std::vector<std::string> lines;
    bool changed = false;
};

// From now on this process writes no profile file: every save (and every clearing away of
// unfinished saves) leaves the disk as it is and reports failure. For the screensaver, which reads
// the settings and must never change them. There is no way back.
void forbidProfileWrites();
bool profileWritesForbidden();

// Removes what saves of the file that never finished have left beside it: the temporary files of a
// process that was killed between writing one and renaming it over the file. Only while no other
// process can be saving the file (the program calls it at start-up, when it is the only aquarium).
void removeUnfinishedSaves(const std::string& path);

// One read, as the profile-string call of the platform: empty when missing.
std::string readProfileString(std::string_view section, std::string_view key, const std::string& path);

// One write, as the profile-string call of the platform. Returns whether the file was written.
bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);

// Several writes that reach the disk as one file update when commit() is called (or when the
// batch goes out of scope).
class ProfileWriteBatch {
public:
    explicit ProfileWriteBatch(std::string path);
    // Works on the given document instead of the file's text (which it replaces when committed).
    ProfileWriteBatch(std::string path, ProfileDocument start);
    ~ProfileWriteBatch();
    ProfileWriteBatch(const ProfileWriteBatch&) = delete;
    ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;

    std::string read(std::string_view section, std::string_view key) const;
    void write(std::string_view section, std::string_view key, std::string_view value);
    bool commit();
    // The text as read, with the writes made so far.
    const ProfileDocument& contents() const { return document; }

private:
    std::string path;
    ProfileDocument document;
};

}  // namespace veltamar
