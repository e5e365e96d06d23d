#pragma once

#include <span>

namespace res {

struct StringResource {
    int id;
    const char* text; // UTF-8
};

// Text of `id` in `table`, or nullptr when the table has no such entry.
inline const char* FindString(std::span<const StringResource> table, int id) {
    for (const auto& entry : table) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return nullptr;
}

} // namespace res
