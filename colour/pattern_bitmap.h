// The device bitmap of one fill pattern: 16 x 16 pixels, one plane, one bit
// per pixel, rows of 2 bytes, most significant bit leftmost, 0 = set pixel.
//
// On Windows it is a GDI bitmap (HBITMAP) the GDI device turns into a
// pattern brush; elsewhere there is no such device object, so the handle is an
// opaque block holding the same bits. Either way the handle is the pattern's
// pixmap id and lives exactly as long as the last PatternBitmap sharing it:
// the default solid pattern may sit both in the table and beside it, and both
// must answer with the same id.
#ifndef VEXL33_COLOUR_PATTERN_BITMAP_H
#define VEXL33_COLOUR_PATTERN_BITMAP_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace vexl {

inline constexpr int32_t kPatternSide = 16;
inline constexpr std::size_t kPatternBytes = 32; // 16 rows of 2 bytes

using PatternBits = std::array<uint8_t, kPatternBytes>;

namespace detail {
// The platform's bitmap over these bits, or null when it cannot be made.
void *create_pattern_handle(const PatternBits &bits);
// Releases a handle from create_pattern_handle; null is ignored.
void destroy_pattern_handle(void *handle);
} // namespace detail

class PatternBitmap {
  public:
    PatternBitmap() = default;

    // The device bitmap of these bits; an empty PatternBitmap when the
    // platform cannot make one.
    static PatternBitmap create(const PatternBits &bits) {
        void *handle = detail::create_pattern_handle(bits);
        if (!handle)
            return {};
        PatternBitmap bitmap;
        try {
            // On failure shared_ptr releases the handle itself.
            bitmap.handle_ = std::shared_ptr<void>(handle, &detail::destroy_pattern_handle);
        } catch (const std::bad_alloc &) {
            return {};
        }
        return bitmap;
    }

    void *handle() const noexcept { return handle_.get(); }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

  private:
    std::shared_ptr<void> handle_;
};

} // namespace vexl

#endif // VEXL33_COLOUR_PATTERN_BITMAP_H
