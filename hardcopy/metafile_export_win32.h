// Turning a recorded enhanced metafile into a Windows metafile file, the
// form older programs read.
#ifndef VEXL33_HARDCOPY_METAFILE_EXPORT_WIN32_H
#define VEXL33_HARDCOPY_METAFILE_EXPORT_WIN32_H

namespace vexl {

// Converts the enhanced metafile at emf_path into a Windows metafile written
// to the print-to-file name, with the placeable header when the options ask
// for it. owner (an HWND, may be null) gives the reference context. 1 on
// success, 0 on failure (told by a message).
int save_emf_as_wmf(void *owner, const char *emf_path);

} // namespace vexl

#endif // VEXL33_HARDCOPY_METAFILE_EXPORT_WIN32_H
