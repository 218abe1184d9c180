#pragma once

#include "platform/Services.h"

#include <QString>

class QLockFile;

namespace platform
{

// The per-user store as one INI file: "[section]" lines and "name=value"
// lines, names and values percent-encoded. A write takes the store's lock
// file beside it (taking turns with other writers for at most two seconds)
// and replaces the file atomically (QSaveFile), mode 0600; lines it does not
// understand go then. A file linked in place is read and replaced where it
// lives. Only a file that no one but the user (and root) can swap is read or
// written: every folder and link on its way theirs, the folder holding it the
// user's and closed to others. What the store cannot read (no regular file,
// longer than it ever writes, not readable) reads as missing values and is
// left as it is.
class FileUserStore final : public UserStore
{
  public:
    explicit FileUserStore(QString filePath);
    std::optional<std::string> read(const std::string &section, const std::string &name) override;
    bool write(const std::string &section, const std::string &name, const std::string &value) override;

  private:
    QString m_path;
};

// <config location>/<program name>/settings.ini
QString defaultStorePath();

// Whether only the user and root can change what the absolute path leads to:
// every folder on the way and every link followed is theirs, and each folder
// is closed to others or sticky (as /tmp). Where makeFolders is set, missing
// folders on the way are made, mode 0700, in folders of the user's. The path
// with its links followed, or empty where it cannot be trusted.
QString trustedPath(const QString &path, bool makeFolders);

// The folder of the default store, made where missing; empty where it cannot
// be trusted.
QString storeFolder();

// A lock file's place must hold a regular file or nothing: QLockFile reads
// what stands there, and a FIFO would hang it. Anything else but a folder is
// removed; false where the place cannot be cleared.
bool clearForLock(const QString &lockFile);

// Takes the lock, waiting up to waitMs for its holder. QLockFile takes over a
// lock file only where it names a process that has died, or has aged past its
// stale time; one that a process killed before it wrote its name left empty is
// held by no process, as its missing flock shows, and is taken over too.
bool takeLock(QLockFile &lock, int waitMs);

} // namespace platform
