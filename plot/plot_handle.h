// Opening plots, inside the library: the record, the clipping settings and
// the guarded construction of the device.
#ifndef VEXL33_PLOT_PLOT_HANDLE_H
#define VEXL33_PLOT_PLOT_HANDLE_H

#include "core/errors.h"
#include "plot/gplot.h"

namespace vexl {

// Builds the device on a fresh record; true when plot->device is set, false
// with GplotErrno saying why. May throw; the caller turns that into a code.
// It refers to the caller's callable without copying it: a std::function
// would allocate for a capture larger than its small buffer (on 32 bits the
// open calls' file, units and value already are), and running out of memory
// there would be reported as the open call's own failure, not the device's.
class DeviceBuilder {
  public:
    template <typename Build>
    DeviceBuilder(const Build &build) // NOLINT: lambdas convert implicitly
        : build_(&build), call_([](const void *callable, GPlot *plot) -> bool {
              return (*static_cast<const Build *>(callable))(plot);
          }) {}
    bool operator()(GPlot *plot) const { return call_(build_, plot); }

  private:
    const void *build_;
    bool (*call_)(const void *build, GPlot *plot);
};

// What an exception from a device constructor means for the caller.
enum class ConstructionFailure {
    Hpgl2, // code 22 and a perror-style line for "malloc"
    Gdi,   // code 35 and the "Memory allocation error." message
};

// Opens a plot of the given kind: allocates the zero-filled record, applies
// the open-time defaults and clipping settings, clears GplotErrno and runs
// build. On failure the record is released and null returned; GplotErrno
// keeps the code the construction left.
GPlot *open_plot(GPlotDevice kind, const DeviceBuilder &build, ConstructionFailure on_throw);

// A plot whose device may be used: non-null and still holding its device.
inline bool plot_is_valid(const GPlot *plot) {
    return plot != nullptr && plot->device != nullptr;
}

// Whether a call on plot must stop before doing anything: the plot cannot be
// used (code 1), or else its other arguments are bad (code 10).
inline bool refused(const GPlot *plot, bool bad_arguments = false) {
    if (!plot_is_valid(plot))
        return fail(Error::InvalidPlot) == 0;
    if (bad_arguments)
        return fail(Error::InvalidArgument) == 0;
    return false;
}

} // namespace vexl

#endif // VEXL33_PLOT_PLOT_HANDLE_H
