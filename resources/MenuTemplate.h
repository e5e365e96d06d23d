#pragma once

#include <span>

namespace res {

// One item of a menu resource. An item with a submenu opens it; an item with
// neither a submenu nor a command ID is a separator (or an empty placeholder).
struct MenuItemTemplate {
    int commandId;
    const char* text; // UTF-8
    std::span<const MenuItemTemplate> submenu;
};

struct MenuTemplate {
    int id;
    std::span<const MenuItemTemplate> items;
};

} // namespace res
