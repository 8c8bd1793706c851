// String helpers of the companion support library.
#ifndef VEXL33_SUPPORT_RTK_STRINGS_H
#define VEXL33_SUPPORT_RTK_STRINGS_H

int rtk_strcmp(const char *a, const char *b);     // byte comparison, 0 equal
int gparse_stricmp(const char *a, const char *b); // ASCII case-insensitive, 0 equal
char *gparse_uptolow(char *text);                 // lower-case in place, returns text

// Last path component (after the last '/' or '\\'); points into path.
const char *astr_get_leaf_name(const char *path);

// Removes the extension of the last component in place ("a/b.c" -> "a/b";
// a leading dot of a hidden name is not an extension). Returns path.
char *astr_remove_extent(char *path);

#endif // VEXL33_SUPPORT_RTK_STRINGS_H
