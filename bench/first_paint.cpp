// Preloaded into a Qt Widgets program (LD_PRELOAD) to end it at its first
// paint on a platform where no one outside can see it (offscreen): once the
// first drawing has gone from the backing store to the window, it writes one
// byte to the descriptor named by FIRST_PAINT_FD, if any, and exits at once,
// so that the peak memory is that of the start alone. Free of Qt: it takes
// QBackingStore::flush by its linker name, which QtWidgets calls across
// libraries, and hands the call on to Qt's own.

#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

#define FLUSH_SYMBOL "_ZN13QBackingStore5flushERK7QRegionP7QWindowRK6QPoint"

// The member function's arguments as the ABI passes them: this first,
// references as pointers.
extern "C" void firstPaintFlush(void *store, const void *region, void *window,
                                const void *offset) __asm__(FLUSH_SYMBOL);

extern "C" __attribute__((visibility("default"))) void firstPaintFlush(void *store, const void *region, void *window,
                                                                       const void *offset)
{
    using Flush = void (*)(void *, const void *, void *, const void *);
    if (auto qtFlush = reinterpret_cast<Flush>(dlsym(RTLD_NEXT, FLUSH_SYMBOL)))
        qtFlush(store, region, window, offset);
    if (const char *fd = std::getenv("FIRST_PAINT_FD")) {
        const char painted = 'p';
        [[maybe_unused]] const ssize_t written = write(std::atoi(fd), &painted, 1);
    }
    _exit(0);
}
