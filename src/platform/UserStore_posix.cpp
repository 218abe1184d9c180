#include "platform/UserStore_posix.h"

#include "platform/Backends.h"
#include "platform/UserFolders_posix.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform
{
namespace
{

using Sections = std::map<std::string, std::map<std::string, std::string>>;

// A hand-edited or damaged file is no reason to read megabytes; the store
// never writes a longer one, so it always reads what it wrote.
constexpr std::size_t MaxFileSize = 1 << 20;

// As many links as the kernel follows in one path; more is taken for a loop.
constexpr int MaxLinks = 40;

constexpr char FileName[] = "settings.ini";

// The longest wait for another writer of the store.
constexpr std::chrono::milliseconds LockPatience{2000};

// The random part of a temporary file's name.
constexpr std::size_t RandomLength = 6;
constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool isSpecial(unsigned char ch)
{
    switch (ch) {
    case '\\':
    case '=':
    case '[':
    case ']':
    case ';':
    case '#':
        return true;
    default:
        return ch < 0x20 || ch >= 0x7f;
    }
}

std::string escape(const std::string &text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        const bool edgeBlank = ch == ' ' && (i == 0 || i + 1 == text.size());
        if (isSpecial(ch) || edgeBlank) {
            out += "\\x";
            out += hex[ch >> 4];
            out += hex[ch & 0xf];
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out;
}

int hexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

std::string trimBlanks(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// nullopt for a bad escape or a raw control character (binary garbage).
std::optional<std::string> unescape(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        if (ch == '\\') {
            if (i + 3 >= text.size())
                return std::nullopt;
            if (text[i + 1] != 'x' || hexValue(text[i + 2]) < 0 || hexValue(text[i + 3]) < 0)
                return std::nullopt;
            out += static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3]));
            i += 3;
        } else if ((ch < 0x20 && ch != '\t') || ch == 0x7f) {
            return std::nullopt;
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out;
}

// Lines that do not parse, and a last line without its line feed (a cut-off
// write), are skipped: they read as missing values.
Sections parse(const std::string &content)
{
    Sections sections;
    std::optional<std::string> section;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = trimBlanks(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[') {
            section.reset();
            if (line.back() == ']')
                section = unescape(trimBlanks(line.substr(1, line.size() - 2)));
            continue;
        }
        const auto eq = line.find('=');
        if (!section || eq == std::string::npos)
            continue;
        const auto name = unescape(trimBlanks(line.substr(0, eq)));
        const auto value = unescape(trimBlanks(line.substr(eq + 1)));
        if (name && value && !name->empty())
            sections[*section][*name] = *value;
    }
    return sections;
}

std::string serialize(const Sections &sections)
{
    std::string out;
    for (const auto &[section, entries] : sections) {
        out += "[" + escape(section) + "]\n";
        for (const auto &[name, value] : entries)
            out += escape(name) + "=" + escape(value) + "\n";
    }
    return out;
}

// A descriptor closed with its owner.
class UniqueFd
{
  public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd &operator=(UniqueFd &&other) noexcept
    {
        reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    // False where close reports an error (a write the disk did not take).
    bool close() { return ::close(std::exchange(m_fd, -1)) == 0; }

  private:
    int m_fd;
};

// What the store goes through or follows on its way to the file must be the
// user's or root's, in a folder that no one else can write in, or a sticky
// one (like /tmp) where no one else can put their own entry in place of ours:
// what fs.protected_symlinks asks of links in sticky folders, and ssh of the
// folders on the way to its keys.
bool guarded(const struct stat &folder)
{
    return (folder.st_mode & 022) == 0 || (folder.st_mode & S_ISVTX) != 0;
}

bool trusted(const struct stat &entry)
{
    return entry.st_uid == ::geteuid() || entry.st_uid == 0;
}

std::optional<std::string> readLink(int folder, const std::string &name)
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlinkat(folder, name.c_str(), buf, sizeof buf);
    if (n <= 0 || static_cast<std::size_t>(n) == sizeof buf)
        return std::nullopt;
    return std::string(buf, static_cast<std::size_t>(n));
}

std::deque<std::string> namesOf(const std::string &path)
{
    std::deque<std::string> names;
    for (std::size_t start = 0; start <= path.size();) {
        const auto slash = std::min(path.find('/', start), path.size());
        names.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return names;
}

// Folders opened one name at a time from "/", never through a folder or link
// that another user could have put on the way. The chain of
// folders taken is kept, so ".." in a link's target goes back along it.
class Walk
{
  public:
    // Goes along `path` from the current folder, or from "/" for an absolute
    // path; with `make`, missing folders are made, mode 0700. False where the
    // way is not trusted, a name on it is no folder, or links loop.
    bool go(const std::string &path, bool make)
    {
        if (!path.empty() && path[0] == '/' && !startAtRoot())
            return false;
        std::deque<std::string> names = namesOf(path);
        while (!names.empty() && !m_chain.empty()) {
            const std::string name = std::move(names.front());
            names.pop_front();
            if (name.empty() || name == ".")
                continue;
            if (name == "..") {
                if (m_chain.size() > 1)
                    m_chain.pop_back();
                continue;
            }
            const Step &here = m_chain.back();
            if (!guarded(here.st))
                return false;
            const int at = here.fd.get();
            const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
            Step next{UniqueFd(::openat(at, name.c_str(), flags)), {}};
            if (next.fd.get() < 0 && errno == ENOENT && make &&
                (::mkdirat(at, name.c_str(), 0700) == 0 || errno == EEXIST))
                next.fd.reset(::openat(at, name.c_str(), flags));
            if (next.fd.get() >= 0) {
                // Checked on what was opened, so the name cannot change between.
                if (::fstat(next.fd.get(), &next.st) != 0 || !trusted(next.st))
                    return false;
                m_chain.push_back(std::move(next));
                continue;
            }
            // No folder: a link to follow, or a name the walk cannot take.
            struct stat link {
            };
            if ((errno != ELOOP && errno != ENOTDIR) || ::fstatat(at, name.c_str(), &link, AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISLNK(link.st_mode) || !trusted(link))
                return false;
            const auto target = readLink(at, name);
            if (!target || !countLink() || ((*target)[0] == '/' && !startAtRoot()))
                return false;
            const auto more = namesOf(*target);
            names.insert(names.begin(), more.begin(), more.end());
        }
        return !m_chain.empty();
    }

    int folder() const { return m_chain.back().fd.get(); }
    const struct stat &status() const { return m_chain.back().st; }

    // One link more followed; false past as many as the kernel follows.
    bool countLink() { return ++m_links <= MaxLinks; }

  private:
    struct Step {
        UniqueFd fd;
        struct stat st;
    };

    bool startAtRoot()
    {
        m_chain.clear();
        Step root{UniqueFd(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC)), {}};
        if (root.fd.get() < 0 || ::fstat(root.fd.get(), &root.st) != 0 || !trusted(root.st))
            return false;
        m_chain.push_back(std::move(root));
        return true;
    }

    std::vector<Step> m_chain;
    int m_links = 0;
};

// The folder the settings file is (or is to be) in once its links are
// followed, and its name there. A settings file kept elsewhere and linked here
// (a dotfiles repository) is read and replaced where it lives, so the link
// stays a link. Only a folder of the user's that no one else can write in
// serves; false for anything else, and for a store without a folder.
bool locate(const std::string &directory, bool make, Walk &walk, std::string &name)
{
    if (directory.empty() || directory[0] != '/' || !walk.go(directory, make))
        return false;
    name = FileName;
    for (;;) {
        struct stat st {
        };
        if (::fstatat(walk.folder(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                return false;
            break; // the next write makes it
        }
        if (!S_ISLNK(st.st_mode))
            break;
        const auto target = readLink(walk.folder(), name);
        if (!target || !guarded(walk.status()) || !trusted(st) || !walk.countLink())
            return false;
        const auto slash = target->rfind('/');
        name = target->substr(slash + 1);
        if (name.empty() || name == "." || name == "..")
            return false;
        if (slash != std::string::npos && !walk.go(slash == 0 ? "/" : target->substr(0, slash), false))
            return false;
    }
    return walk.status().st_uid == ::geteuid() && (walk.status().st_mode & 022) == 0;
}

// The bytes of the settings file. Empty where it does not exist, or where it
// is longer than the store ever writes: a foreign or damaged file, which
// reads as holding no values and which the next write replaces. nullopt where
// it cannot be read or is no regular file. O_NONBLOCK: a FIFO in its place
// must not hang start-up in open().
std::optional<std::string> readFile(int folder, const std::string &name)
{
    const UniqueFd fd(::openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.get() < 0)
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    struct stat st {
    };
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    if (st.st_size > static_cast<off_t>(MaxFileSize))
        return std::string();
    std::string content;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return content;
        content.append(buf, static_cast<std::size_t>(n));
        if (content.size() > MaxFileSize) // grew while read
            return std::string();
    }
}

// The file's text, no longer than the store reads: where foreign entries
// would make it longer (bytes kept raw there are written four times as long),
// the longest of them go first. nullopt where the written entry alone is
// too long.
std::optional<std::string> serializeWithin(Sections &sections, const std::string &section, const std::string &name)
{
    std::string text = serialize(sections);
    if (text.size() <= MaxFileSize)
        return text;
    std::vector<std::pair<std::size_t, std::pair<std::string, std::string>>> foreign;
    for (const auto &[s, entries] : sections)
        for (const auto &[n, v] : entries)
            if (s != section || n != name)
                foreign.push_back({escape(n).size() + escape(v).size() + 2, {s, n}});
    std::sort(foreign.begin(), foreign.end(), std::greater<>());
    std::size_t size = text.size();
    for (const auto &[lineSize, key] : foreign) {
        if (size <= MaxFileSize)
            break;
        const auto s = sections.find(key.first);
        s->second.erase(key.second);
        size -= lineSize;
        if (s->second.empty()) {
            size -= escape(s->first).size() + 3;
            sections.erase(s);
        }
    }
    text = serialize(sections);
    return text.size() <= MaxFileSize ? std::optional<std::string>(text) : std::nullopt;
}

bool writeAll(int fd, const std::string &data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The store's temporary files: hidden, the target's name, a tag no one would
// choose and six random letters or digits (".settings.ini.starbond-tmp.a1B2c3").
std::string temporaryPrefix(const std::string &fileName)
{
    return "." + fileName + ".starbond-tmp.";
}

std::string randomLetters()
{
    static unsigned counter = 0;
    unsigned char bytes[RandomLength];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        const auto seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                          static_cast<unsigned>(::getpid()) ^ ++counter * 2654435761U;
        for (std::size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = static_cast<unsigned char>(seed >> (i * 5));
    }
    std::string letters;
    for (const unsigned char b : bytes)
        letters += Alphabet[b % (sizeof Alphabet - 1)];
    return letters;
}

// A temporary file beside the target, made anew (O_EXCL) under the store's
// own name for it, flushed to disk, then renamed over the target: readers
// see the old file or the new one, never a part.
bool replaceFile(int folder, const std::string &fileName, const std::string &content)
{
    std::string temp;
    UniqueFd fd;
    for (int tries = 0; fd.get() < 0; ++tries) {
        temp = temporaryPrefix(fileName) + randomLetters();
        fd.reset(::openat(folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.get() < 0 && (errno != EEXIST || tries == 100))
            return false;
    }
    bool ok = ::fchmod(fd.get(), 0600) == 0 && writeAll(fd.get(), content) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    ok = ok && ::renameat(folder, temp.c_str(), folder, fileName.c_str()) == 0;
    if (!ok) {
        ::unlinkat(folder, temp.c_str(), 0);
        return false;
    }
    // The rename is done; a folder that cannot be synced changes nothing now.
    ::fsync(folder);
    return true;
}

// Called with the store's lock held: no live writer is then between making
// its temporary file and renaming it, so one found is left by a writer that
// died there (killed, or the machine went down). Only what the store can
// tell as its own goes: its exact name, a regular file of the user's, mode
// 0600, one link. Anything else beside the file stays, whatever its name.
void removeStaleTemporaries(int folder, const std::string &fileName)
{
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *listing = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!listing) {
        if (listed >= 0)
            ::close(listed);
        return;
    }
    const std::string prefix = temporaryPrefix(fileName);
    while (const dirent *entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        struct stat st {
        };
        if (name.size() == prefix.size() + RandomLength && name.compare(0, prefix.size(), prefix) == 0 &&
            name.find_first_not_of(Alphabet, prefix.size()) == std::string::npos &&
            ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0600 && st.st_nlink == 1)
            ::unlinkat(folder, name.c_str(), 0);
    }
    ::closedir(listing);
}

} // namespace

FileUserStore::FileUserStore(std::string directory) : m_directory(std::move(directory)) {}

std::string FileUserStore::filePath() const
{
    return m_directory.empty() ? std::string() : m_directory + "/" + FileName;
}

std::optional<std::string> FileUserStore::read(const std::string &section, const std::string &name)
{
    Walk walk;
    std::string file;
    const auto content = locate(m_directory, false, walk, file) ? readFile(walk.folder(), file) : std::nullopt;
    if (!content)
        return std::nullopt;
    const Sections sections = parse(*content);
    const auto s = sections.find(section);
    if (s == sections.end())
        return std::nullopt;
    const auto v = s->second.find(name);
    if (v == s->second.end())
        return std::nullopt;
    return v->second;
}

bool FileUserStore::write(const std::string &section, const std::string &name, const std::string &value)
{
    Walk walk;
    std::string file;
    if (name.empty() || !locate(m_directory, true, walk, file))
        return false;
    // Writers take turns, so no process's change is lost to another's and
    // the left-overs of dead writers can be told from the files of live ones.
    // The lock is one only the user can open; one held too long is not waited
    // for: the write is skipped. Where no lock can be had at all, the write
    // goes ahead and nothing is removed.
    const PrivateLock lock = lockPrivateFile("store.lock", LockPatience);
    if (lock.busy)
        return false;
    const UniqueFd held(lock.fd);
    // A file that exists but cannot be read is not overwritten blindly.
    const auto content = readFile(walk.folder(), file);
    if (!content)
        return false;
    if (held.get() >= 0)
        removeStaleTemporaries(walk.folder(), file);
    Sections sections = parse(*content);
    sections[section][name] = value;
    const auto text = serializeWithin(sections, section, name);
    return text && replaceFile(walk.folder(), file, *text);
}

std::string defaultStoreDirectory()
{
    const std::string base = xdgBaseFolder("XDG_CONFIG_HOME", ".config");
    return base.empty() ? base : base + "/" + programFileName();
}

UserStore &hostStore()
{
    static FileUserStore store(defaultStoreDirectory());
    return store;
}

} // namespace platform
