// Preloaded into a program (LD_PRELOAD) to see where its start-up goes
// without a profiler: it notes when main() is entered and times the calls
// the program makes into Qt and fontconfig for the known start-up jobs.
// At exit it writes one line per timed call to $TILEMERE_PHASES_FILE:
//   main <ns>                              when main() was entered
//   <phase> <gui|worker> <start ns> <end ns>
// Times are CLOCK_MONOTONIC, so the caller can set them against its own.
// Only the outermost timed call of a thread counts, so nothing is counted
// twice.
#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::uint64_t now()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<std::uint64_t>(time.tv_sec) * 1000000000u + static_cast<std::uint64_t>(time.tv_nsec);
}

struct Call {
    const char *phase;
    bool gui;
    std::uint64_t start, end;
};

constexpr int capacity = 1 << 16;
Call calls[capacity];
std::atomic<int> callCount{0};
std::uint64_t mainEntered = 0;
thread_local int depth = 0;

void note(const char *phase, std::uint64_t start)
{
    const int at = callCount.fetch_add(1);
    if (at < capacity)
        calls[at] = {phase, gettid() == getpid(), start, now()};
}

using Entry = std::uintptr_t (*)(std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t,
                                 std::uintptr_t);

// Every hooked routine takes at most six integer or pointer arguments (a
// returned class travels as a hidden pointer, a small view in two
// registers), so one forwarder serves them all.
template <const char *symbol, const char *phase>
std::uintptr_t timed(std::uintptr_t a, std::uintptr_t b, std::uintptr_t c, std::uintptr_t d, std::uintptr_t e,
                     std::uintptr_t f)
{
    static const auto real = reinterpret_cast<Entry>(dlsym(RTLD_NEXT, symbol));
    if (!real)
        std::abort();
    const std::uint64_t start = now();
    ++depth;
    const std::uintptr_t result = real(a, b, c, d, e, f);
    if (--depth == 0)
        note(phase, start);
    return result;
}

__attribute__((destructor)) void writeCalls()
{
    const char *path = std::getenv("TILEMERE_PHASES_FILE");
    FILE *out = path ? std::fopen(path, "w") : nullptr;
    if (!out)
        return;
    std::fprintf(out, "main %llu\n", static_cast<unsigned long long>(mainEntered));
    const int count = callCount.load() < capacity ? callCount.load() : capacity;
    for (int i = 0; i < count; ++i)
        std::fprintf(out, "%s %s %llu %llu\n", calls[i].phase, calls[i].gui ? "gui" : "worker",
                     static_cast<unsigned long long>(calls[i].start), static_cast<unsigned long long>(calls[i].end));
    std::fclose(out);
}

using Main = int (*)(int, char **, char **);
Main realMain = nullptr;

int timedMain(int argc, char **argv, char **environment)
{
    mainEntered = now();
    return realMain(argc, argv, environment);
}

} // namespace

#define TIMED(name, symbol, phase)                                                                             \
    namespace {                                                                                                \
    constexpr char name##Symbol[] = symbol;                                                                    \
    constexpr char name##Phase[] = phase;                                                                      \
    }                                                                                                          \
    extern "C" std::uintptr_t name(std::uintptr_t a, std::uintptr_t b, std::uintptr_t c, std::uintptr_t d,   \
                                   std::uintptr_t e, std::uintptr_t f)                                         \
    {                                                                                                          \
        return timed<name##Symbol, name##Phase>(a, b, c, d, e, f);                                             \
    }

// The names are the mangled ones the programs import.
TIMED(_ZN12QApplicationC1ERiPPci, "_ZN12QApplicationC1ERiPPci", "qt_and_display")
// Pictures: through Qt's readers, libjpeg (a call per row, and one that
// starts each picture, for counting) and libdeflate (PNG).
TIMED(_ZN12QImageReader4readEv, "_ZN12QImageReader4readEv", "picture_decodes")
TIMED(jpeg_read_scanlines, "jpeg_read_scanlines", "picture_rows")
TIMED(jpeg_start_decompress, "jpeg_start_decompress", "picture_starts")
TIMED(libdeflate_zlib_decompress, "libdeflate_zlib_decompress", "picture_decodes")
TIMED(_ZN13QMediaDevices18defaultAudioOutputEv, "_ZN13QMediaDevices18defaultAudioOutputEv", "audio_output")
TIMED(_ZN10QAudioSinkC1ERK12QAudioDeviceRK12QAudioFormatP7QObject,
      "_ZN10QAudioSinkC1ERK12QAudioDeviceRK12QAudioFormatP7QObject", "audio_output")
TIMED(_ZN12QStorageInfo14mountedVolumesEv, "_ZN12QStorageInfo14mountedVolumesEv", "drive_list")
TIMED(_ZN9QSettingsC1ERK7QStringNS_6FormatEP7QObject, "_ZN9QSettingsC1ERK7QStringNS_6FormatEP7QObject", "store")
TIMED(_ZN9QSettingsC1ERK7QStringS2_P7QObject, "_ZN9QSettingsC1ERK7QStringS2_P7QObject", "store")
TIMED(_ZNK9QSettings5valueE14QAnyStringView, "_ZNK9QSettings5valueE14QAnyStringView", "store")
TIMED(FcInit, "FcInit", "fonts")
TIMED(FcFontList, "FcFontList", "fonts")
TIMED(FcFontSort, "FcFontSort", "fonts")
TIMED(FcFontMatch, "FcFontMatch", "fonts")
TIMED(FcConfigGetCurrent, "FcConfigGetCurrent", "fonts")

extern "C" int __libc_start_main(Main main, int argc, char **argv, void (*init)(), void (*fini)(),
                                 void (*rtldFini)(), void *stackEnd)
{
    using Start = int (*)(Main, int, char **, void (*)(), void (*)(), void (*)(), void *);
    const auto real = reinterpret_cast<Start>(dlsym(RTLD_NEXT, "__libc_start_main"));
    realMain = main;
    return real(timedMain, argc, argv, init, fini, rtldFini, stackEnd);
}
