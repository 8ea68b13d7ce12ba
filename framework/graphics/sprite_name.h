// Sprite names compared without their extension.
#pragma once

#include <string_view>

namespace vesk::resource {

// A sprite name without its extension: cut at the last "."; a name without
// one stays whole. Sprites are looked up this way so that "crate" finds
// "crate.png" and the reverse.
constexpr std::string_view RemoveExtension(std::string_view name)
{
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

constexpr bool SameSpriteName(std::string_view a, std::string_view b)
{
    return RemoveExtension(a) == RemoveExtension(b);
}

}  // namespace vesk::resource
