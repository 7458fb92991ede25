// Makes every built-in picture and sound from code and writes them, with a manifest, into the
// output directory given as the only argument. The packer turns them into the program's resources.
// With --icons, it paints the program's icon instead, at every size of the hicolor icon theme, as
// <directory>/hicolor/<size>x<size>/apps/veltamar.png for installation.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <string>

#include "app_icon.h"
#include "asset_registry.h"
#include "file_writers.h"

using namespace veltamar::assetgen;

namespace {

int writeIcons(const std::filesystem::path& out) {
    for (const int size : APP_ICON_SIZES) {
        const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path directory = out / "hicolor" / sizeName / "apps";
        std::filesystem::create_directories(directory);
        if (!writeFile(directory / "veltamar.png", encodePng(paintAppIcon(size)))) {
            std::fprintf(stderr, "cannot write %s\n", (directory / "veltamar.png").c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icons") return writeIcons(argv[2]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n       %s --icons OUTPUT_DIRECTORY\n", argv[0], argv[0]);
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
