// The guarded print calls: each runs its entry of the print-operation table
// unless a call of its guard is already running. A dialog's message loop may
// call back into the library (through the companion module's hooks or the
// application's window procedures); a second dialog or a second print job
// started from there would run on the same options and printer context as
// the first, so it is refused instead.
#ifndef VEXL33_HARDCOPY_PRINT_CALLS_H
#define VEXL33_HARDCOPY_PRINT_CALLS_H

namespace vexl {

// Marks a guard busy for its lifetime when it was free; when it was busy,
// tells the user and leaves it alone.
class PrintCallGuard {
  public:
    explicit PrintCallGuard(bool &busy);
    ~PrintCallGuard();
    PrintCallGuard(const PrintCallGuard &) = delete;
    PrintCallGuard &operator=(const PrintCallGuard &) = delete;

    bool entered() const { return entered_; }

  private:
    bool &busy_;
    bool entered_;
};

} // namespace vexl

#endif // VEXL33_HARDCOPY_PRINT_CALLS_H
