#include "asset_registry.h"

namespace veltamar::assetgen {

std::vector<AssetDefinition>& assetRegistry() {
    static std::vector<AssetDefinition> registry;
    return registry;
}

}  // namespace veltamar::assetgen
