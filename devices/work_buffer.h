// Scratch storage for the array operations of the device layers.
//
// Converting an array of points from one layer to the next needs room for the
// converted copy. Allocating it on every call would make drawing a long
// poly-line cost an allocation each time, so each array operation keeps one
// buffer for the life of the library: it grows when a call needs more and is
// reused otherwise. The library is driven from a single graphics thread, so the
// buffers are process-wide and unguarded. Operations that call one another
// must use different buffers, since the caller's converted copy is still being
// read while the callee fills its own.
#ifndef VEXL33_DEVICES_WORK_BUFFER_H
#define VEXL33_DEVICES_WORK_BUFFER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace vexl {

template <class T>
class WorkBuffer {
  public:
    // Makes room for `count` elements, growing at most once. False when the
    // count cannot be addressed or the memory cannot be had; the old storage
    // is then kept. Never throws.
    bool fit(uint64_t count) noexcept {
        if (count <= capacity_)
            return true;
        if (count > SIZE_MAX / sizeof(T))
            return false;
        std::unique_ptr<T[]> grown(new (std::nothrow) T[static_cast<std::size_t>(count)]);
        if (!grown)
            return false;
        storage_ = std::move(grown);
        capacity_ = static_cast<std::size_t>(count);
        return true;
    }

    // Valid after a successful fit; null while nothing was ever needed.
    T *data() noexcept { return storage_.get(); }

    std::size_t capacity() const noexcept { return capacity_; }

  private:
    std::unique_ptr<T[]> storage_;
    std::size_t capacity_ = 0;
};

// A count that may be negative, as the number of elements to convert.
inline uint64_t element_count(int32_t n, uint64_t per_item) {
    return n > 0 ? static_cast<uint64_t>(n) * per_item : 0;
}

} // namespace vexl

#endif // VEXL33_DEVICES_WORK_BUFFER_H
