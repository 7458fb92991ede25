#pragma once

#include <GL/gl.h>

#include <string>

#include "assets/texture_loader.h"

// A texture made from a built-in picture: the packed resource is extracted to the data directory,
// loaded, and both short-lived files are deleted again.

namespace veltamar {

enum class TextureKind { BlackKeyedMipmapped, Plain };

// Returns a black-keyed picture's longest run of rows without a transparent texel (none for a plain
// texture, whose texels are not looked at).
OpaqueRows loadBuiltInTexture(int resourceId, const std::string& directory, const std::string& baseName,
                              TextureKind kind, GLuint& texture);

// Resource ids of the built-in pictures and music.
constexpr int RESOURCE_BACKGROUND = 154;
constexpr int RESOURCE_PARTICLE = 166;
constexpr int RESOURCE_FISH_FIRST = 10000;
constexpr int RESOURCE_MUSIC = 227;

}  // namespace veltamar
