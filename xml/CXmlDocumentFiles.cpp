// CXmlDocument: loading and saving files. Files are read and written as bytes
// without any conversion.
#include "CXmlDocument.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static std::string ByteCountText(long count)
{
    char text[32];
    snprintf(text, sizeof(text), "%d bytes", (int)count);
    return text;
}

bool CXmlDocument::Load(const char* path)
{
    if (!path)
    {
        resultText = strerror(EINVAL);
        return false;
    }
    FILE* file = fopen(path, "rb");
    if (!file)
    {
        resultText = strerror(errno);
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
        char* resolved = realpath(path, 0);
        if (resolved)
        {
            std::string target = resolved;
            free(resolved);
            return target;
        }
    }
    return path;
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

    // A file that could not be opened for writing is not replaced either
    // (a write-protected file, a folder); the error is the one opening gives.
    std::string target = SaveTarget(path);
    int existing = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (existing < 0 && errno != ENOENT)
    {
        resultText = strerror(errno);
        return false;
    }
    if (existing >= 0)
        close(existing);

    std::string temporary = target + ".XXXXXX";
    int fd = mkstemp(&temporary[0]);
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

    bool ok = fchmod(fd, mode) == 0 &&
              WriteAll(fd, docText.data(), docText.size()) &&
              fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && ok)
    {
        ok = false;
        error = errno;
    }
    if (ok && rename(temporary.c_str(), target.c_str()) != 0)
    {
        ok = false;
        error = errno;
    }
    if (!ok)
    {
        unlink(temporary.c_str());
        resultText = strerror(error);
        return false;
    }

    if (!docText.empty())
        resultText = ByteCountText((long)docText.size());
    return true;
}
