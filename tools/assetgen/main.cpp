// Makes every built-in picture and sound from code and writes them, with a manifest, into the
// output directory given as the only argument. The packer turns them into the program's resources.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "asset_registry.h"
#include "file_writers.h"

using namespace veltamar::assetgen;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);

    auto assets = assetRegistry();
    std::sort(assets.begin(), assets.end(), [](const auto& a, const auto& b) { return a.id < b.id; });

    std::ofstream manifest(out / "manifest.txt", std::ios::trunc);
    for (const AssetDefinition& asset : assets) {
        std::filesystem::path file;
        bool ok = false;
        switch (asset.kind) {
            case AssetKind::PackedBitmap:
                file = out / (asset.name + ".bmp");
                ok = writeFile(file, encodeBmp24(asset.paintBitmap()));
                manifest << "packed " << asset.id << ' ' << file.string() << '\n';
                break;
            case AssetKind::PackedWave:
                file = out / (asset.name + ".wav");
                ok = writeFile(file, encodeWav(asset.makeSound()));
                manifest << "packed " << asset.id << ' ' << file.string() << '\n';
                break;
            case AssetKind::UiPicture: {
                const RgbaImage picture = asset.paintPicture();
                file = out / (asset.name + ".rgba");
                ok = writeFile(file, encodeRgba(picture));
                manifest << "ui " << asset.id << ' ' << picture.width << ' ' << picture.height << ' ' << file.string()
                         << '\n';
                break;
            }
        }
        if (!ok) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return manifest ? 0 : 1;
}
