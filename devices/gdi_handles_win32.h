// Owners for the GDI objects and device contexts of the Windows graphics
// device.
//
// Every pen, brush, bitmap, region and context the device makes is held by
// one of these from the moment it exists, so a constructor or a drawing call
// that fails half-way gives back everything it had already obtained. Their
// destruction order matters to GDI: an object still selected into a context
// cannot be deleted, so a ScopedSelection (which puts the previous object
// back) must be declared after the object it selects and the context it
// selects into, and so ends first.
#ifndef VEXL33_DEVICES_GDI_HANDLES_WIN32_H
#define VEXL33_DEVICES_GDI_HANDLES_WIN32_H

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

#include "plot/gplot_win32.h"

namespace vexl::gdi {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};

// A pen, brush, bitmap or region made by the library.
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

using OwnedPen = GdiObject<HPEN>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedRegion = GdiObject<HRGN>;

struct MemoryDcDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

// A context from CreateCompatibleDC.
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A device context together with the way it was obtained, which says how it
// is given back (FreeDC). A printer context belongs to the print dialog and
// a metafile recording context to the hard copy that opened it, so neither
// is released here.
class DeviceContext {
  public:
    DeviceContext() = default;
    DeviceContext(HWND window, HDC dc, hDCstate state) : window_(window), dc_(dc), state_(state) {}
    ~DeviceContext() { release(); }
    DeviceContext(DeviceContext &&other) noexcept { *this = std::move(other); }
    DeviceContext &operator=(DeviceContext &&other) noexcept {
        if (this != &other) {
            release();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
            state_ = std::exchange(other.state_, HDC_NONE);
        }
        return *this;
    }
    DeviceContext(const DeviceContext &) = delete;
    DeviceContext &operator=(const DeviceContext &) = delete;

    HDC get() const noexcept { return dc_; }
    hDCstate state() const noexcept { return state_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

    void release() noexcept {
        if (dc_ != nullptr && state_ != HDC_PRINTER && state_ != HDC_METAFILE)
            FreeDC(window_, dc_, state_);
        dc_ = nullptr;
        state_ = HDC_NONE;
    }

  private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    hDCstate state_ = HDC_NONE;
};

// Selects an object into a context for one scope and puts back the object it
// replaced. A failed selection (null previous object) restores nothing.
class ScopedSelection {
  public:
    ScopedSelection(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    ScopedSelection(const ScopedSelection &) = delete;
    ScopedSelection &operator=(const ScopedSelection &) = delete;

    bool selected() const noexcept { return previous_ != nullptr && previous_ != HGDI_ERROR; }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The pen and brush a device keeps selected in its context. A new one is
// selected by the select-or-delete rule: when GDI takes it, the device's
// previous one is deleted; when GDI refuses it, it is deleted and the
// previous one stays selected (deleting an object still selected would fail
// and leak it). Objects the context had before are never deleted: they are
// someone else's (a class or own context keeps what its window selected), and
// are put back before the device's own are deleted.
class SelectedObjects {
  public:
    SelectedObjects() = default;
    ~SelectedObjects() { restore(); }
    SelectedObjects(const SelectedObjects &) = delete;
    SelectedObjects &operator=(const SelectedObjects &) = delete;

    void attach(HDC dc) noexcept { dc_ = dc; }

    bool select_pen(OwnedPen pen) noexcept { return select(std::move(pen), pen_, original_pen_); }
    bool select_brush(OwnedBrush brush) noexcept {
        return select(std::move(brush), brush_, original_brush_);
    }
    HPEN pen() const noexcept { return pen_.get(); }
    HBRUSH brush() const noexcept { return brush_.get(); }

    // Puts the context's own objects back and deletes the device's.
    void restore() noexcept {
        if (dc_ != nullptr) {
            if (original_pen_ != nullptr)
                SelectObject(dc_, original_pen_);
            if (original_brush_ != nullptr)
                SelectObject(dc_, original_brush_);
        }
        original_pen_ = original_brush_ = nullptr;
        pen_.reset();
        brush_.reset();
    }

  private:
    template <class Owned>
    bool select(Owned object, Owned &kept, HGDIOBJ &original) noexcept {
        if (!object || dc_ == nullptr)
            return false;
        HGDIOBJ previous = SelectObject(dc_, object.get());
        if (previous == nullptr || previous == HGDI_ERROR)
            return false; // object deleted on return; the previous stays
        if (original == nullptr && previous != kept.get())
            original = previous;
        kept = std::move(object); // deletes the device's previous one
        return true;
    }

    HDC dc_ = nullptr;
    HGDIOBJ original_pen_ = nullptr;
    HGDIOBJ original_brush_ = nullptr;
    OwnedPen pen_;
    OwnedBrush brush_;
};

// Saves the background and text colours a drawing call changes on a context
// and puts them back when the call ends, whichever way it ends.
class SavedColours {
  public:
    explicit SavedColours(HDC dc) noexcept
        : dc_(dc), background_(GetBkColor(dc)), text_(GetTextColor(dc)) {}
    ~SavedColours() {
        SetBkColor(dc_, background_);
        SetTextColor(dc_, text_);
    }
    SavedColours(const SavedColours &) = delete;
    SavedColours &operator=(const SavedColours &) = delete;

  private:
    HDC dc_;
    COLORREF background_;
    COLORREF text_;
};

// The same for the raster operation of lines and fills.
class SavedRasterOperation {
  public:
    explicit SavedRasterOperation(HDC dc) noexcept : dc_(dc), operation_(GetROP2(dc)) {}
    ~SavedRasterOperation() { SetROP2(dc_, operation_); }
    SavedRasterOperation(const SavedRasterOperation &) = delete;
    SavedRasterOperation &operator=(const SavedRasterOperation &) = delete;

  private:
    HDC dc_;
    int operation_;
};

} // namespace vexl::gdi

#endif // VEXL33_DEVICES_GDI_HANDLES_WIN32_H
