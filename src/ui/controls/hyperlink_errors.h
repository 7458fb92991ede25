#pragma once

#include <string>

// Results of opening a link and the texts the link control shows when opening fails. A result
// above 32 means the page was opened; the smaller codes name the failure.

namespace veltamar {

constexpr int LINK_FILE_NOT_FOUND = 2;   // nothing to open: the address is empty
constexpr int LINK_NO_ASSOCIATION = 31;  // no program takes web addresses
constexpr int LINK_OPENED = 33;

inline bool linkOpened(int result) {
    return result > 32;
}

// The result of handing an address to the desktop: an empty address is not handed over at all.
int linkOpenResult(bool addressEmpty, bool launched);

// The text for a failure code, e.g. "The specified file was not found." for 2, and
// "Unknown Error (<code>) occurred." for a code without its own text.
std::string linkErrorText(int code);

// The whole message box text: "Unable to open hyperlink:\n\n" and the text for the code.
std::string linkErrorMessage(int code);

}  // namespace veltamar
