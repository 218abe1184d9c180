#pragma once

// What the program asks of the system and of the user's desktop, one
// interface each, reached through one table. The backends live beside this
// file (*_posix.cpp, *_win32.cpp, and the Qt ones for both); tests put fakes
// in the table with ServicesOverride.

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <string>

namespace platform
{

// Hands one URL to the desktop and returns at once. notOpened runs, then or
// within about two seconds, where the page could not be opened (no program to
// open it with, or that program failed); whether a page came up is never known.
class Shell
{
  public:
    Shell() = default;
    virtual ~Shell() = default;
    Q_DISABLE_COPY_MOVE(Shell)
    virtual void openUrl(const std::string &url, const std::function<void()> &notOpened) = 0;
};

// Per-user store of string values, kept as raw bytes. A missing value reads
// as nullopt; write returns false when the store refuses it.
class UserStore
{
  public:
    UserStore() = default;
    virtual ~UserStore() = default;
    Q_DISABLE_COPY_MOVE(UserStore)
    virtual std::optional<std::string> read(const std::string &section, const std::string &name) = 0;
    virtual bool write(const std::string &section, const std::string &name, const std::string &value) = 0;
};

// One instance per user logon. acquire() is called once at start-up and
// returns false when another instance holds the lock.
class InstanceLock
{
  public:
    InstanceLock() = default;
    virtual ~InstanceLock() = default;
    Q_DISABLE_COPY_MOVE(InstanceLock)
    virtual bool acquire() = 0;
};

// Today's local date, and a date as text for the store: formatDate gives the
// host's form (ISO 8601 on Linux, the user's short date on Windows, where
// other programs may read it); parseDate reads it back, and ISO 8601 on both,
// giving an invalid date for any other text.
class Calendar
{
  public:
    Calendar() = default;
    virtual ~Calendar() = default;
    Q_DISABLE_COPY_MOVE(Calendar)
    virtual QDate today() = 0;
    virtual std::string formatDate(QDate date) = 0;
    virtual QDate parseDate(const std::string &text) = 0;
};

enum class MsgIcon { Critical, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// Modal message boxes titled with the application title; YesNo defaults to Yes.
class MessageBoxes
{
  public:
    MessageBoxes() = default;
    virtual ~MessageBoxes() = default;
    Q_DISABLE_COPY_MOVE(MessageBoxes)
    MsgAnswer show(const std::string &text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok)
    {
        return ask(text, icon, buttons);
    }

  private:
    virtual MsgAnswer ask(const std::string &text, MsgIcon icon, MsgButtons buttons) = 0;
};

// The system clipboard, as far as the compatibility text box needs it.
class Clipboard
{
  public:
    Clipboard() = default;
    virtual ~Clipboard() = default;
    Q_DISABLE_COPY_MOVE(Clipboard)
    virtual bool ownsContent() = 0; // true when this process put the data there
    virtual void clear() = 0;       // empties what this process put there
};

struct Services {
    Shell *shell = nullptr;
    UserStore *store = nullptr;
    InstanceLock *instanceLock = nullptr;
    Calendar *calendar = nullptr;
    MessageBoxes *messageBoxes = nullptr;
    Clipboard *clipboard = nullptr;
};

// The services in force; the host's own until a test puts fakes in.
Services &services();
Services hostServices();

// Puts fakes in force for one scope and restores what was there.
class ServicesOverride
{
  public:
    ServicesOverride() : m_saved(services()) {}
    ~ServicesOverride() { services() = m_saved; }
    Q_DISABLE_COPY_MOVE(ServicesOverride)

  private:
    Services m_saved;
};

// The program file's name without folder or extension ("starbond" where that
// would leave nothing, "." or ".."): it names the store and the
// single-instance lock, so a renamed copy keeps its own.
QString programName();
QString programNameOf(const QString &filePath);

} // namespace platform
