#include "settings/app_profile.h"

#include <wx/fileconf.h>

#include "platform/data_directory.h"
#include "platform/product_info.h"

namespace veltamar {

namespace {

constexpr const char* PROFILE_VENDOR = "Local AppWizard-Generated Applications";
constexpr const char* PROFILE_FILE_NAME = "VeltamarScr.profile";
constexpr long DEFAULT_VOLUME = 1000;

}  // namespace

int readProfileVolume() {
    const auto directory = locateDataDirectory();
    if (!directory) return DEFAULT_VOLUME;
    wxFileConfig profile(APPLICATION_NAME, PROFILE_VENDOR, wxString::FromUTF8(*directory + PROFILE_FILE_NAME),
                         wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    return static_cast<int>(profile.ReadLong("Settings/Volume", DEFAULT_VOLUME));
}

}  // namespace veltamar
