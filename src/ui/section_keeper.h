#pragma once

#include <optional>
#include <string>

#include "settings/settings_file.h"

// Keeps a list dialog's section of the settings file in step with what the person does in it.
// Nothing is written before the first edit (a list the dialog tidied on its own at start, say by
// moving a picture it could not read to the end, stays as the file has it); from the first edit
// on, the section is written whenever it differs from what was last written, so an edit is in the
// file as soon as it is made and no way of ending the program loses it. Closing the dialog writes
// the section whatever happened, as it always has.

namespace veltamar {

template <class Section>
class SectionKeeper {
  public:
    using Writer = bool (*)(const std::string& settingsFile, const Section& section);

    explicit SectionKeeper(Writer write) : write(write) {}

    // The section as the dialog has just read it from the file: an edit that changes nothing
    // writes nothing.
    void loaded(const Section& section) { written = section; }

    // The person changed something: from now on every change is written.
    void edited() { editing = true; }

    // Writes the section if there have been edits and it is not what was last written.
    void keep(const Section& section) {
        if (editing && written != section) writeNow(section);
    }

    // Writes the section now (the dialog closes).
    void writeNow(const Section& section) {
        if (write(settingsPath(), section)) written = section;
    }

  private:
    Writer write;
    bool editing = false;
    std::optional<Section> written;
};

}  // namespace veltamar
