// The process's own backends (random generator, terminator) and the table of
// services in force, which starts with the host's.

#include "platform/Backends.h"

#include <chrono>
#include <cstdlib>
#include <random>

namespace platform
{
namespace
{

class MersenneRandom final : public Random
{
  public:
    void seedFromClock() override
    {
        const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
        m_engine.seed(static_cast<std::mt19937::result_type>(ticks));
    }
    float next() override
    {
        // 24 random bits give every float step in [0, 1) and never 1 itself.
        return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f);
    }

  private:
    std::mt19937 m_engine;
};

class ExitTerminator final : public Terminator
{
  public:
    void terminate(int status) override { std::_Exit(status); }
};

// Until the GUI installs its backends nothing is shown and No is the answer,
// so a missing backend never opens a page on the user's behalf.
class SilentMessageBoxes final : public MessageBoxes
{
  public:
    MsgAnswer show(const std::string &, MsgIcon, MsgButtons buttons) override
    {
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    }
};

class NoClipboard final : public Clipboard
{
  public:
    bool ownsContent() override { return false; }
    void clear() override {}
};

Services makeDefaults()
{
    static SilentMessageBoxes messageBoxes;
    static NoClipboard clipboard;
    Services s;
    s.shell = &hostShell();
    s.store = &hostStore();
    s.instanceLock = &hostInstanceLock();
    s.calendar = &hostCalendar();
    s.random = &processRandom();
    s.terminator = &processTerminator();
    s.messageBoxes = &messageBoxes;
    s.clipboard = &clipboard;
    return s;
}

} // namespace

Random &processRandom()
{
    static MersenneRandom random;
    return random;
}

Terminator &processTerminator()
{
    static ExitTerminator terminator;
    return terminator;
}

Services &services()
{
    static Services current = makeDefaults();
    return current;
}

std::string withoutExtension(const std::string &fileName)
{
    const auto dot = fileName.rfind('.');
    return dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

void showMessage(std::string_view text, MsgIcon icon)
{
    services().messageBoxes->show(std::string(text), icon, MsgButtons::Ok);
}

} // namespace platform
