// SPDX-License-Identifier: MIT
// Watches one program start from outside, as a user sees it: from just
// before exec to the moment its first top-level window is mapped, and on to
// the first frame of that window on the screen that is not blank (at least
// one pixel in a thousand differs from its first pixel), by grabs of the
// window every 5 ms. Then it asks the window to close (WM_DELETE_WINDOW) and
// reports the program's peak memory (VmHWM) read just before.
//   window_watch PROGRAM [ARGUMENT...]
// prints "map_ms paint_ms peak_kib" on one line; status 1 when the program
// shows no painted window within 30 s. Needs an X server without a window
// manager (bench/startup.sh starts Xvfb), whose top-level windows are the
// root's children.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A grab of the screen where the window lies, as a user would see it.
bool Painted(Display* display, Window root, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    XImage* image = XGetImage(display, root, attributes.x, attributes.y,
                              static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    long differing = 0;
    const long pixels = static_cast<long>(image->width) * image->height;
    if (image->bits_per_pixel == 32) {
        for (int y = 0; y < image->height; ++y) {
            const auto* row =
                reinterpret_cast<const std::uint32_t*>(image->data + y * image->bytes_per_line);
            const std::uint32_t first = *reinterpret_cast<const std::uint32_t*>(image->data);
            for (int x = 0; x < image->width; ++x) differing += row[x] != first;
        }
    } else {
        const unsigned long first = XGetPixel(image, 0, 0);
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x) differing += XGetPixel(image, x, y) != first;
    }
    XDestroyImage(image);
    return differing * 1000 >= pixels;
}

long PeakKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

void AskToClose(Display* display, Window window) {
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &close);
    XFlush(display);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_watch PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "window_watch: no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    Window window = 0;
    double mapped = -1, painted = -1;
    while (MsSince(start) < 30000 && painted < 0) {
        while (window == 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.override_redirect) continue;
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, event.xmap.window, &attributes) &&
                attributes.width > 1 && attributes.height > 1) {
                window = event.xmap.window;
                mapped = MsSince(start);
            }
        }
        if (window != 0 && Painted(display, root, window)) painted = MsSince(start);
        if (painted < 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (waitpid(child, nullptr, WNOHANG) == child) break;
    }
    long peak = -1;
    if (painted >= 0) {
        // Memory once the first frame is up and the program idles.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        peak = PeakKib(child);
        AskToClose(display, window);
    }
    for (int i = 0; i < 200 && waitpid(child, nullptr, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (waitpid(child, nullptr, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    XCloseDisplay(display);
    if (painted < 0) {
        std::fprintf(stderr, "window_watch: %s showed no painted window\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %.1f %ld\n", mapped, painted, peak);
    return 0;
}
