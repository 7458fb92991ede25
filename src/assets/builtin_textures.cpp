#include "assets/builtin_textures.h"

#include "assets/packed_resources.h"
#include "assets/texture_loader.h"

namespace veltamar {

OpaqueRows loadBuiltInTexture(int resourceId, const std::string& directory, const std::string& baseName,
                              TextureKind kind, GLuint& texture) {
    extractResource(resourceId, directory, baseName);
    const std::string plain = plainFileName(directory, baseName);
    OpaqueRows opaque;
    if (kind == TextureKind::BlackKeyedMipmapped)
        opaque = loadBlackKeyedTexture(plain, texture);
    else
        loadPlainTexture(plain, texture);
    deleteExtractedFiles(directory, baseName);
    return opaque;
}

}  // namespace veltamar
