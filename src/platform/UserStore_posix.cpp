#include "platform/UserStore_posix.h"

#include "platform/Backends.h"
#include "platform/UserFolders_posix.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{
namespace
{

using Sections = std::map<std::string, std::map<std::string, std::string>>;

// A hand-edited or damaged file is no reason to read megabytes.
constexpr std::size_t MaxFileSize = 1 << 20;

// As many links as the kernel follows in one path; more is taken for a loop.
constexpr int MaxLinks = 40;

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

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names once its symbolic links are followed. A settings file
// kept elsewhere and linked here (a dotfiles repository) is read and replaced
// where it lives, so the link stays a link; a link to nothing names the file
// the next write makes. nullopt for a loop.
std::optional<std::string> resolveLinks(std::string path)
{
    for (int hops = 0; hops <= MaxLinks; ++hops) {
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
        if (n < 0)
            return errno == EINVAL || errno == ENOENT ? std::optional<std::string>(path) : std::nullopt;
        if (static_cast<std::size_t>(n) == sizeof buf)
            return std::nullopt;
        const std::string target(buf, static_cast<std::size_t>(n));
        path = target[0] == '/' ? target : folderOf(path) + "/" + target;
    }
    return std::nullopt;
}

// The bytes of a file whose links are resolved already; empty when it does not
// exist, nullopt when it cannot be read or is no regular file. O_NONBLOCK: a
// FIFO in its place must not hang start-up in open().
std::optional<std::string> readFile(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string content;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || content.size() > MaxFileSize) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        content.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return content;
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

bool makeDirectories(const std::string &path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

// Temporary file beside the target, flushed to disk, then renamed over it:
// readers see the old file or the new one, never a part.
bool replaceFile(int dir, const std::string &path, const std::string &content)
{
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0600) == 0 && writeAll(fd, content) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename is done; a folder that cannot be synced changes nothing now.
    ::fsync(dir);
    return true;
}

// The names replaceFile gives its temporary files: the file's name, a dot and
// six letters or digits.
bool isTemporaryOf(const std::string &entry, const std::string &fileName)
{
    const auto isAlnum = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    return entry.size() == fileName.size() + 7 && entry.compare(0, fileName.size(), fileName) == 0 &&
           entry[fileName.size()] == '.' && std::all_of(entry.end() - 6, entry.end(), isAlnum);
}

// Called with the folder locked: no live writer is then between making its
// temporary file and renaming it, so any such file is left by a writer that
// died there (killed, or the machine went down).
void removeStaleTemporaries(int dir, const std::string &fileName)
{
    DIR *listing = ::fdopendir(::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listing)
        return;
    while (const dirent *entry = ::readdir(listing)) {
        struct stat st {
        };
        if (isTemporaryOf(entry->d_name, fileName) && ::fstatat(dir, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
            ::unlinkat(dir, entry->d_name, 0);
    }
    ::closedir(listing);
}

} // namespace

FileUserStore::FileUserStore(std::string directory) : m_directory(std::move(directory)) {}

std::string FileUserStore::filePath() const
{
    return m_directory + "/settings.ini";
}

std::optional<std::string> FileUserStore::read(const std::string &section, const std::string &name)
{
    const auto path = resolveLinks(filePath());
    const auto content = path ? readFile(*path) : std::nullopt;
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
    if (m_directory.empty() || name.empty() || !makeDirectories(m_directory))
        return false;
    const auto path = resolveLinks(filePath());
    if (!path)
        return false;
    const int dir = ::open(folderOf(*path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return false;
    // Writers of one folder take turns, so no process's change is lost to
    // another's, and the left-overs of dead writers can be told from the
    // files of live ones. Where the file system has no locks, nothing is
    // removed.
    const bool alone = ::flock(dir, LOCK_EX) == 0;
    // A file that exists but cannot be read is not overwritten blindly.
    bool ok = false;
    if (const auto content = readFile(*path)) {
        if (alone)
            removeStaleTemporaries(dir, path->substr(path->rfind('/') + 1));
        Sections sections = parse(*content);
        sections[section][name] = value;
        ok = replaceFile(dir, *path, serialize(sections));
    }
    ::close(dir); // and with it the lock
    return ok;
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
