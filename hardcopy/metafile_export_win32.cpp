// Enhanced metafile to Windows metafile conversion.
//
// GDI converts the recording against the window's context (the screen's
// when the window gives none) in MM_ANISOTROPIC, so the picture keeps its
// proportions and a reader may scale it freely. The placeable header, when
// asked for, gives that context's size at 1000 units per inch. Every handle,
// the context and the buffer are held by owners, so each failure gives all
// of them back; a file whose metafile could not be written whole is removed
// rather than left as a broken picture.
#include "hardcopy/metafile_export_win32.h"

#include <windows.h>

#include <optional>
#include <string>

#include "hardcopy/export_handles_win32.h"
#include "hardcopy/placeable_metafile.h"
#include "hardcopy/print_options.h"
#include "plot/gplot.h"
#include "support/rtk_memory.h"

namespace vexl {

namespace {

constexpr char kWmfError[] = "WMF Error";
constexpr char kNoPlaceableHeader[] = "Unable to create Aldus placable metafile.\n"
                                      "Creating standard Windows metafile instead.";

void tell(const char *text) {
    vexl_displayMsg(text, kWmfError, MSG_ERROR);
}

WindowDc reference_context(HWND owner) {
    WindowDc window(owner);
    if (window.get() != nullptr)
        return window;
    return WindowDc(nullptr);
}

// The Windows metafile bits of a recording, and the header that goes in
// front of them when one is wanted.
struct Conversion {
    RtkPtr<BYTE> bits;
    UINT size = 0;
    std::optional<PlaceableHeader> header;
};

// Converts, or tells why it could not and gives nothing.
std::optional<Conversion> convert(HENHMETAFILE metafile, HWND owner, bool with_header) {
    const WindowDc reference = reference_context(owner);
    const UINT n = GetWinMetaFileBits(metafile, 0, nullptr, MM_ANISOTROPIC, reference.get());
    if (n == 0) {
        tell("EMF to WMF conversion error");
        return std::nullopt;
    }
    Conversion out;
    out.bits.reset(static_cast<BYTE *>(rtk_malloc(n)));
    if (!out.bits) {
        tell("EMF to WMF memory error");
        return std::nullopt;
    }
    out.size = GetWinMetaFileBits(metafile, n, out.bits.get(), MM_ANISOTROPIC, reference.get());
    if (out.size == 0 || out.size > n) {
        tell("EMF to WMF conversion error");
        return std::nullopt;
    }
    if (with_header)
        out.header = placeable_header(GetDeviceCaps(reference.get(), HORZRES),
                                      GetDeviceCaps(reference.get(), VERTRES));
    return out;
}

class FileSink : public MetafileSink {
  public:
    explicit FileSink(HANDLE file) : file_(file) {}
    bool write(const unsigned char *bytes, std::size_t n) override {
        while (n > 0) {
            const DWORD chunk = n > MAXDWORD ? MAXDWORD : static_cast<DWORD>(n);
            DWORD written = 0;
            if (!WriteFile(file_, bytes, chunk, &written, nullptr) || written == 0)
                return false;
            bytes += written;
            n -= written;
        }
        return true;
    }
    bool set_position(std::size_t offset) override {
        LARGE_INTEGER where{};
        where.QuadPart = static_cast<LONGLONG>(offset);
        return SetFilePointerEx(file_, where, nullptr, FILE_BEGIN) != FALSE;
    }

  private:
    HANDLE file_;
};

} // namespace

int save_emf_as_wmf(void *owner, const char *emf_path) {
    EnhMetaFile metafile(emf_path != nullptr ? GetEnhMetaFileA(emf_path) : nullptr);
    if (!metafile) {
        tell("EMF file open error");
        return 0;
    }
    const PrintOptions &options = print_options();
    std::optional<Conversion> wmf =
        convert(metafile.get(), static_cast<HWND>(owner), options.aldusPlaceable != 0);
    if (!wmf)
        return 0;

    const std::string target = options.printToFileName;
    FileHandle file(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        tell("Unable to create WMF");
        return 0;
    }
    FileSink sink(file.get());
    const MetafileWriteResult written =
        write_metafile(sink, wmf->bits.get(), wmf->size, wmf->header ? &*wmf->header : nullptr);
    if (written.header_dropped)
        tell(kNoPlaceableHeader);
    file.close();
    if (!written.written) {
        DeleteFileA(target.c_str());
        tell("Unable to create WMF");
        return 0;
    }
    return 1;
}

} // namespace vexl
