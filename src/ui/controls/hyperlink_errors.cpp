#include "ui/controls/hyperlink_errors.h"

#include <array>
#include <utility>

namespace veltamar {

int linkOpenResult(bool addressEmpty, bool launched) {
    if (addressEmpty) return LINK_FILE_NOT_FOUND;
    return launched ? LINK_OPENED : LINK_NO_ASSOCIATION;
}

std::string linkErrorText(int code) {
    static const std::array<std::pair<int, const char*>, 13> texts{{
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30,
         "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    }};
    for (const auto& [known, text] : texts)
        if (known == code) return text;
    return "Unknown Error (" + std::to_string(code) + ") occurred.";
}

std::string linkErrorMessage(int code) {
    return "Unable to open hyperlink:\n\n" + linkErrorText(code);
}

}  // namespace veltamar
