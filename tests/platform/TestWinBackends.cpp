// The Win32 backends against the real Windows API (run under Wine here).

#include "platform/WinCheck.h"

#include "Hosts.h"
#include "app/Settings.h"
#include "app/UpdateReminder.h"
#include "outreach/Links.h"
#include "platform/Backends.h"
#include "platform/Shell_win32.h"
#include "platform/UserStore_win32.h"
#include "support/FakeServices.h"

#include <QCoreApplication>

#include <cstring>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace
{

const char *const TestKey = "Software\\StarbondWinTest";

std::optional<std::pair<DWORD, std::string>> rawValue(const std::string &keyPath, const std::string &name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char data[256];
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    return std::make_pair(type, std::string(data, size));
}

std::wstring rawWideValue(const std::string &keyPath, const wchar_t *name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return L"(no key)";
    wchar_t data[128] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    const LONG status = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::wstring(data) : L"(no value)";
}

std::string bytes(std::initializer_list<int> codes)
{
    std::string s;
    for (int c : codes)
        s.push_back(static_cast<char>(c));
    return s;
}

void testRegistryStore()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, TestKey);
    platform::win32::RegistryUserStore store(TestKey);
    fakes::All fakes;
    platform::services().store = &store;

    // Missing key, then a missing value in an existing key.
    CHECK(app::readSetting("Duration").empty());
    CHECK(!store.read("Settings", "absent"));

    CHECK(app::writeSetting("Install", "1"));
    CHECK(app::writeSetting("Duration", "12/7/2026"));
    const std::string settingsKey = std::string(TestKey) + "\\Settings";
    // On a Western machine exactly what the ANSI calls store, which other
    // programs may read; on any other the same Western characters.
    if (GetACP() == 1252) {
        const auto install = rawValue(settingsKey, bytes({158, 195, 200, 201, 182, 193, 193}));
        CHECK(install && install->first == REG_SZ && install->second == bytes({134, 0}));
        const auto duration = rawValue(settingsKey, bytes({153, 202, 199, 182, 201, 190, 196, 195}));
        CHECK(duration && duration->first == REG_SZ &&
              duration->second == bytes({134, 135, 132, 140, 132, 135, 133, 135, 139, 0}));
    }
    CHECK(rawWideValue(settingsKey, L"\u017e\u00c3\u00c8\u00c9\u00b6\u00c1\u00c1") == L"\u2020");
    CHECK(app::readSetting("Install") == "1");
    CHECK(app::readSetting("Duration") == "12/7/2026");
    CHECK(!store.read("Settings", "absent"));

    // Every byte an encoded value can hold survives, whatever the code page.
    std::string all;
    for (int c = 85; c <= 255; ++c)
        all.push_back(static_cast<char>(c));
    CHECK(store.write("Settings", "all", all));
    CHECK(store.read("Settings", "all") == all);

    // The production store is keyed by the program file's name.
    const std::string hostKey = "Software\\" + platform::programName().toStdString();
    RegDeleteTreeA(HKEY_CURRENT_USER, hostKey.c_str());
    CHECK(platform::programName() == QLatin1String("test_win_backends"));
    CHECK(platform::hostStore().write("Settings", "n", "v"));
    const auto hostValue = rawValue(hostKey + "\\Settings", "n");
    CHECK(hostValue && hostValue->second == bytes({'v', 0}));
    RegDeleteTreeA(HKEY_CURRENT_USER, hostKey.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, TestKey);
}

struct ShellCall {
    HWND owner;
    std::string operation;
    std::string file;
    bool parametersNull;
    std::string directory;
    INT show;
};
std::vector<ShellCall> shellCalls;
INT_PTR shellResult = 2; // SE_ERR_FNF: a link ignores it, the referral is told

HINSTANCE WINAPI recordShellExecute(HWND owner, LPCSTR op, LPCSTR file, LPCSTR params, LPCSTR dir, INT show)
{
    shellCalls.push_back({owner, op ? op : "", file ? file : "", params == nullptr, dir ? dir : "", show});
    return reinterpret_cast<HINSTANCE>(shellResult);
}

void testShell()
{
    platform::win32::ShellExecuteShell shell(&recordShellExecute);
    platform::ServicesOverride restore;
    platform::services().shell = &shell;

    outreach::openPage(outreach::Page::Download);
    outreach::openPage(outreach::Page::Download);
    CHECK(shellCalls.size() == 2);
    if (shellCalls.size() == 2) {
        const ShellCall &c = shellCalls[0];
        CHECK(c.owner == nullptr);
        CHECK(c.operation == "Open");
        CHECK(c.file == outreach::pageUrl(outreach::Page::Download));
        CHECK(c.parametersNull);
        CHECK(c.directory == "C:\\");
        CHECK(c.show == SW_SHOWNORMAL && c.show == 1);
        CHECK(shellCalls[1].file == c.file);
    }

    // Typed text reaches the shell unescaped, in the ANSI code page; a failure
    // is told at once.
    shellCalls.clear();
    const std::string typed = "http://www.velmora.example/x?taf1=Ren\xc3\xa9 & co\r\n";
    int notOpened = 0;
    shell.openUrl(typed, [&notOpened] { ++notOpened; });
    CHECK(shellCalls.size() == 1 && notOpened == 1);
    shellResult = 42;
    shell.openUrl(typed, [&notOpened] { ++notOpened; });
    CHECK(notOpened == 1);
    if (GetACP() == 1252 && shellCalls.size() == 2)
        CHECK(shellCalls[0].file == "http://www.velmora.example/x?taf1=Ren\xe9 & co\r\n");
}

void testCalendar()
{
    platform::Calendar &calendar = platform::hostCalendar();
    const QDate today = calendar.today();
    CHECK(today.isValid() && today.year() >= 2024);

    for (const QDate d : {today, QDate(2026, 12, 7), QDate(2000, 2, 29), QDate(1999, 1, 31), QDate(2049, 12, 31)}) {
        const std::string text = calendar.formatDate(d);
        CHECK(!text.empty());
        const QDate back = calendar.parseDate(text);
        CHECK(back == d);
        if (back != d)
            std::printf("  round trip of \"%s\"\n", text.c_str());
    }
    CHECK(calendar.parseDate("2026-12-07") == QDate(2026, 12, 7));
    CHECK(!calendar.parseDate("2026-02-30").isValid());
    CHECK(!calendar.parseDate("").isValid());
    CHECK(!calendar.parseDate("not a date").isValid());
    // A date that does not exist, written in the user's own form.
    std::string bad = calendar.formatDate(QDate(2026, 2, 28));
    if (const auto pos = bad.find("28"); pos != std::string::npos)
        CHECK(!calendar.parseDate(bad.replace(pos, 2, "30")).isValid());
}

// "Duration" holds the user's short date where it reads back as the same day,
// ISO 8601 elsewhere; every date from 1900 to 2100 reads back either way.
void testDurationInEveryPattern()
{
    struct Case {
        const char *pattern;
        QDate day;
        const char *written;
    };
    // Two-digit years name 1950 to 2049 (Windows' default window); the
    // store's encoding drops the middle dot (183).
    const Case cases[] = {
        {"M/d/yyyy", QDate(2026, 12, 7), "12/7/2026"},    {"dd.MM.yy", QDate(2026, 12, 7), "07.12.26"},
        {"dd.MM.yy", QDate(2069, 1, 5), "2069-01-05"},    {"dd.MM.yy", QDate(1949, 12, 31), "1949-12-31"},
        {"d-MMM-yyyy", QDate(2026, 12, 7), "7-Dec-2026"}, {"dd\xb7MM\xb7yyyy", QDate(2026, 12, 7), "2026-12-07"},
    };
    platform::Calendar &calendar = platform::hostCalendar();
    char saved[128] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved, sizeof saved);
    for (const Case &c : cases) {
        CHECK(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, c.pattern));
        // Month names are the user's language's.
        const bool english = PRIMARYLANGID(GetUserDefaultLangID()) == LANG_ENGLISH;
        CHECK(app::durationText(calendar, c.day) == c.written || (!english && std::strstr(c.pattern, "MMM")));
        int wrong = 0;
        for (QDate d(1900, 1, 1); d.year() <= 2100; d = d.addDays(1)) {
            const std::string text = app::durationText(calendar, d);
            if (calendar.parseDate(app::decodeText(app::encodeText(text))) != d && ++wrong == 1)
                std::printf("  %s: \"%s\" does not read back\n", c.pattern, text.c_str());
        }
        CHECK(wrong == 0);
    }
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved);
}

// The reminder on the real registry and calendar: the first start stores the
// user's short date, the next start reads it back and stays quiet.
void testReminderOnHost()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, TestKey);
    platform::win32::RegistryUserStore store(TestKey);
    fakes::All fakes;
    platform::services().store = &store;
    platform::services().calendar = &platform::hostCalendar();

    app::checkUpdateReminder();
    CHECK(app::readSetting("Install") == "1");
    CHECK(app::readSetting("Duration") == platform::hostCalendar().formatDate(platform::hostCalendar().today()));
    app::checkUpdateReminder();
    CHECK(fakes.messageBoxes.shown.empty());
    CHECK(fakes.shell.opened.empty());
    RegDeleteTreeA(HKEY_CURRENT_USER, TestKey);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv); // programName() reads the program file through it
    std::printf("ANSI code page %u\n", GetACP());
    testRegistryStore();
    testShell();
    testCalendar();
    testDurationInEveryPattern();
    testReminderOnHost();
    return wincheck::summary();
}
