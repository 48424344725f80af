// Starts the built program on a real X display (run under xvfb-run), waits for its window, checks
// its size and caption as the X server sees them, closes it the way a window manager would
// (WM_DELETE_WINDOW) and expects the program to end with status 0.

#include "expected.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string CaptionEnding = " - Биология, семейство и род грабливи птици";

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

std::string utf8Property(Display* display, Window window, const char* name) {
    const Atom property = XInternAtom(display, name, False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, utf8, &type, &format, &count,
                           &remaining, &data) == Success &&
        data) {
        value.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return value;
}

bool hasProperty(Display* display, Window window, const char* name) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const bool found =
        XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False,
                           AnyPropertyType, &type, &format, &count, &remaining, &data) == Success &&
        type != None;
    if (data)
        XFree(data);
    return found;
}

std::optional<Window> findShownWindow(Display* display, std::string& caption) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<Window> found;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        const std::string name = utf8Property(display, children[i], "_NET_WM_NAME");
        if (endsWith(name, CaptionEnding)) {
            caption = name;
            found = children[i];
        }
    }
    if (children)
        XFree(children);
    return found;
}

int fail(const std::string& why) {
    std::fprintf(stderr, "smoke: %s\n", why.c_str());
    return 1;
}

std::optional<int> waitForExit(pid_t child, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2)
        return fail("usage: smoke_x11 PROGRAM (on an X display)");
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return fail("no X display; run under xvfb-run");

    const pid_t child = fork();
    if (child == 0) {
        unsetenv("QT_QPA_PLATFORM"); // the real X platform, not the offscreen one
        execl(argv[1], argv[1], static_cast<char*>(nullptr));
        _exit(127);
    }

    std::string caption;
    std::optional<Window> window;
    const auto start = std::chrono::steady_clock::now();
    while (!(window = findShownWindow(display, caption)) &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        if (waitForExit(child, std::chrono::seconds(0)))
            return fail("the program ended before showing its window");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!window) {
        kill(child, SIGKILL);
        return fail("no window with the caption ending \"" + CaptionEnding + "\" appeared");
    }
    const auto shownAfter = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);

    XWindowAttributes attributes;
    XGetWindowAttributes(display, *window, &attributes);
    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(display, *window, &hints, &supplied);
    const bool fixedSize =
        (hints.flags & PMinSize) && (hints.flags & PMaxSize) &&
        hints.min_width == expected::ClientWidth && hints.max_width == expected::ClientWidth &&
        hints.min_height == expected::ClientHeight && hints.max_height == expected::ClientHeight;
    const bool icon = hasProperty(display, *window, "_NET_WM_ICON");
    std::printf("window \"%s\" %dx%d shown after %lld ms, fixed size %s, icon %s\n",
                caption.c_str(), attributes.width, attributes.height,
                static_cast<long long>(shownAfter.count()), fixedSize ? "yes" : "no",
                icon ? "yes" : "no");

    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = *window;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, *window, False, NoEventMask, &close);
    XFlush(display);

    const std::optional<int> status = waitForExit(child, std::chrono::seconds(10));
    XCloseDisplay(display);
    if (!status) {
        kill(child, SIGKILL);
        return fail("the program did not end after its window was closed");
    }
    std::printf("exit status after closing: %d\n", *status);

    if (attributes.width != expected::ClientWidth || attributes.height != expected::ClientHeight)
        return fail("the window is not of the designed size");
    if (!fixedSize)
        return fail("the window's size is not fixed at the designed size");
    if (!icon)
        return fail("the window carries no icon");
    if (*status != 0)
        return fail("the program ended with a non-zero status");
    return 0;
}
