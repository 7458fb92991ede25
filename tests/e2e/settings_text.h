#pragma once

#include <optional>
#include <string>
#include <vector>

// Reading the settings file's text the way the tests judge it: its sections in order, and the
// value a key holds.

namespace veltamar::e2e {

struct Section {
    std::string name;                // the header line as written, e.g. "[Fish Number]"
    std::vector<std::string> lines;  // without the header, blank lines included
};

enum class Form { OnOff, Number, Angle };
struct ExpectedKey {
    const char* name;
    Form form;
    const char* fixed = nullptr;  // the value every start sets
};
// The "Aquarium Settings" section as the program writes it, in its order; `fixed` is the value
// every start sets, whatever the file held.
inline const ExpectedKey AQUARIUM_SECTION[] = {
    {"Show Water", Form::OnOff, "0"},
    {"Show Light", Form::OnOff, "0"},
    {"Show Terra", Form::OnOff, "1"},
    {"FRONT GUDING", Form::OnOff},
    {"FRONTCOLOR", Form::Number},
    {"FRONT MANJIANBIAN", Form::OnOff},
    {"FRONT COLOR1", Form::Number},
    {"FRONT COLOR2", Form::Number},
    {"FRONT AUTOJIANBIAN", Form::OnOff},
    {"CHECK LOCKFORE", Form::OnOff},
    {"LOCKFORE ROT", Form::Angle},
    {"BACK GUDING", Form::OnOff, "1"},
    {"BACKCOLOR", Form::Number, "0"},
    {"BACK MANJIANBIAN", Form::OnOff},
    {"BACK COLOR1", Form::Number},
    {"BACK COLOR2", Form::Number},
    {"BACK AUTOJIANBIAN", Form::OnOff, "0"},
    {"CHECK LOCKBACK", Form::OnOff},
    {"LOCKBACK ROT", Form::Angle},
    {"YINLIANG", Form::Number},
    {"QIPAONUM", Form::Number},
    {"BACKGROUND", Form::Number},
    {"FOGNONGDU", Form::Number},
    {"LIGHTQIANGDU", Form::Number},
    {"CHECK VIEWS", Form::OnOff},
    {"VIEWSLEFTRIGHT", Form::Number},
    {"VIEWSNEARFAR", Form::Number},
};

// The text cut at its section headers; the first entry holds what comes before any header.
std::vector<Section> sections(const std::string& text);

// The value of a key in the section with this header, or nothing when either is missing.
std::optional<std::string> settingValue(const std::string& text, const std::string& header,
                                        const std::string& key);

// The keys of a section in the order the file holds them.
std::vector<std::string> settingKeys(const std::string& text, const std::string& header);

}  // namespace veltamar::e2e
