// resources/embedded_resources.h: the byte arrays that the build's embed step generates from the
// pictures and the icon the data generator draws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace resources {

struct EmbeddedResource {
    int id = 0;
    const std::uint8_t* bytes = nullptr;
    std::size_t size = 0;
};

// Bitmaps from their info header on (the file header is left out); icons as PNG files.
std::span<const EmbeddedResource> EmbeddedBitmaps();
std::span<const EmbeddedResource> EmbeddedIcons();

}  // namespace resources
