// The plot file's stream handling: opening, flushing and closing with their
// results, and the process-wide list of open plot files that is drained when
// the process exits.
#include "devices/ghpgl2_writer.h"

#include <cstdlib>

namespace vexl {

namespace {

// Plot files open in this process, the newest first. Plain pointers, so the
// list needs no construction and no destruction, and is whole for as long as
// an exit handler may look at it.
PlotFile *newest_open_file = nullptr;
bool exit_handler_registered = false;
bool process_exiting = false;

} // namespace

void PlotFile::open(FilePtr stream) {
    close();
    if (!block_)
        block_.reset(new char[kBlockSize]);
    // A plot opened by an exit handler that runs after the library's has no
    // later drain to count on.
    capacity_ = process_exiting ? 0 : kBlockSize;
    stream_ = std::move(stream);
    enlist();
}

bool PlotFile::flush() {
    if (!stream_)
        return true;
    drain();
    const bool flushed = std::fflush(stream_.get()) == 0;
    // The error flag stays set from any earlier write that failed.
    return flushed && std::ferror(stream_.get()) == 0;
}

bool PlotFile::close() {
    if (!stream_)
        return true;
    leave_list();
    drain();
    const bool written = std::ferror(stream_.get()) == 0;
    // fclose flushes the stream's own buffer: its failure is a write failure.
    const bool closed = rtk_fclose(stream_.release()) == 0;
    return written && closed;
}

void PlotFile::enlist() {
    // One handler for the whole process. If it cannot be registered the
    // files are still written on flush and close; the next open tries again.
    if (!exit_handler_registered)
        exit_handler_registered = std::atexit(drain_all_at_exit) == 0;
    older_ = newest_open_file;
    newer_ = nullptr;
    if (older_ != nullptr)
        older_->newer_ = this;
    newest_open_file = this;
}

void PlotFile::leave_list() {
    if (newer_ != nullptr)
        newer_->older_ = older_;
    else
        newest_open_file = older_;
    if (older_ != nullptr)
        older_->newer_ = newer_;
    newer_ = older_ = nullptr;
}

// Runs in exit(), before the C library flushes its streams; from a DLL on
// Windows it runs when the DLL is detached, after that flush, and so flushes
// each stream itself. The streams stay open: the C library closes them.
void PlotFile::drain_all_at_exit() {
    process_exiting = true;
    for (PlotFile *file = newest_open_file; file != nullptr; file = file->older_) {
        file->flush();
        file->capacity_ = 0;
    }
}

} // namespace vexl
