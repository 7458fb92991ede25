// Any bytes as a settings file: reading, writing and reading back must hold.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    veltamar::ProfileDocument document = veltamar::ProfileDocument::parse(text);
    (void)document.get("Aquarium Settings", "FOGNONGDU");
    (void)document.get("Custom Images", "ImageList0");
    const std::string value = size > 8 ? std::string(text.substr(size / 2, 40)) : "x";
    document.set("Custom Images", "ImageList0", value);
    document.set("Fish Number", "Fish9", "5");
    const veltamar::ProfileDocument again = veltamar::ProfileDocument::parse(document.text());
    if (again.get("Fish Number", "Fish9") != "5") std::abort();
    if (!again.get("Custom Images", "ImageList0")) std::abort();
    return 0;
}
