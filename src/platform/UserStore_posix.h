#pragma once

#include "platform/Services.h"

#include <string>

namespace platform
{

// The per-user store as one text file, settings.ini in the given folder:
// "[section]" lines and "name=value" lines, every byte outside printable
// ASCII and every character special to the format written as \xHH. Each
// write replaces the file atomically, so a refused write leaves the old one;
// a settings.ini that is a symbolic link is followed, and the file it points
// to replaced in its own folder. Only a file reached through folders and
// links of the user's or root's, in a folder of the user's that no one else
// can write in, is read or written; without a folder there is no store.
class FileUserStore final : public UserStore
{
  public:
    explicit FileUserStore(std::string directory);
    std::optional<std::string> read(const std::string &section, const std::string &name) override;
    bool write(const std::string &section, const std::string &name, const std::string &value) override;
    std::string filePath() const;

  private:
    std::string m_directory;
};

// ${XDG_CONFIG_HOME:-$HOME/.config}/<program file name>
std::string defaultStoreDirectory();

} // namespace platform
