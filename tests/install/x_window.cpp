// What the smoke test needs to know about, and do to, the game's window on a
// bare X server: no window manager, and nothing installed beyond libX11.
//
//   x_window find TITLE             one line "id width height x y" per mapped
//                                   top-level window titled TITLE
//   x_window colours ID X Y W H     number of distinct colours in that
//                                   rectangle of the window
//   x_window class ID               the window's WM_CLASS, one name a line
//   x_window icons ID               the sizes in the window's _NET_WM_ICON
//   x_window close ID               ask the window to close
//
// Closing sends WM_DELETE_WINDOW, as a window manager's close button does:
// killing the program instead would skip the front screen's close handler,
// which is what saves the scores.
// Exit status: 0 done, 1 nothing found or the window refuses to be closed,
// 2 a usage or X error.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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
    char *end = nullptr;
    const long value = std::strtol(text, &end, 0);
    if (*text == '\0' || *end != '\0') {
        std::fprintf(stderr, "not a number: %s\n", text);
        std::exit(2);
    }
    return value;
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

std::string title(Display *display, Window window)
{
    int format = 0;
    unsigned long items = 0;
    // Qt sets the UTF-8 title; WM_NAME is the older fallback.
    for (const char *name : {"_NET_WM_NAME", "WM_NAME"}) {
        const auto bytes = property(display, window, XInternAtom(display, name, False), AnyPropertyType,
                                    format, items);
        if (format == 8 && !bytes.empty())
            return std::string(bytes.begin(), bytes.end());
    }
    return {};
}

int find(Display *display, const char *wanted)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 2;
    int found = 0;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        // Qt keeps unmapped helper windows with the same title.
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        if (title(display, children[i]) != wanted)
            continue;
        std::printf("0x%lx %d %d %d %d\n", children[i], attributes.width, attributes.height, attributes.x,
                    attributes.y);
        ++found;
    }
    if (children)
        XFree(children);
    return found > 0 ? 0 : 1;
}

int colours(Display *display, Window window, char *argv[])
{
    const int x = number(argv[0]), y = number(argv[1]);
    const unsigned int width = number(argv[2]), height = number(argv[3]);
    XImage *image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
    if (!image)
        return 2;
    std::unordered_set<unsigned long> seen;
    for (unsigned int row = 0; row < height; ++row)
        for (unsigned int column = 0; column < width; ++column)
            seen.insert(XGetPixel(image, column, row));
    XDestroyImage(image);
    std::printf("%zu\n", seen.size());
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

int close(Display *display, Window window)
{
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Atom *protocols = nullptr;
    int count = 0;
    bool takesDeleteRequests = false;
    if (XGetWMProtocols(display, window, &protocols, &count)) {
        for (int i = 0; i < count; ++i)
            takesDeleteRequests = takesDeleteRequests || protocols[i] == deleteWindow;
        XFree(protocols);
    }
    if (!takesDeleteRequests) {
        std::fprintf(stderr, "the window does not accept close requests\n");
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    return 0;
}

int run(Display *display, int argc, char *argv[])
{
    const std::string command = argv[1];
    if (command == "find" && argc == 3)
        return find(display, argv[2]);
    if (argc < 3)
        return -1;
    const auto window = static_cast<Window>(number(argv[2]));
    if (command == "colours" && argc == 7)
        return colours(display, window, argv + 3);
    if (command == "class" && argc == 3)
        return windowClass(display, window);
    if (command == "icons" && argc == 3)
        return icons(display, window);
    if (command == "close" && argc == 3)
        return close(display, window);
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
        std::fprintf(stderr, "usage: %s find TITLE | colours ID X Y W H | class ID | icons ID | close ID\n",
                     argv[0]);
        return 2;
    }
    return status;
}
