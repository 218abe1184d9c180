#pragma once

#include "platform/Services.h"

#include <string>

namespace platform::win32
{

// String values below HKEY_CURRENT_USER\<key>\<section>; names and data are
// ANSI bytes, stored as REG_SZ.
class RegistryUserStore final : public UserStore
{
  public:
    explicit RegistryUserStore(std::string key);
    std::optional<std::string> read(const std::string &section, const std::string &name) override;
    bool write(const std::string &section, const std::string &name, const std::string &value) override;

  private:
    std::string m_key;
};

} // namespace platform::win32
