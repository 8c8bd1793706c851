// A growable list of world points that the clippers and the arc flattener
// fill one call at a time.
//
// Growth never throws: a failed allocation makes the list stick in a failed
// state (further points are dropped), which the drawing call turns into code
// 13 instead of drawing a shape with points missing.
#ifndef VEXL33_PLOT_POINT_LIST_H
#define VEXL33_PLOT_POINT_LIST_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "plot/gplot.h"
#include "support/rtk_memory.h"

namespace vexl {

class PointList {
  public:
    // Room for `reserve` points from the start. The first points are kept
    // in the list itself: clipping makes a list for every shape it draws,
    // and most clipped shapes are small enough never to need the heap.
    explicit PointList(std::size_t reserve = 0) {
        if (reserve > kInlineCapacity)
            grow_to(reserve);
    }
    PointList(const PointList &) = delete;
    PointList &operator=(const PointList &) = delete;

    // Appends p; with skip_repeat a point equal to the last one is not
    // appended again.
    void append(const WorldPointS &p, bool skip_repeat = false) {
        if (skip_repeat && size_ > 0 && same(points_[size_ - 1], p))
            return;
        if (size_ == capacity_ && !grow_to(capacity_ * 2))
            return;
        points_[size_++] = p;
    }
    // Drops the last point (none when empty).
    void remove_last() {
        if (size_ > 0)
            --size_;
    }
    void clear() { size_ = 0; }
    // Keeps only the last `count` points, moved to the front.
    void keep_last(std::size_t count) {
        if (count >= size_)
            return;
        std::memmove(points_, points_ + (size_ - count), count * sizeof(WorldPointS));
        size_ = count;
    }

    bool empty() const { return size_ == 0; }
    // At most INT32_MAX points fit, since the devices take int32 counts.
    int32_t size() const { return static_cast<int32_t>(size_); }
    WorldPointS *data() { return points_; }
    const WorldPointS &front() const { return points_[0]; }
    const WorldPointS &back() const { return points_[size_ - 1]; }
    const WorldPointS &operator[](std::size_t i) const { return points_[i]; }
    // True once a point could not be stored.
    bool failed() const { return failed_; }

    static bool same(const WorldPointS &a, const WorldPointS &b) {
        return a.x == b.x && a.y == b.y;
    }

  private:
    static constexpr std::size_t kInlineCapacity = 32;

    bool grow_to(std::size_t wanted) {
        if (wanted > static_cast<std::size_t>(INT32_MAX) ||
            wanted > SIZE_MAX / sizeof(WorldPointS)) {
            failed_ = true;
            return false;
        }
        void *grown = rtk_malloc(wanted * sizeof(WorldPointS));
        if (grown == nullptr) {
            failed_ = true;
            return false;
        }
        if (size_ > 0)
            std::memcpy(grown, points_, size_ * sizeof(WorldPointS));
        heap_.reset(static_cast<WorldPointS *>(grown)); // frees an earlier block
        points_ = heap_.get();
        capacity_ = wanted;
        return true;
    }

    WorldPointS inline_points_[kInlineCapacity];
    WorldPointS *points_ = inline_points_;
    RtkPtr<WorldPointS> heap_;
    std::size_t size_ = 0;
    std::size_t capacity_ = kInlineCapacity;
    bool failed_ = false;
};

} // namespace vexl

#endif // VEXL33_PLOT_POINT_LIST_H
