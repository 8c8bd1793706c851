// Text files and enhanced metafiles onto the clipboard.
//
// Everything the clipboard is to hold is made complete before the clipboard
// is opened and emptied, so a failure on the way tells the user and leaves
// the clipboard as it was. What the clipboard takes becomes its own; what it
// does not take is given back by its owner.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "core/c_boundary.h"
#include "hardcopy/export_handles_win32.h"
#include "plot/gplot.h"
#include "plot/gplot_win32.h"
#include "support/rtk_files.h"
#include "support/rtk_memory.h"

namespace {

constexpr char kClipboardError[] = "Clipboard Error";

void tell(const char *text, const char *title) {
    vexl_displayMsg(text, title, MSG_ERROR);
}

// A moveable, zero-filled block of the file's bytes and a closing NUL, or
// null. Bytes the file no longer has (it shrank since it was measured)
// stay zero; bytes it gained are left out.
vexl::GlobalBlock text_block(FILE *file, long long size) {
    if (static_cast<unsigned long long>(size) >= SIZE_MAX)
        return nullptr;
    const SIZE_T bytes = static_cast<SIZE_T>(size) + 1;
    vexl::GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    if (!block)
        return nullptr;
    auto *text = static_cast<char *>(GlobalLock(block.get()));
    if (text == nullptr)
        return nullptr;
    for (long long i = 0; i < size; ++i) {
        const int c = std::fgetc(file);
        if (c == EOF)
            break;
        text[i] = static_cast<char>(c);
    }
    GlobalUnlock(block.get());
    return block;
}

// The metafile's bits, copied into a metafile of the clipboard's own, or
// null.
vexl::EnhMetaFile clipboard_copy(HENHMETAFILE metafile) {
    const UINT n = GetEnhMetaFileBits(metafile, 0, nullptr);
    if (n == 0)
        return nullptr;
    vexl::RtkPtr<BYTE> bits(static_cast<BYTE *>(rtk_malloc(n)));
    if (!bits || GetEnhMetaFileBits(metafile, n, bits.get()) != n)
        return nullptr;
    return vexl::EnhMetaFile(SetEnhMetaFileBits(n, bits.get()));
}

} // namespace

extern "C" {

VEXL_API int TEXTtoClipBoard(void *, int, const char *path) VEXL_TRY {
    const long long size = rtk_stat(path);
    if (size < 0) {
        tell("TEXT file open error", kClipboardError);
        return 0;
    }
    vexl::FilePtr file(rtk_fopen(path, "rb"));
    if (!file) {
        tell("TEXT file open error", kClipboardError);
        return 0;
    }
    vexl::GlobalBlock block = text_block(file.get(), size);
    if (!block) {
        tell("TEXT copy to clipboard error", kClipboardError);
        return 0;
    }
    vexl::OpenedClipboard clipboard;
    if (!clipboard) {
        tell("TEXT open clipboard error", kClipboardError);
        return 0;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, block.get()) != nullptr)
        block.release();
    return 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int EMFtoClipBoard(void *, int, const char *path) VEXL_TRY {
    vexl::EnhMetaFile metafile(path != nullptr ? GetEnhMetaFileA(path) : nullptr);
    if (!metafile) {
        tell("EMF file open error", "EMF Error");
        return 0;
    }
    vexl::EnhMetaFile copy = clipboard_copy(metafile.get());
    if (!copy) {
        tell("EMF copy to clipboard error", kClipboardError);
    } else if (vexl::OpenedClipboard clipboard; !clipboard) {
        tell("EMF open clipboard error", kClipboardError);
    } else {
        EmptyClipboard();
        if (SetClipboardData(CF_ENHMETAFILE, copy.get()) != nullptr)
            copy.release();
    }
    return vexl::delete_now(metafile);
}
VEXL_CATCH_RETURN(0)

} // extern "C"
