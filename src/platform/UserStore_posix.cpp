#include "platform/UserStore_posix.h"

#include "platform/Backends.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMap>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{
namespace
{

// Far above the few dozen bytes the store writes: a longer file is no store
// of ours, and it is left as it is.
constexpr qint64 MaxFileSize = 64 * 1024;

// The longest wait for another writer of the store.
constexpr int LockPatienceMs = 2000;

// As many links as the kernel follows in one path; more is taken for a loop.
constexpr int MaxLinks = 40;

bool ownedByUserOrRoot(const struct stat &st)
{
    return st.st_uid == ::geteuid() || st.st_uid == 0;
}

// No one else can put an entry of their own in place of one of ours.
bool closedToOthers(const struct stat &folder)
{
    return (folder.st_mode & 022) == 0 || (folder.st_mode & S_ISVTX) != 0;
}

bool statOf(const QString &path, struct stat &st)
{
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QString parentOf(const QString &folder)
{
    const qsizetype slash = folder.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : folder.left(slash);
}

QByteArray linkTarget(const QString &link)
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(QFile::encodeName(link).constData(), buf, sizeof buf);
    return n > 0 && static_cast<std::size_t>(n) < sizeof buf ? QByteArray(buf, n) : QByteArray();
}

using Sections = QMap<QByteArray, QMap<QByteArray, QByteArray>>;

// Earlier versions wrote \xHH where this one writes %HH.
QByteArray decoded(QByteArray text)
{
    return QByteArray::fromPercentEncoding(text.replace("\\x", "%"));
}

Sections parse(const QByteArray &content)
{
    Sections sections;
    QByteArray section;
    bool inSection = false;
    const QList<QByteArray> lines = content.split('\n');
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (line.startsWith('[') && line.endsWith(']')) {
            section = decoded(line.mid(1, line.size() - 2));
            inSection = true;
        } else if (inSection && eq > 0) {
            const QByteArray name = decoded(line.left(eq).trimmed());
            if (!name.isEmpty())
                sections[section][name] = decoded(line.mid(eq + 1).trimmed());
        }
    }
    return sections;
}

QByteArray serialize(const Sections &sections)
{
    QByteArray text;
    for (auto s = sections.cbegin(); s != sections.cend(); ++s) {
        text += '[' + s.key().toPercentEncoding() + "]\n";
        for (auto v = s->cbegin(); v != s->cend(); ++v)
            text += v.key().toPercentEncoding() + '=' + v.value().toPercentEncoding() + '\n';
    }
    return text;
}

// The store's file with its links followed, in a folder of the user's that no
// one else can write in; empty where there is none to trust.
QString storeFile(const QString &path, bool makeFolders)
{
    const QString file = trustedPath(path, makeFolders);
    struct stat folder {
    };
    if (file.isEmpty() || !statOf(parentOf(file), folder) || folder.st_uid != ::geteuid() || (folder.st_mode & 022))
        return {};
    return file;
}

// The file's bytes, empty where there is none yet; nullopt where it is no
// regular file, its user made it unreadable, or it is longer than the store
// ever writes.
std::optional<QByteArray> contentOf(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return QByteArray();
    if (!info.isFile() || !info.permission(QFile::ReadOwner) || info.size() > MaxFileSize)
        return std::nullopt;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = in.read(MaxFileSize + 1);
    if (content.size() > MaxFileSize)
        return std::nullopt;
    return content;
}

} // namespace

QString trustedPath(const QString &path, bool makeFolders)
{
    if (!path.startsWith(u'/'))
        return {};
    QStringList ahead = path.split(u'/', Qt::SkipEmptyParts);
    QString here = QStringLiteral("/");
    int links = 0;
    while (!ahead.isEmpty()) {
        const QString name = ahead.takeFirst();
        if (name == u".")
            continue;
        if (name == u"..") {
            here = parentOf(here);
            continue;
        }
        struct stat folder {
        };
        if (!statOf(here, folder) || !S_ISDIR(folder.st_mode) || !ownedByUserOrRoot(folder) || !closedToOthers(folder))
            return {};
        const QString next = (here == u"/" ? QString() : here) + u'/' + name;
        struct stat entry {
        };
        if (!statOf(next, entry)) {
            if (errno == ENOENT && ahead.isEmpty())
                return next; // the file is made by the first write
            if (errno != ENOENT || !makeFolders || folder.st_uid != ::geteuid() ||
                !QDir().mkdir(next, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) || !statOf(next, entry))
                return {};
        }
        if (!ownedByUserOrRoot(entry))
            return {};
        if (S_ISLNK(entry.st_mode)) {
            const QByteArray target = linkTarget(next);
            if (target.isEmpty() || ++links > MaxLinks)
                return {};
            ahead = QFile::decodeName(target).split(u'/', Qt::SkipEmptyParts) + ahead;
            if (target.startsWith('/'))
                here = QStringLiteral("/");
            continue;
        }
        here = next;
    }
    return here;
}

bool clearForLock(const QString &lockFile)
{
    struct stat st {
    };
    if (!statOf(lockFile, st))
        return errno == ENOENT;
    return S_ISREG(st.st_mode) || (!S_ISDIR(st.st_mode) && QFile::remove(lockFile));
}

bool takeLock(QLockFile &lock, int waitMs)
{
    if (lock.tryLock(waitMs))
        return true;
    return lock.error() == QLockFile::LockFailedError && lock.removeStaleLockFile() && lock.tryLock(0);
}

QString storeFolder()
{
    const QString folder = storeFile(defaultStorePath(), true);
    return folder.isEmpty() ? folder : parentOf(folder);
}

FileUserStore::FileUserStore(QString filePath) : m_path(std::move(filePath)) {}

std::optional<std::string> FileUserStore::read(const std::string &section, const std::string &name)
{
    const QString file = storeFile(m_path, false);
    const auto content = file.isEmpty() ? std::nullopt : contentOf(file);
    if (!content)
        return std::nullopt;
    const Sections sections = parse(*content);
    const auto s = sections.constFind(QByteArray::fromStdString(section));
    if (s == sections.cend() || !s->contains(QByteArray::fromStdString(name)))
        return std::nullopt;
    return s->value(QByteArray::fromStdString(name)).toStdString();
}

bool FileUserStore::write(const std::string &section, const std::string &name, const std::string &value)
{
    const QString file = name.empty() ? QString() : storeFile(m_path, true);
    if (file.isEmpty())
        return false;
    // Writers take turns, so that none loses another's change; one that holds
    // the lock too long is not waited for: the write is skipped.
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!clearForLock(file + QStringLiteral(".lock")) || !takeLock(lock, LockPatienceMs))
        return false;
    const auto content = contentOf(file);
    // A file its user made read-only stays as it is.
    if (!content || (QFileInfo::exists(file) && !(QFile::permissions(file) & QFile::WriteOwner)))
        return false;
    Sections sections = parse(*content);
    sections[QByteArray::fromStdString(section)][QByteArray::fromStdString(name)] = QByteArray::fromStdString(value);
    const QByteArray text = serialize(sections);
    QSaveFile out(file);
    if (text.size() > MaxFileSize || !out.open(QIODevice::WriteOnly))
        return false;
    out.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    out.write(text);
    return out.commit();
}

QString defaultStorePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + programName() +
           QStringLiteral("/settings.ini");
}

UserStore &hostStore()
{
    static FileUserStore store(defaultStorePath());
    return store;
}

} // namespace platform
