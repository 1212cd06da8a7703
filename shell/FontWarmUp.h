#pragma once
// Fontconfig reads its configuration and font caches the first time any
// text is measured, a few milliseconds on the window's own thread. Started
// before the application object, that reading happens on another core while
// Qt connects to the display server, which leaves that core mostly idle.

#include <thread>

namespace tilemere {

class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Waits until fontconfig is ready. Call it before the first widget is
    // made: had Qt started reading too, both would read it all.
    void wait();

private:
    std::thread reader_;
};

} // namespace tilemere
