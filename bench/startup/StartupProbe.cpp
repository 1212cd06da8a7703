// Starts a program on the X display and watches its window from outside,
// through the DAMAGE extension, so nothing inside the program is touched.
// Each repaint costs the server and this probe only a copy of what it
// changed, so a program that repaints often is not slowed by its watcher.
//
//   startup_probe TITLE SLOTS -- PROGRAM [ARGS...]
//
// Prints one line of "name=value" figures: start_ns, the CLOCK_MONOTONIC
// time just before exec, and times in ms from then:
//   mapped   the top-level window titled TITLE is mapped
//   drawn    its pixels first hold more than one colour (the server starts
//            with a black root and windows without a background, so an
//            undrawn window is one colour; Qt flushes a whole paint at once)
//   slots    when SLOTS is 1: every thumbnail slot of the front screen
//            holds a picture (at least 8 colours), else -1
//   rss_kib, rss_anon_kib, rss_file_kib, libraries: /proc figures once the
//            window has had no damage for half a second
// Then the window is asked to close as a window manager would; a program
// that does not end within five seconds is killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/Xfixes.h>

#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unordered_set>

namespace {

double nowMs()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return time.tv_sec * 1000.0 + time.tv_nsec / 1e6;
}

// Windows come and go while we look at them; a vanished one is not an error.
int ignoreErrors(Display *, XErrorEvent *) { return 0; }

std::string title(Display *display, Window window)
{
    XTextProperty property{};
    std::string text;
    if (XGetWMName(display, window, &property) && property.value) {
        text.assign(reinterpret_cast<char *>(property.value), property.nitems);
        XFree(property.value);
    }
    return text;
}

int distinctColours(XImage *image, int x, int y, int width, int height, std::size_t enough)
{
    std::unordered_set<unsigned long> seen;
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column) {
            seen.insert(XGetPixel(image, column, row));
            if (seen.size() >= enough)
                return static_cast<int>(seen.size());
        }
    return static_cast<int>(seen.size());
}

// The nine thumbnail slots of the front screen, in window pixels, a little
// inside their edges.
bool allSlotsFilled(XImage *image)
{
    for (int slot = 0; slot < 9; ++slot) {
        const int x = 272 + 16 + 144 * (slot % 3) + 3, y = 16 + 32 + 128 * (slot / 3) + 3;
        if (x + 115 > image->width || y + 99 > image->height || distinctColours(image, x, y, 115, 99, 8) < 8)
            return false;
    }
    return true;
}

long statusField(pid_t pid, const char *name)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(name, 0) == 0)
            return std::stol(line.substr(std::strlen(name)));
    return -1;
}

int libraryCount(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> libraries;
    std::string line;
    while (std::getline(maps, line)) {
        const auto at = line.find('/');
        if (at != std::string::npos && line.find(".so", at) != std::string::npos)
            libraries.insert(line.substr(at));
    }
    return static_cast<int>(libraries.size());
}

void askToClose(Display *display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5 || std::strcmp(argv[3], "--") != 0) {
        std::fprintf(stderr, "usage: %s TITLE SLOTS -- PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string wanted = argv[1];
    const bool watchSlots = std::strcmp(argv[2], "1") == 0;
    Display *display = XOpenDisplay(nullptr);
    int damageEvent = 0, damageError = 0;
    int fixesEvent = 0, fixesError = 0, fixesMajor = 2, fixesMinor = 0;
    if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError) ||
        !XFixesQueryExtension(display, &fixesEvent, &fixesError) || !XFixesQueryVersion(display, &fixesMajor, &fixesMinor)) {
        std::fprintf(stderr, "no X display with the DAMAGE and XFIXES extensions\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[4], argv + 4);
        _exit(127);
    }

    std::map<Window, Damage> damages;
    XImage *image = nullptr; // the target window as last seen
    Window target = 0;
    double mapped = -1, drawn = -1, slots = -1, lastDamage = 0;
    bool settled = false, exited = false;
    int exitStatus = 0;
    const double giveUp = start + 60000;
    const int connection = ConnectionNumber(display);
    while (!settled && !exited && nowMs() < giveUp) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            const double at = nowMs() - start;
            if (event.type == CreateNotify) {
                // Watched from birth: the first paint may come before we see the map.
                damages[event.xcreatewindow.window] =
                    XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            } else if (event.type == MapNotify && !target && title(display, event.xmap.window) == wanted) {
                target = event.xmap.window;
                mapped = at;
            } else if (event.type == damageEvent + XDamageNotify) {
                const auto *notify = reinterpret_cast<XDamageNotifyEvent *>(&event);
                // Taken whole: what was damaged since the report is in it too.
                const XserverRegion parts = XFixesCreateRegion(display, nullptr, 0);
                XDamageSubtract(display, notify->damage, None, parts);
                int count = 0;
                XRectangle bounds{};
                XRectangle *rectangles = XFixesFetchRegionAndBounds(display, parts, &count, &bounds);
                if (rectangles)
                    XFree(rectangles);
                XFixesDestroyRegion(display, parts);
                if (notify->drawable != target)
                    continue;
                lastDamage = at;
                // Only the damaged rectangle is fetched, into a copy of the
                // whole window kept here: fetching all of it on every repaint
                // would cost the program under test more than its repaints.
                if (!image) {
                    XWindowAttributes attributes;
                    if (!XGetWindowAttributes(display, target, &attributes))
                        continue;
                    image = XGetImage(display, target, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
                    if (!image)
                        continue;
                } else {
                    const XRectangle &area = bounds;
                    const int x = std::max(0, int(area.x)), y = std::max(0, int(area.y));
                    const int width = std::min(int(area.width), image->width - x);
                    const int height = std::min(int(area.height), image->height - y);
                    if (width > 0 && height > 0)
                        XGetSubImage(display, target, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap,
                                     image, x, y);
                }
                if (drawn < 0 && distinctColours(image, 0, 0, image->width, image->height, 2) >= 2)
                    drawn = at;
                if (watchSlots && slots < 0 && drawn >= 0 && allSlotsFilled(image))
                    slots = at;
            }
        }
        const double at = nowMs() - start;
        const bool waitingForSlots = watchSlots && slots < 0 && at < 30000;
        settled = drawn >= 0 && !waitingForSlots && at - lastDamage > 500 && at - drawn > 1000;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            exited = true;
            exitStatus = status;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(connection, &readable);
        timeval wait{0, 5000};
        select(connection + 1, &readable, nullptr, nullptr, &wait);
    }
    if (exited) {
        std::fprintf(stderr, "the program ended before its window settled (status %d)\n", exitStatus);
        return 1;
    }
    const long rss = statusField(child, "VmRSS:"), anon = statusField(child, "RssAnon:"),
               file = statusField(child, "RssFile:");
    const int libraries = libraryCount(child);
    if (image)
        XDestroyImage(image);
    if (target)
        askToClose(display, target);
    bool ended = false;
    for (int i = 0; i < 500 && !ended; ++i) {
        ended = waitpid(child, nullptr, WNOHANG) == child;
        if (!ended)
            usleep(10000);
    }
    if (!ended) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    std::printf("start_ns=%.0f mapped=%.1f drawn=%.1f slots=%.1f rss_kib=%ld rss_anon_kib=%ld rss_file_kib=%ld libraries=%d "
                "closed=%d\n",
                start * 1e6, mapped, drawn, slots, rss, anon, file, libraries, ended ? 1 : 0);
    XCloseDisplay(display);
    return drawn >= 0 ? 0 : 1;
}
