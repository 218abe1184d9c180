#pragma once

// The real program on an X server, seen and driven as a user does: its
// windows found by process, keys typed through the XTEST extension, the close
// box as the window manager's message, and the first drawing into a window.
// Free of Qt, so that the start-up benchmark uses it as well.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace xdesktop
{

using WindowId = unsigned long;

struct TopWindow {
    WindowId id = 0;
    int width = 0;
    int height = 0;
    std::string title;
};

class Desktop
{
  public:
    Desktop(); // the server in DISPLAY
    ~Desktop();
    Desktop(const Desktop &) = delete;
    Desktop &operator=(const Desktop &) = delete;

    // False without a server, or without the XTEST and DAMAGE extensions.
    bool isOpen() const { return m_display != nullptr; }

    // The viewable top-level windows of a process, by their _NET_WM_PID.
    std::vector<TopWindow> windowsOf(long pid) const;
    // Those of them whose title is exactly this.
    std::vector<TopWindow> windowsOf(long pid, const std::string &title) const;

    // Focuses the window, then types each key as xdotool names it, modifiers
    // first: "alt+f", "Return", "ctrl+BackSpace", "a", "'", "super+3".
    bool type(WindowId window, const std::vector<std::string> &keys, int delayMs = 30);
    // Types the characters of an ASCII text, one key each.
    bool typeText(WindowId window, const std::string &text, int delayMs = 30);

    // A digest of what a rectangle of the window shows (0 where it cannot
    // be read): equal digests, equal pictures.
    std::uint64_t picture(WindowId window, int x, int y, int width, int height) const;

    // What a window manager sends when the user clicks the close box.
    void close(WindowId window);

    // The window's pixels as seen on the screen, 0xAARRGGBB row by row; empty
    // when it cannot be read.
    std::vector<unsigned int> grab(WindowId window, int &width, int &height) const;

    // The text of a selection ("PRIMARY", "CLIPBOARD") as a program that
    // pastes it gets it; nullopt when no one owns it or its owner will not
    // give it as text.
    std::optional<std::string> selectionText(const std::string &selection, int timeoutMs = 3000);

    // Starts watching the screen for drawing; then waitForFirstPaint()
    // returns once a window of the process is drawn into.
    void watchPaints();
    bool waitForFirstPaint(long pid, int timeoutMs);

  private:
    long pidOf(WindowId window) const;
    bool focus(WindowId window);
    bool pressCombination(const std::string &combination);

    _XDisplay *m_display = nullptr;
    int m_damageEvent = 0;
    unsigned long m_rootDamage = 0;
};

} // namespace xdesktop
