#include "platform/UserStore_win32.h"

#include "platform/Backends.h"
#include "platform/CodePages_win32.h"

#include <algorithm>
#include <windows.h>

namespace platform
{
namespace win32
{
namespace
{

// The registry keeps UTF-16; the program's texts are bytes of a single-byte
// code page, shifted so that most are no letters at all. The "A" calls convert
// them through the ANSI code page, which keeps every byte only where that code
// page has one byte a character: on a Japanese, Chinese or Korean machine the
// shifted bytes read as broken double-byte characters and are lost. So the
// conversion is done here, through the ANSI code page where it keeps all 256
// bytes (what is stored is then exactly what the "A" calls stored, which other
// programs may read) and through Western 1252 otherwise.
bool keepsEveryByte(UINT codePage)
{
    CPINFO info{};
    if (!::GetCPInfo(codePage, &info) || info.MaxCharSize != 1)
        return false;
    char bytes[256];
    for (int i = 0; i < 256; ++i)
        bytes[i] = static_cast<char>(i);
    wchar_t wide[256];
    if (::MultiByteToWideChar(codePage, 0, bytes, 256, wide, 256) != 256)
        return false;
    char back[256];
    if (::WideCharToMultiByte(codePage, 0, wide, 256, back, 256, nullptr, nullptr) != 256)
        return false;
    return std::equal(bytes, bytes + 256, back);
}

UINT valueCodePage()
{
    static const UINT codePage = keepsEveryByte(::GetACP()) ? ::GetACP() : 1252;
    return codePage;
}

} // namespace

RegistryUserStore::RegistryUserStore(std::string key) : m_key(std::move(key)) {}

// The key's path is a real name (the program file's), in the ANSI code page.
std::optional<std::string> RegistryUserStore::read(const std::string &section, const std::string &name)
{
    HKEY key = nullptr;
    const std::wstring path = widen(m_key + "\\" + section, CP_ACP);
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring valueName = widen(name, valueCodePage());
    std::optional<std::string> result;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data.data()), &size) ==
            ERROR_SUCCESS) {
            data.resize(size / sizeof(wchar_t));
            // REG_SZ data normally carries its terminator; none of ours holds a NUL.
            while (!data.empty() && data.back() == L'\0')
                data.pop_back();
            result = narrow(data, valueCodePage());
        }
    }
    ::RegCloseKey(key);
    return result;
}

bool RegistryUserStore::write(const std::string &section, const std::string &name, const std::string &value)
{
    HKEY key = nullptr;
    const std::wstring path = widen(m_key + "\\" + section, CP_ACP);
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring data = widen(value, valueCodePage());
    const LONG status =
        ::RegSetValueExW(key, widen(name, valueCodePage()).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE *>(data.c_str()), static_cast<DWORD>((data.size() + 1) * 2));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

} // namespace win32

UserStore &hostStore()
{
    static win32::RegistryUserStore store("Software\\" + programName().toLocal8Bit().toStdString());
    return store;
}

} // namespace platform
