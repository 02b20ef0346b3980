#pragma once
// Shows the wait cursor for the lifetime of the guard. The front end installs
// the hook (the Qt app sets and restores an override cursor); without a hook
// the guard does nothing. Guards may nest.

#include <functional>

class BusyCursor {
public:
    // Called with true when the outermost guard starts and false when it ends.
    using Hook = std::function<void(bool busy)>;
    static void setHook(Hook hook);

    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    static int depth();
};
