#include "IconList.h"

#include "FileSystem.h"

namespace {

IconProvider& InstalledProvider() {
    static IconProvider provider;
    return provider;
}

}  // namespace

std::int32_t IconIndexOf(const std::string& path) {
    if (const IconProvider& provider = InstalledProvider())
        return provider(path);
    return IconIndexOf(path, ReadPathAttributes(path));
}

std::int32_t IconIndexOf(const std::string& path, const std::optional<PathAttributes>& attributes) {
    if (const IconProvider& provider = InstalledProvider())
        return provider(path);
    if (!attributes)
        return -1;
    return attributes->Directory ? 0 : 1;
}

void InstallIconProvider(IconProvider provider) {
    InstalledProvider() = std::move(provider);
}
