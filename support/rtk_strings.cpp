#include "support/rtk_strings.h"

#include <cstring>

// A null string sorts before every other string and equals only another null,
// so a missing name never crashes a comparison.

namespace {

unsigned char lower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool is_separator(char c) {
    return c == '/' || c == '\\';
}

int compare_nulls(const char *a, const char *b) {
    return a ? 1 : (b ? -1 : 0);
}

} // namespace

int rtk_strcmp(const char *a, const char *b) {
    if (!a || !b)
        return compare_nulls(a, b);
    return std::strcmp(a, b);
}

int gparse_stricmp(const char *a, const char *b) {
    if (!a || !b)
        return compare_nulls(a, b);
    const auto *x = reinterpret_cast<const unsigned char *>(a);
    const auto *y = reinterpret_cast<const unsigned char *>(b);
    while (*x && lower(*x) == lower(*y)) {
        ++x;
        ++y;
    }
    return static_cast<int>(lower(*x)) - static_cast<int>(lower(*y));
}

char *gparse_uptolow(char *text) {
    if (!text)
        return text;
    for (char *p = text; *p; ++p)
        *p = static_cast<char>(lower(static_cast<unsigned char>(*p)));
    return text;
}

const char *astr_get_leaf_name(const char *path) {
    if (!path)
        return path;
    const char *leaf = path;
    for (const char *p = path; *p; ++p) {
        if (is_separator(*p))
            leaf = p + 1;
    }
    return leaf;
}

char *astr_remove_extent(char *path) {
    if (!path)
        return path;
    char *leaf = path + (astr_get_leaf_name(path) - path);
    char *dot = std::strrchr(leaf, '.');
    if (!dot)
        return path;
    // Dots that open the name (".profile", "..") do not start an extension.
    bool name_before_dot = false;
    for (const char *p = leaf; p < dot; ++p) {
        if (*p != '.')
            name_before_dot = true;
    }
    if (name_before_dot)
        *dot = '\0';
    return path;
}
