#pragma once

// The product's name and its maker's web address, as the help text, dialogs and toolbar show them.

namespace veltamar {

constexpr const char* PRODUCT_TITLE = "Free Veltamar Screensaver 1.0";
constexpr const char* MAKER_WEB_ADDRESS = "www.example.com/veltamar";
constexpr const char* APPLICATION_NAME = "VeltamarScr";

}  // namespace veltamar
