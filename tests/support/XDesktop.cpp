#include "support/XDesktop.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <poll.h>
#include <thread>

namespace xdesktop
{
namespace
{

// Windows come and go while they are looked at (the program under test
// closes them); a query about a vanished one is no reason to abort.
int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0;
}

Atom atom(Display *display, const char *name)
{
    return XInternAtom(display, name, False);
}

void pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// "'" and "3" are keys too: a single character names the key that types it.
KeySym keysymOf(const std::string &name)
{
    if (name.size() == 1)
        return static_cast<unsigned char>(name[0]);
    return XStringToKeysym(name.c_str());
}

KeySym modifierOf(const std::string &name)
{
    if (name == "ctrl")
        return XK_Control_L;
    if (name == "alt")
        return XK_Alt_L;
    if (name == "shift")
        return XK_Shift_L;
    if (name == "super")
        return XK_Super_L;
    return NoSymbol;
}

} // namespace

Desktop::Desktop()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor) ||
        !XDamageQueryExtension(display, &m_damageEvent, &error)) {
        XCloseDisplay(display);
        return;
    }
    XSetErrorHandler(ignoreXErrors);
    m_display = display;
}

Desktop::~Desktop()
{
    if (m_display)
        XCloseDisplay(m_display);
}

long Desktop::pidOf(WindowId window) const
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(m_display, window, atom(m_display, "_NET_WM_PID"), 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success &&
        data && items == 1 && format == 32)
        pid = static_cast<long>(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

std::vector<TopWindow> Desktop::windowsOf(long pid) const
{
    std::vector<TopWindow> found;
    if (!m_display || pid <= 0)
        return found;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        return found;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable ||
            pidOf(children[i]) != pid)
            continue;
        TopWindow window{children[i], attributes.width, attributes.height, {}};
        XTextProperty property;
        if (XGetTextProperty(m_display, children[i], &property, atom(m_display, "_NET_WM_NAME")) && property.value) {
            window.title.assign(reinterpret_cast<const char *>(property.value), property.nitems);
            XFree(property.value);
        } else if (XGetWMName(m_display, children[i], &property) && property.value) {
            window.title.assign(reinterpret_cast<const char *>(property.value), property.nitems);
            XFree(property.value);
        }
        found.push_back(window);
    }
    if (children)
        XFree(children);
    return found;
}

std::vector<TopWindow> Desktop::windowsOf(long pid, const std::string &title) const
{
    std::vector<TopWindow> titled;
    for (const TopWindow &w : windowsOf(pid))
        if (w.title == title)
            titled.push_back(w);
    return titled;
}

// No window manager runs, so the focus is set directly; the program is given
// a moment to take it before the first key arrives.
bool Desktop::focus(WindowId window)
{
    XRaiseWindow(m_display, window);
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focused, &revert);
    pause(150);
    return focused == window;
}

bool Desktop::pressCombination(const std::string &combination)
{
    std::vector<KeyCode> codes;
    bool shifted = false;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = combination.find('+', start + 1);
        const std::string part =
            combination.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        const bool last = plus == std::string::npos;
        const KeySym sym = last ? keysymOf(part) : modifierOf(part);
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(m_display, sym);
        if (code == 0)
            return false;
        // A character on the shifted level of its key needs Shift held too.
        if (last && XkbKeycodeToKeysym(m_display, code, 0, 0) != sym &&
            XkbKeycodeToKeysym(m_display, code, 0, 1) == sym)
            shifted = true;
        if (sym == XK_Shift_L)
            shifted = false;
        codes.push_back(code);
        if (last)
            break;
        start = plus + 1;
    }
    if (shifted)
        codes.insert(codes.end() - 1, XKeysymToKeycode(m_display, XK_Shift_L));
    for (KeyCode code : codes)
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    for (auto it = codes.rbegin(); it != codes.rend(); ++it)
        XTestFakeKeyEvent(m_display, *it, False, CurrentTime);
    XSync(m_display, False);
    return true;
}

bool Desktop::type(WindowId window, const std::vector<std::string> &keys, int delayMs)
{
    if (!m_display || !focus(window))
        return false;
    for (const std::string &key : keys) {
        if (!pressCombination(key))
            return false;
        pause(delayMs);
    }
    return true;
}

bool Desktop::typeText(WindowId window, const std::string &text, int delayMs)
{
    std::vector<std::string> keys;
    for (char ch : text)
        keys.emplace_back(1, ch);
    return type(window, keys, delayMs);
}

std::uint64_t Desktop::picture(WindowId window, int x, int y, int width, int height) const
{
    int fullWidth = 0, fullHeight = 0;
    const std::vector<unsigned int> pixels = grab(window, fullWidth, fullHeight);
    if (pixels.empty() || x < 0 || y < 0 || x + width > fullWidth || y + height > fullHeight)
        return 0;
    std::uint64_t digest = 14695981039346656037u; // FNV-1a over the pixels, row by row
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            digest =
                (digest ^ (pixels[static_cast<std::size_t>(row * fullWidth + column)] & 0xffffff)) * 1099511628211u;
    return digest;
}

void Desktop::close(WindowId window)
{
    if (!m_display)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom(m_display, "WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(atom(m_display, "WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XFlush(m_display);
}

std::vector<unsigned int> Desktop::grab(WindowId window, int &width, int &height) const
{
    std::vector<unsigned int> pixels;
    XWindowAttributes attributes;
    if (!m_display || !XGetWindowAttributes(m_display, window, &attributes))
        return pixels;
    XImage *image = XGetImage(m_display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    width = attributes.width;
    height = attributes.height;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(0xff000000u | static_cast<unsigned int>(XGetPixel(image, x, y) & 0xffffff));
    XDestroyImage(image);
    return pixels;
}

std::optional<std::string> Desktop::selectionText(const std::string &selection, int timeoutMs)
{
    if (!m_display)
        return std::nullopt;
    const Window requestor = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
    const Atom property = atom(m_display, "XDESKTOP_SELECTION");
    XConvertSelection(m_display, atom(m_display, selection.c_str()), atom(m_display, "UTF8_STRING"), property,
                      requestor, CurrentTime);
    XFlush(m_display);
    std::optional<std::string> text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    XEvent event;
    while (!XCheckTypedWindowEvent(m_display, requestor, SelectionNotify, &event)) {
        if (std::chrono::steady_clock::now() > deadline) {
            XDestroyWindow(m_display, requestor);
            return std::nullopt;
        }
        pause(10);
    }
    if (event.xselection.property != None) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(m_display, requestor, property, 0, 65536, True, AnyPropertyType, &type, &format, &items,
                               &after, &data) == Success &&
            data && format == 8)
            text.emplace(reinterpret_cast<const char *>(data), items);
        if (data)
            XFree(data);
    }
    XDestroyWindow(m_display, requestor);
    return text;
}

// Drawing is watched on the root window, which takes in every window's: a
// watch on each new window would come too late for a program that draws
// before this one hears of the window (Wine does).
void Desktop::watchPaints()
{
    if (!m_display)
        return;
    if (!m_rootDamage)
        m_rootDamage = XDamageCreate(m_display, DefaultRootWindow(m_display), XDamageReportRawRectangles);
    XSync(m_display, False);
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
    }
}

bool Desktop::waitForFirstPaint(long pid, int timeoutMs)
{
    if (!m_display)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (!XPending(m_display)) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0 || !XPending(m_display))
                return false;
        }
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type != m_damageEvent + XDamageNotify)
            continue;
        const XRectangle &area = reinterpret_cast<const XDamageNotifyEvent &>(event).area;
        for (const TopWindow &w : windowsOf(pid)) {
            XWindowAttributes a;
            if (XGetWindowAttributes(m_display, w.id, &a) && area.x < a.x + a.width && a.x < area.x + area.width &&
                area.y < a.y + a.height && a.y < area.y + area.height)
                return true;
        }
    }
}

} // namespace xdesktop
