#pragma once

// Every call the program makes outside itself goes through one of these
// interfaces. Production backends live beside this file (*_posix.cpp,
// *_win32.cpp, qt/); tests swap in fakes with ServicesOverride.

#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// Hands one URL to the desktop. False where it could not be handed over (no
// program to open it with, or too long for the system); whether a page came
// up is never known.
class Shell
{
  public:
    virtual ~Shell() = default;
    virtual bool openUrl(const std::string &url) = 0;
};

// Per-user store of string values, kept as raw bytes. A missing value reads
// as nullopt; write returns false when the store refuses it.
class UserStore
{
  public:
    virtual ~UserStore() = default;
    virtual std::optional<std::string> read(const std::string &section, const std::string &name) = 0;
    virtual bool write(const std::string &section, const std::string &name, const std::string &value) = 0;
};

// One instance per user logon. acquire() is called once at start-up and
// returns false when another instance holds the lock.
class InstanceLock
{
  public:
    virtual ~InstanceLock() = default;
    virtual bool acquire() = 0;
};

struct CivilDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    friend bool operator==(const CivilDate &, const CivilDate &) = default;
};

// Today's local date, and a date as text for the store: formatDate gives the
// host's form (ISO 8601 on Linux, the user's short date on Windows, where
// other programs may read it); parseDate reads it and the forms earlier
// versions wrote (ISO 8601, the user's short date).
class Calendar
{
  public:
    virtual ~Calendar() = default;
    virtual CivilDate today() = 0;
    virtual std::string formatDate(const CivilDate &date) = 0;
    virtual std::optional<CivilDate> parseDate(const std::string &text) = 0;
};

// The process's one pseudo-random generator, uniform in [0, 1).
class Random
{
  public:
    virtual ~Random() = default;
    virtual void seedFromClock() = 0;
    virtual float next() = 0;
};

// Ends the process at once. Tests replace it so they survive the exit path.
class Terminator
{
  public:
    virtual ~Terminator() = default;
    virtual void terminate(int status) = 0;
};

enum class MsgIcon { Critical, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// Modal message boxes titled with the application title. YesNo defaults to Yes.
class MessageBoxes
{
  public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const std::string &text, MsgIcon icon, MsgButtons buttons) = 0;
};

// The system clipboard, as far as the compatibility text box needs it.
class Clipboard
{
  public:
    virtual ~Clipboard() = default;
    virtual bool ownsContent() = 0; // true when this process put the data there
    virtual void clear() = 0;       // empties what this process put there
};

// A message box with an OK button alone, through the service in force.
void showMessage(std::string_view text, MsgIcon icon);

struct Services {
    Shell *shell = nullptr;
    UserStore *store = nullptr;
    InstanceLock *instanceLock = nullptr;
    Calendar *calendar = nullptr;
    Random *random = nullptr;
    Terminator *terminator = nullptr;
    MessageBoxes *messageBoxes = nullptr;
    Clipboard *clipboard = nullptr;
};

// The services in force. Starts with the host's Qt-free backends; the Qt
// backends (message boxes, clipboard) are installed by the GUI.
Services &services();

// Puts fakes in force for one scope and restores what was there.
class ServicesOverride
{
  public:
    ServicesOverride() : m_saved(services()) {}
    ~ServicesOverride() { services() = m_saved; }
    ServicesOverride(const ServicesOverride &) = delete;
    ServicesOverride &operator=(const ServicesOverride &) = delete;

  private:
    Services m_saved;
};

} // namespace platform
