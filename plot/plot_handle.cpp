// Plot handles: the open calls, close, and the calls that act on a plot as a
// whole. The record is created here, the device is built on it, and a failed
// open never leaves a half-made plot behind.
#include "plot/plot_handle.h"

#include <cstdint>
#include <cstdio>
#include <new>

#include "core/c_boundary.h"
#include "core/errors.h"
#include "core/gxwin_base.h"
#include "devices/device_factory.h"
#include "hardcopy/print_options.h"
#include "plot/clip_settings.h"
#include "support/rtk_files.h"
#include "support/rtk_memory.h"

namespace vexl {

namespace {

void report_construction_exception(ConstructionFailure on_throw) {
    if (GplotErrno != 0)
        return; // the constructor already said what went wrong
    if (on_throw == ConstructionFailure::Hpgl2) {
        std::perror("malloc");
        fail(Error::Hpgl2MallocFailed);
    } else {
        vexl_displayMsg("Memory allocation error.", "Initialization", MSG_ERROR);
        fail(Error::GxwinOutOfMemory);
    }
}

bool build_guarded(GPlot *plot, const DeviceBuilder &build, ConstructionFailure on_throw) {
    clear_error();
    try {
        if (build(plot) && plot->device != nullptr)
            return true;
    } catch (...) {
        report_construction_exception(on_throw);
    }
    // A device that failed part-way must not outlive its plot.
    delete plot->device;
    plot->device = nullptr;
    return false;
}

// flush and the device destructor return nothing: a device whose output did
// not all reach its destination says so by setting a code. Runs one of them
// with the code cleared and says whether it set one; when it did not, the
// earlier code is put back, as a call that succeeds leaves it alone.
template <typename Operation>
bool done_without_error(Operation operation) {
    const int earlier = GplotErrno;
    clear_error();
    operation();
    if (GplotErrno != 0)
        return false;
    GplotErrno = earlier;
    return true;
}

// File and print plots become HP-GL/2 plots when print-to-file in HP-GL/2
// form is chosen; otherwise they record through the Windows graphics device.
GPlot *open_hard_copy(GPlotDevice kind, const char *file, int p1, int p2) {
    if (printToFileSelected() && printToHPGL2Selected()) {
        return open_plot(
            kind,
            [=](GPlot *plot) {
                plot->device_kind = GPLOT_HPGL2;
                return create_hpgl2_device(plot, file, p1, p2);
            },
            ConstructionFailure::Hpgl2);
    }
    return open_plot(
        kind, [=](GPlot *plot) { return create_gdi_device(plot, nullptr, file, p1, p2); },
        ConstructionFailure::Gdi);
}

// Removes a temporary file unless the device that was to own it was built.
class TemporaryFileGuard {
  public:
    explicit TemporaryFileGuard(const char *path) : path_(path) {}
    ~TemporaryFileGuard() {
        if (path_ != nullptr)
            gfile_erasefil(path_);
    }
    TemporaryFileGuard(const TemporaryFileGuard &) = delete;
    TemporaryFileGuard &operator=(const TemporaryFileGuard &) = delete;
    void keep() { path_ = nullptr; }

  private:
    const char *path_;
};

// Each clipboard plot keeps its own copy of its temporary file name in its
// device; this buffer only carries the newest name to the constructor.
char clipboard_file_name[4096];

} // namespace

GPlot *open_plot(GPlotDevice kind, const DeviceBuilder &build, ConstructionFailure on_throw) {
    RtkPtr<GPlot> plot(static_cast<GPlot *>(rtk_calloc(1, sizeof(GPlot))));
    if (!plot) {
        fail(Error::MallocFailed);
        return nullptr;
    }
    plot->device_kind = kind;
    plot->tab_stop = gftable_get_global_font_tabstop();
    plot->justification = 1;
    const ClipSettings clipping = read_clip_settings(kind);
    plot->clip_mode = clipping.clip_mode;
    plot->arc_clipping = clipping.arc_clipping;
    plot->arc_step = clipping.arc_step;

    if (!build_guarded(plot.get(), build, on_throw))
        return nullptr;
    return plot.release();
}

} // namespace vexl

using vexl::plot_is_valid;

extern "C" {

VEXL_API GPlot *gplot_open(GPlotDevice kind, void *a, void *b, void *c, void *d) VEXL_TRY {
    const auto as_int = [](void *value) {
        return static_cast<int>(reinterpret_cast<std::intptr_t>(value));
    };
    switch (kind) {
        case GPLOT_HPGL2:
            return gplot_open_hpgl2(static_cast<const char *>(a),
                                    static_cast<DBUnitCode>(as_int(b)), as_int(c));
        case GPLOT_SCREEN:
            return gplot_open_screen(a);
        case GPLOT_FILE:
            return gplot_open_file(static_cast<const char *>(a), as_int(b), as_int(c), d);
        case GPLOT_PRINT:
            return gplot_open_print(static_cast<const char *>(a), as_int(b), as_int(c), d);
        case GPLOT_CLIPBOARD:
            return gplot_open_clipboard(a);
    }
    vexl::fail(vexl::Error::InvalidDeviceType);
    return nullptr;
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API GPlot *gplot_open_hpgl2(const char *file, DBUnitCode units, int value) VEXL_TRY {
    return vexl::open_plot(
        GPLOT_HPGL2,
        [=](GPlot *plot) { return vexl::create_hpgl2_device(plot, file, units, value); },
        vexl::ConstructionFailure::Hpgl2);
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API GPlot *gplot_open_screen(void *window) VEXL_TRY {
    return vexl::open_plot(
        GPLOT_SCREEN,
        [=](GPlot *plot) { return vexl::create_gdi_device(plot, window, nullptr, 0, 0); },
        vexl::ConstructionFailure::Gdi);
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API GPlot *gplot_open_file(const char *file, int p1, int p2, void *) VEXL_TRY {
    return vexl::open_hard_copy(GPLOT_FILE, file, p1, p2);
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API GPlot *gplot_open_print(const char *file, int p1, int p2, void *) VEXL_TRY {
    return vexl::open_hard_copy(GPLOT_PRINT, file, p1, p2);
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API GPlot *gplot_open_clipboard(void *) VEXL_TRY {
    return vexl::open_plot(
        GPLOT_CLIPBOARD,
        [](GPlot *plot) {
            plot->keep_clipboard_file = 0;
            char *name = rtk_tmpnam(vexl::clipboard_file_name, sizeof vexl::clipboard_file_name);
            if (name == nullptr)
                return vexl::fail(vexl::Error::FileOpenFailed) != 0;
            vexl::TemporaryFileGuard unused_file(name);
            if (!vexl::create_gdi_device(plot, nullptr, name, 0, 0))
                return false;
            unused_file.keep();
            return true;
        },
        vexl::ConstructionFailure::Gdi);
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API int gplot_close(GPlot *plot) VEXL_TRY {
    if (!plot_is_valid(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    // The plot is released even when its output was lost: there is nothing
    // left to retry with.
    const bool closed = vexl::done_without_error([plot] { delete plot->device; });
    plot->device = nullptr;
    rtk_free(plot);
    return closed ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_clear(GPlot *plot) VEXL_TRY {
    if (!plot_is_valid(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    return plot->device->clear() ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_flush(GPlot *plot) VEXL_TRY {
    if (!plot_is_valid(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    return vexl::done_without_error([plot] { plot->device->flush(); }) ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_buffer_mode(GPlot *plot, int on) VEXL_TRY {
    if (!plot_is_valid(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    return plot->device->set_buffer_mode(on != 0) ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_buffer_mode(GPlot *plot) VEXL_TRY {
    if (!plot_is_valid(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    return plot->device->buffer_mode ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_resize_plot(GPlot *plot) VEXL_TRY {
    if (!plot_is_valid(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    return plot->device->resize_plot() ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_force_display_repaint(GPlot *plot) VEXL_TRY {
    if (!plot_is_valid(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    plot->device->force_display_repaint();
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_save_clipboard_to_file(GPlot *plot, const char *file) VEXL_TRY {
    if (!plot_is_valid(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    if (file == nullptr || file[0] == '\0')
        return 1;
    return plot->device->save_clipboard_to_file(file) ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
