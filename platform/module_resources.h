// platform/module_resources.h: the program's own resources (menus, icons, bitmaps), looked up by
// id through the instance handed to the program at entry.
#pragma once

#include <cstdint>
#include <span>

#include "platform/menus.h"

namespace platform {

class ModuleResources {
  public:
    virtual ~ModuleResources() = default;
    // The bytes of a bitmap resource: a bitmap file's contents from its info header on (no
    // 14-byte file header); empty when there is none.
    virtual std::span<const std::uint8_t> Bitmap(int id) const = 0;
    // The bytes of an icon resource as a PNG file; empty when there is none.
    virtual std::span<const std::uint8_t> Icon(int id) const = 0;
    // The items of a menu resource; false when there is none.
    virtual bool MenuTemplate(int id, Menu* menu) const = 0;
};

}  // namespace platform
