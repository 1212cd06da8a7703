// What the desktop tests need to know about, and do to, the game's windows on
// an X server, as a player or a window manager would.
//
//   x_window wm                     succeeds once a window manager runs
//   x_window find TITLE             one line "id width height x y" per mapped
//                                   window titled TITLE (x y: its client
//                                   area's top-left on the screen)
//   x_window grab ID X Y W H        "colours hash" of that rectangle of the
//                                   window: how many colours, and a hash that
//                                   changes with any pixel
//   x_window class ID               the window's WM_CLASS, one name a line
//   x_window icons ID               the sizes in the window's _NET_WM_ICON
//   x_window click ID X Y           left click at that point of the window
//   x_window move ID X Y            ask for the window to be moved there
//   x_window minimize ID            ask for the window to be minimised
//   x_window activate ID            ask for the window to be shown and raised
//   x_window close ID               ask the window to close
//   x_window ping ID                succeeds once the program answers a
//                                   desktop's ping (within 10 s): it is alive
//                                   and has handled every earlier event
//   x_window pings ID COUNT         COUNT pings, 50 ms apart, each sent once
//                                   the last is answered; prints the longest
//                                   wait for an answer in milliseconds
//
// Requests go through the window manager, as a desktop's own would: closing
// sends WM_DELETE_WINDOW, which runs the program's own closing steps.
// Exit status: 0 done, 1 nothing found, 2 a usage or X error.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <unordered_set>
#include <vector>

namespace {

// A window that vanished or never existed is an answer, not a crash.
int reportError(Display *, XErrorEvent *error)
{
    std::fprintf(stderr, "X error %d\n", error->error_code);
    std::exit(2);
}

long number(const char *text)
{
    return std::strtol(text, nullptr, 0);
}

// The whole property as 8-bit text or 32-bit items (Xlib hands the latter
// back as longs).
std::vector<unsigned char> property(Display *display, Window window, Atom name, Atom type, int &format,
                                    unsigned long &items)
{
    Atom actualType = None;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    items = 0;
    format = 0;
    if (XGetWindowProperty(display, window, name, 0, 1L << 24, False, type, &actualType, &format, &items,
                           &remaining, &data) != Success || !data)
        return {};
    const std::size_t itemSize = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
    std::vector<unsigned char> bytes(data, data + items * itemSize);
    XFree(data);
    return bytes;
}

// Qt sets the UTF-8 title.
std::string title(Display *display, Window window)
{
    int format = 0;
    unsigned long items = 0;
    const auto bytes = property(display, window, XInternAtom(display, "_NET_WM_NAME", False), AnyPropertyType,
                                format, items);
    return std::string(bytes.begin(), bytes.end());
}

bool windowManagerRuns(Display *display)
{
    int format = 0;
    unsigned long items = 0;
    property(display, DefaultRootWindow(display), XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False),
             XA_WINDOW, format, items);
    return items > 0;
}

// A window manager puts each client window inside a frame of its own, so the
// search goes down the tree.
int find(Display *display, Window parentWindow, const char *wanted)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parentWindow, &root, &parent, &children, &count))
        return 0;
    int found = 0;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        // Qt keeps unmapped helper windows with the same title.
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        if (title(display, children[i]) != wanted) {
            found += find(display, children[i], wanted);
            continue;
        }
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display, children[i], root, 0, 0, &x, &y, &child);
        std::printf("0x%lx %d %d %d %d\n", children[i], attributes.width, attributes.height, x, y);
        ++found;
    }
    if (children)
        XFree(children);
    return found;
}

int grab(Display *display, Window window, char *argv[])
{
    const int x = number(argv[0]), y = number(argv[1]);
    const unsigned int width = number(argv[2]), height = number(argv[3]);
    XImage *image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
    if (!image)
        return 2;
    std::unordered_set<unsigned long> seen;
    unsigned long long hash = 14695981039346656037ULL; // FNV-1a over the pixels
    for (unsigned int row = 0; row < height; ++row)
        for (unsigned int column = 0; column < width; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            seen.insert(pixel);
            hash = (hash ^ pixel) * 1099511628211ULL;
        }
    XDestroyImage(image);
    std::printf("%zu %llx\n", seen.size(), hash);
    return 0;
}

int windowClass(Display *display, Window window)
{
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint))
        return 1;
    std::printf("%s\n%s\n", hint.res_name, hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
    return 0;
}

int icons(Display *display, Window window)
{
    int format = 0;
    unsigned long items = 0;
    const auto bytes = property(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL,
                                format, items);
    if (format != 32 || items == 0)
        return 1;
    std::vector<long> values(items);
    std::memcpy(values.data(), bytes.data(), items * sizeof(long));
    // Each icon is its width, its height and then width x height pixels.
    for (unsigned long at = 0; at + 2 <= items; at += 2 + values[at] * values[at + 1])
        std::printf("%ldx%ld\n", values[at], values[at + 1]);
    return 0;
}

// Through the XTest extension, so the click arrives as a real one would, at
// whatever the pointer is over, and at a hand's pace.
int click(Display *display, Window window, char *argv[])
{
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), number(argv[0]), number(argv[1]), &x, &y,
                          &child);
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display, Button1, True, 50);
    XTestFakeButtonEvent(display, Button1, False, 50);
    return 0;
}

// Requests for the window manager go to the root window, a protocol message
// to the window itself.
int sendMessage(Display *display, Window to, Window window, const char *type, long first, long second)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, type, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    event.xclient.data.l[2] = static_cast<long>(window); // a ping names its window here
    XSendEvent(display, to, False, to == window ? NoEventMask : SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    return 0;
}

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// The reply comes back to the root window, where a window manager waits for
// it. The milliseconds it took, or a negative number after 10 s without one.
double pingOnce(Display *display, Window window)
{
    const Window root = DefaultRootWindow(display);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom pingAtom = XInternAtom(display, "_NET_WM_PING", False);
    XSelectInput(display, root, StructureNotifyMask); // as Qt sends it
    const double sent = nowMs();
    sendMessage(display, window, window, "WM_PROTOCOLS", static_cast<long>(pingAtom), CurrentTime);
    XFlush(display);
    XEvent event{};
    while (nowMs() - sent < 10000) {
        while (XPending(display)) {
            XNextEvent(display, &event);
            if (event.type == ClientMessage && event.xclient.message_type == protocols &&
                static_cast<Atom>(event.xclient.data.l[0]) == pingAtom &&
                static_cast<Window>(event.xclient.data.l[2]) == window)
                return nowMs() - sent;
        }
        usleep(1000);
    }
    return -1;
}

int pings(Display *display, Window window, int count)
{
    double longest = 0;
    for (int i = 0; i < count; ++i) {
        const double took = pingOnce(display, window);
        if (took < 0)
            return 1;
        longest = took > longest ? took : longest;
        usleep(50000);
    }
    std::printf("%.0f\n", longest);
    return 0;
}

int run(Display *display, int argc, char *argv[])
{
    const std::string command = argv[1];
    if (command == "wm" && argc == 2)
        return windowManagerRuns(display) ? 0 : 1;
    if (command == "find" && argc == 3)
        return find(display, DefaultRootWindow(display), argv[2]) > 0 ? 0 : 1;
    if (argc < 3)
        return -1;
    const auto window = static_cast<Window>(number(argv[2]));
    const Window root = DefaultRootWindow(display);
    if (command == "grab" && argc == 7)
        return grab(display, window, argv + 3);
    if (command == "class" && argc == 3)
        return windowClass(display, window);
    if (command == "icons" && argc == 3)
        return icons(display, window);
    if (command == "click" && argc == 5)
        return click(display, window, argv + 3);
    if (command == "move" && argc == 5)
        return XMoveWindow(display, window, number(argv[3]), number(argv[4])) ? 0 : 2;
    if (command == "minimize" && argc == 3)
        return XIconifyWindow(display, window, DefaultScreen(display)) ? 0 : 2;
    if (command == "activate" && argc == 3) // 2: asked for by a pager, the player's own choice
        return sendMessage(display, root, window, "_NET_ACTIVE_WINDOW", 2, CurrentTime);
    if (command == "ping" && argc == 3)
        return pingOnce(display, window) >= 0 ? 0 : 1;
    if (command == "pings" && argc == 4)
        return pings(display, window, number(argv[3]));
    if (command == "close" && argc == 3)
        return sendMessage(display, window, window, "WM_PROTOCOLS",
                           static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False)), CurrentTime);
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    Display *display = argc >= 2 ? XOpenDisplay(nullptr) : nullptr;
    if (argc >= 2 && !display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    XSetErrorHandler(reportError);
    const int status = display ? run(display, argc, argv) : -1;
    if (display) {
        XSync(display, False);
        XCloseDisplay(display);
    }
    if (status < 0) {
        std::fprintf(stderr, "usage: see the top of x_window.cpp\n");
        return 2;
    }
    return status;
}
