#pragma once

#include <functional>
#include <string>
#include <vector>

#include "images.h"

// Every built-in picture and sound is made by a painter function that registers itself here with
// VELTAMAR_ASSET; the generator runs them all. Painters must be deterministic: the same build
// always makes the same bytes (use AssetRandom, never the clock).

namespace veltamar::assetgen {

enum class AssetKind {
    PackedBitmap,  // "RCAD" resource: 24-bit BMP, scrambled into the executable
    PackedWave,    // "RCAD" resource: PCM WAV, scrambled into the executable
    UiPicture,     // picture of a dialog, menu, toolbar or palette: RGBA, stored as it is
};

struct AssetDefinition {
    AssetKind kind;
    int id;            // resource id
    std::string name;  // file name stem in the generator's output
    std::function<RgbImage()> paintBitmap;
    std::function<Sound()> makeSound;
    std::function<RgbaImage()> paintPicture;
};

std::vector<AssetDefinition>& assetRegistry();

struct AssetRegistrar {
    explicit AssetRegistrar(AssetDefinition definition) { assetRegistry().push_back(std::move(definition)); }
};

inline AssetDefinition packedBitmap(int id, std::string name, std::function<RgbImage()> paint) {
    return {AssetKind::PackedBitmap, id, std::move(name), std::move(paint), {}, {}};
}
inline AssetDefinition packedWave(int id, std::string name, std::function<Sound()> make) {
    return {AssetKind::PackedWave, id, std::move(name), {}, std::move(make), {}};
}
inline AssetDefinition uiPicture(int id, std::string name, std::function<RgbaImage()> paint) {
    return {AssetKind::UiPicture, id, std::move(name), {}, {}, std::move(paint)};
}

}  // namespace veltamar::assetgen

#define VELTAMAR_ASSET_CONCAT2(a, b) a##b
#define VELTAMAR_ASSET_CONCAT(a, b) VELTAMAR_ASSET_CONCAT2(a, b)
// Registers an asset: VELTAMAR_ASSET(packedBitmap(154, "BackGround0", paintBackdrop));
#define VELTAMAR_ASSET(definition)                                                                  \
    static const ::veltamar::assetgen::AssetRegistrar VELTAMAR_ASSET_CONCAT(assetRegistrar_, __LINE__) { \
        ::veltamar::assetgen::definition                                                            \
    }
