// CXmlDocument: loading and saving files. Files are read and written as bytes
// without any conversion.
#include "CXmlDocument.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

static std::string ByteCountText(long count)
{
    char text[32];
    snprintf(text, sizeof(text), "%d bytes", (int)count);
    return text;
}

// Only a regular file is read: a FIFO or a device could block the reader or
// never end, and a folder holds no text.
static const char NOT_REGULAR[] = "not a regular file";

bool CXmlDocument::Load(const char* path)
{
    if (!path)
    {
        resultText = strerror(EINVAL);
        return false;
    }
    // Opened without blocking: opening a FIFO for reading would otherwise
    // wait for a writer.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
    {
        resultText = strerror(errno);
        return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0)
    {
        resultText = strerror(errno);
        close(fd);
        return false;
    }
    if (!S_ISREG(info.st_mode))
    {
        resultText = S_ISDIR(info.st_mode) ? strerror(EISDIR) : NOT_REGULAR;
        close(fd);
        return false;
    }
    FILE* file = fdopen(fd, "rb");
    if (!file)
    {
        resultText = strerror(errno);
        close(fd);
        return false;
    }

    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    if (size < 0 || fseek(file, 0, SEEK_SET) != 0)
    {
        resultText = strerror(errno);
        fclose(file);
        return false;
    }
    // Offsets into the text are ints; larger files cannot be indexed.
    if (size > INT_MAX - 1)
    {
        resultText = strerror(EFBIG);
        fclose(file);
        return false;
    }

    std::string bytes((size_t)size, '\0');
    size_t got = size ? fread(&bytes[0], 1, (size_t)size, file) : 0;
    if (ferror(file))
    {
        int error = errno;
        fclose(file);
        resultText = strerror(error ? error : EIO);
        return false;
    }
    fclose(file);

    // A file that shrank since its size was taken gives only the bytes read.
    bytes.resize(got);
    docText.swap(bytes);
    resultText = ByteCountText((long)got);
    return BuildIndex();
}

// The file a path names, following a symbolic link so that saving replaces
// the linked file rather than the link.
static std::string SaveTarget(const char* path)
{
    struct stat info;
    if (lstat(path, &info) == 0 && S_ISLNK(info.st_mode))
    {
        char* resolved = realpath(path, nullptr);
        if (resolved)
        {
            std::string target = resolved;
            free(resolved);
            return target;
        }
    }
    return path;
}

// Temporaries of a save are named "<file>.tmp-" and six characters of mkstemp.
static const char TEMPORARY_MARK[] = ".tmp-";

static bool IsTemporaryOf(const std::string& name, const std::string& file)
{
    size_t mark = sizeof(TEMPORARY_MARK) - 1;
    if (name.size() != file.size() + mark + 6 || name.compare(0, file.size(), file) != 0 ||
        name.compare(file.size(), mark, TEMPORARY_MARK) != 0)
        return false;
    for (size_t i = file.size() + mark; i < name.size(); i++)
    {
        char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

static std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Removes the temporaries that earlier saves of the file left behind when
// they were killed before their rename. A save holds a lock on its temporary
// while it writes, so one that another process is writing right now is
// left alone; the lock of a killed save went with its process.
static void RemoveStaleTemporaries(const std::string& target)
{
    std::string folder = FolderOf(target);
    size_t slash = target.rfind('/');
    std::string file = slash == std::string::npos ? target : target.substr(slash + 1);
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (struct dirent* entry = readdir(dir))
    {
        if (!IsTemporaryOf(entry->d_name, file))
            continue;
        int fd = openat(dirfd(dir), entry->d_name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Removed only while locked here, and only when the name still is the
        // file that was locked (a save may have renamed it meanwhile).
        struct stat opened, named;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 &&
            fstatat(dirfd(dir), entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino)
            unlinkat(dirfd(dir), entry->d_name, 0);
        close(fd);
    }
    closedir(dir);
}

// Makes a new temporary beside the target and locks it for the time of the
// save. A temporary that another save took for a stale one and removed
// between its making and its locking is made again.
static int MakeLockedTemporary(const std::string& target, std::string* temporary)
{
    for (int attempt = 0; attempt < 100; attempt++)
    {
        *temporary = target + TEMPORARY_MARK + "XXXXXX";
        int fd = mkstemp(&(*temporary)[0]);
        if (fd < 0)
            return -1;
        // A file system without locks still saves, only unguarded.
        flock(fd, LOCK_EX);
        struct stat info;
        if (fstat(fd, &info) != 0 || info.st_nlink > 0)
            return fd;
        close(fd);
    }
    errno = EAGAIN;
    return -1;
}

// Makes the rename itself durable: without this a power cut can bring the
// old directory entry back.
static void SyncFolder(const std::string& target)
{
    int fd = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

static bool WriteAll(int fd, const char* data, size_t length)
{
    while (length > 0)
    {
        ssize_t written = write(fd, data, length);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        length -= (size_t)written;
    }
    return true;
}

// Writes into a temporary file beside the target and renames it over the
// target only when every byte is on disk, so a failed or interrupted save
// leaves the old file as it was.
bool CXmlDocument::Save(const char* path)
{
    if (!path)
    {
        resultText = strerror(EINVAL);
        return false;
    }

    // Only a regular file is replaced: a FIFO, a device or a folder in its
    // place stays as it is. A file that could not be opened for writing is
    // not replaced either (a write-protected file); the error is the one
    // opening gives.
    std::string target = SaveTarget(path);
    struct stat existingInfo;
    if (stat(target.c_str(), &existingInfo) == 0)
    {
        if (!S_ISREG(existingInfo.st_mode))
        {
            resultText = S_ISDIR(existingInfo.st_mode) ? strerror(EISDIR) : NOT_REGULAR;
            return false;
        }
        int existing = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (existing < 0)
        {
            resultText = strerror(errno);
            return false;
        }
        close(existing);
    }
    else if (errno != ENOENT)
    {
        resultText = strerror(errno);
        return false;
    }

    RemoveStaleTemporaries(target);
    std::string temporary;
    int fd = MakeLockedTemporary(target, &temporary);
    if (fd < 0)
    {
        resultText = strerror(errno);
        return false;
    }

    // Keep the permissions of an existing file, else those a new file would get.
    mode_t mode;
    struct stat info;
    if (stat(target.c_str(), &info) == 0)
    {
        mode = info.st_mode & 07777;
    }
    else
    {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }

    // Renamed while still open, so the lock holds until the temporary has
    // become the file.
    bool ok = fchmod(fd, mode) == 0 &&
              WriteAll(fd, docText.data(), docText.size()) &&
              fsync(fd) == 0 &&
              rename(temporary.c_str(), target.c_str()) == 0;
    int error = errno;
    if (!ok)
        unlink(temporary.c_str());
    close(fd);
    if (!ok)
    {
        resultText = strerror(error);
        return false;
    }

    SyncFolder(target);
    if (!docText.empty())
        resultText = ByteCountText((long)docText.size());
    return true;
}
