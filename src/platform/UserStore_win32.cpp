#include "platform/UserStore_win32.h"

#include "platform/Backends.h"

#include <windows.h>

namespace platform
{
namespace win32
{

RegistryUserStore::RegistryUserStore(std::string key) : m_key(std::move(key)) {}

std::optional<std::string> RegistryUserStore::read(const std::string &section, const std::string &name)
{
    HKEY key = nullptr;
    const std::string path = m_key + "\\" + section;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::string> result;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::string data(size, '\0');
        if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data.data()), &size) ==
            ERROR_SUCCESS) {
            data.resize(size);
            // REG_SZ data normally carries its terminator; none of ours holds a NUL.
            while (!data.empty() && data.back() == '\0')
                data.pop_back();
            result = data;
        }
    }
    ::RegCloseKey(key);
    return result;
}

bool RegistryUserStore::write(const std::string &section, const std::string &name, const std::string &value)
{
    HKEY key = nullptr;
    const std::string path = m_key + "\\" + section;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                                         static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

} // namespace win32

UserStore &hostStore()
{
    static win32::RegistryUserStore store("Software\\" + programFileName());
    return store;
}

} // namespace platform
