// The settings file as anyone may have left it, in its folder or linked from
// elsewhere, among the user's own files and a temporary file of a writer that
// died: read, one value written, read back. The written value reads back
// exactly, every other value reads as before, the new file is plain text, a
// link stays a link, and writing the same value again changes no byte. No
// file the store did not make is touched, whatever its name (the value's name
// is tried as one too), and the dead writer's file is gone.
//
// Input: section, name and value (each ended by a backslash and another
// character; "\\" is a backslash), then the file's bytes; the lowest bit of
// the last byte says whether settings.ini is a link to the file.

#include "platform/UserStore_posix.h"

#include "Check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

using fuzz::check;

namespace
{

// The store's folder, and the one a linked settings file lives in.
std::string g_app, g_dotfiles;

using Files = std::map<std::string, std::tuple<std::string, mode_t, ino_t>>;
// The user's files in each, as planted once for the whole run.
Files g_mine, g_theirs;

// Files of the user's beside the settings file and beside a link's target:
// names other programs give their backups and temporary files, and the
// store's own pattern on a file the store would never make (mode 0644).
const char *const AppFiles[] = {"settings.ini.backup", "settings.ini.Ab12Cd", ".settings.ini.starbond-tmp.Ab12Cd"};
const char *const DotFiles[] = {"starbond.ini.2024Q1", ".starbond.ini.starbond-tmp.Ab12Cd"};

std::string fileBytes(const std::string &path)
{
    std::string content;
    if (FILE *f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
            content.append(buf, n);
        std::fclose(f);
    }
    return content;
}

std::vector<std::string> entries(const std::string &folder)
{
    std::vector<std::string> names;
    if (DIR *d = ::opendir(folder.c_str())) {
        while (const dirent *e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        ::closedir(d);
    }
    return names;
}

void empty(const std::string &folder)
{
    for (const std::string &name : entries(folder))
        ::unlink((folder + "/" + name).c_str());
}

void writeFile(const std::string &path, const std::string &content, mode_t mode)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    check(f && std::fwrite(content.data(), 1, content.size(), f) == content.size() && std::fclose(f) == 0 &&
              ::chmod(path.c_str(), mode) == 0,
          "cannot set up a file");
}

// A folder's files with their bytes, modes and inodes, all but the settings
// file, its link and its target.
Files usersFiles(const std::string &folder)
{
    Files found;
    for (const std::string &name : entries(folder)) {
        struct stat st {
        };
        ::lstat((folder + "/" + name).c_str(), &st);
        if (name != "settings.ini" && name != "starbond.ini")
            found[name] = {fileBytes(folder + "/" + name), st.st_mode, st.st_ino};
    }
    return found;
}

std::string trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The keys the file seems to hold, taken as they stand (escapes and all): a
// rough guess is enough, as every key read must read the same before and after.
std::set<std::pair<std::string, std::string>> keysIn(const std::string &content)
{
    std::set<std::pair<std::string, std::string>> keys;
    std::string section;
    std::size_t start = 0;
    for (std::size_t end; start <= content.size(); start = end + 1) {
        end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        const std::string line = trimmed(content.substr(start, end - start));
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
            section = trimmed(line.substr(1, line.size() - 2));
        else if (const auto eq = line.find('='); eq != std::string::npos)
            keys.emplace(section, trimmed(line.substr(0, eq)));
    }
    return keys;
}

// In memory where the machine has it: every input is written and renamed.
void makeFolders()
{
    std::string base = "/dev/shm";
    if (::access(base.c_str(), W_OK) != 0)
        base = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    std::string folder = base + "/starbond-fuzz-store.XXXXXX";
    check(::mkdtemp(folder.data()) != nullptr, "no scratch folder");
    g_app = folder + "/app";
    g_dotfiles = folder + "/dotfiles";
    static const std::string run = folder + "/run"; // the private folder of the store's lock
    check(::mkdir(g_app.c_str(), 0700) == 0 && ::mkdir(g_dotfiles.c_str(), 0700) == 0 &&
              ::mkdir(run.c_str(), 0700) == 0 && ::setenv("XDG_RUNTIME_DIR", run.c_str(), 1) == 0,
          "no scratch folder");
    for (const char *mine : AppFiles)
        writeFile(g_app + "/" + mine, mine, 0644);
    for (const char *mine : DotFiles)
        writeFile(g_dotfiles + "/" + mine, mine, 0644);
    g_mine = usersFiles(g_app);
    g_theirs = usersFiles(g_dotfiles);
    static const std::string made = folder;
    std::atexit([] {
        for (const std::string &f : {g_app, g_dotfiles, run + "/fuzz_store", run}) {
            empty(f);
            ::rmdir(f.c_str());
        }
        ::rmdir(made.c_str());
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (g_app.empty())
        makeFolders();
    FuzzedDataProvider input(data, size);
    const bool linked = input.ConsumeBool();
    const std::string section = input.ConsumeRandomLengthString();
    const std::string name = input.ConsumeRandomLengthString();
    const std::string value = input.ConsumeRandomLengthString();
    const std::string content = input.ConsumeRemainingBytesAsString();

    platform::FileUserStore store(g_app);
    const std::string link = store.filePath();
    const std::string folder = linked ? g_dotfiles : g_app, file = linked ? "starbond.ini" : "settings.ini";
    const std::string path = folder + "/" + file;
    if (linked)
        check(::symlink("../dotfiles/starbond.ini", link.c_str()) == 0, "cannot set up the link");
    writeFile(path, content, 0600);
    const std::string deadName = "." + file + ".starbond-tmp.Zz99Zz", dead = folder + "/" + deadName;
    // The value's name as a file of the user's too, where it can be one.
    Files mine = g_mine, theirs = g_theirs;
    std::vector<std::string> planted;
    if (!name.empty() && name != "." && name != ".." && name != deadName && name.size() < 200 &&
        name.find_first_of(std::string("/\0", 2)) == std::string::npos)
        for (const std::string &f : {g_app, g_dotfiles})
            if (::access((f + "/" + name).c_str(), F_OK) != 0) {
                writeFile(f + "/" + name, "mine", 0644);
                planted.push_back(f + "/" + name);
                if (name != "settings.ini" && name != "starbond.ini")
                    (f == g_app ? mine : theirs)[name] = usersFiles(f)[name];
            }
    writeFile(dead, "left by a writer that died", 0600);

    auto keys = keysIn(content);
    keys.emplace(section, name);
    std::map<std::pair<std::string, std::string>, std::optional<std::string>> before;
    for (const auto &key : keys)
        before[key] = store.read(key.first, key.second);

    const bool written = store.write(section, name, value);
    // A damaged file never blocks a write; a nameless value is refused.
    check(written == !name.empty(), "write refused, or a nameless value taken");
    if (written) {
        check(store.read(section, name) == value, "written value reads back otherwise");
        for (const auto &[key, was] : before)
            if (key != std::pair(section, name))
                check(store.read(key.first, key.second) == was, "another value changed");
        const std::string after = fileBytes(path);
        for (const char ch : after)
            check(ch == '\n' || (ch >= 0x20 && ch < 0x7f), "written file is not plain text");
        check(store.write(section, name, value) && fileBytes(path) == after, "same write changed the file");
    } else {
        check(fileBytes(path) == content, "refused write changed the file");
    }
    struct stat st {
    };
    check(::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode) == linked, "link replaced");
    check((::access(dead.c_str(), F_OK) == 0) == !written, "a dead writer's file left, or removed by a refused write");
    auto app = usersFiles(g_app), dotfiles = usersFiles(g_dotfiles);
    (linked ? dotfiles : app).erase(deadName);
    check(app == mine && dotfiles == theirs, "a file of the user's touched, or something left beside the file");
    for (const std::string &gone : planted)
        ::unlink(gone.c_str());
    ::unlink(dead.c_str());
    ::unlink(link.c_str());
    ::unlink(path.c_str());
    return 0;
}
