#include "CDamagedFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CMessageLog.h"
#include "CResourceManager.h"
#include "CXmlDocument.h"

// Copies the bytes of a file into a new file that must not exist yet.
static int CopyToNewFile(const char* from, const char* to)
{
    int in = open(from, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    int out = open(to, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        int error = errno;
        close(in);
        return error;
    }
    int error = 0;
    char buffer[65536];
    for (;;) {
        ssize_t got = read(in, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got < 0)
                error = errno;
            break;
        }
        for (ssize_t at = 0; at < got && !error; ) {
            ssize_t written = write(out, buffer + at, (size_t)(got - at));
            if (written < 0 && errno != EINTR)
                error = errno;
            else if (written > 0)
                at += written;
        }
        if (error)
            break;
    }
    if (!error && fsync(out) != 0)
        error = errno;
    if (close(out) != 0 && !error)
        error = errno;
    close(in);
    if (error)
        unlink(to);
    return error;
}

// Keeps the file under the name: a second hard link when the file system has
// them (no bytes need to be read), else a copy. EEXIST: the name is taken.
static int KeepAs(const char* path, const char* kept)
{
    if (linkat(AT_FDCWD, path, AT_FDCWD, kept, AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno == EEXIST)
        return EEXIST;
    return CopyToNewFile(path, kept);
}

static bool Refuse(const std::string& reason, std::string* error)
{
    if (error)
        *error = reason;
    return false;
}

bool CDamagedFile::KeepBeforeSave(const char* path, std::string* error)
{
    struct stat info;
    if (!path || stat(path, &info) != 0 || !S_ISREG(info.st_mode))
        return true;    // nothing to keep: the save creates the file, or refuses what is no regular file

    CXmlDocument document;
    if (document.Load(path))
        return true;
    std::string reason = document.GetResultText();

    for (int n = 1; n <= MAX_KEPT; n++) {
        std::string kept = std::string(path) + ".damaged";
        if (n > 1)
            kept += "." + std::to_string(n);
        int result = KeepAs(path, kept.c_str());
        if (result == EEXIST)
            continue;
        if (result != 0)
            return Refuse("cannot keep the damaged file " + std::string(path) + " as " + kept + ": " +
                              strerror(result), error);
        std::string line = std::string(path) + " could not be read (" + reason + "); kept as " + kept +
                           ", a new file is written";
        CResourceManager::MessageLog()->Message(CMessageLog::WARNING, line.c_str());
        return true;
    }
    return Refuse("cannot keep the damaged file " + std::string(path) + ": every name up to " + path +
                      ".damaged." + std::to_string(MAX_KEPT) + " is taken", error);
}
