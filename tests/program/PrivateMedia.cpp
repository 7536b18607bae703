#include "PrivateMedia.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

bool CopyFileBytes(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    if (!in || !out)
        return false;
    out << in.rdbuf();
    return (bool)out;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

static void RemoveTree(const std::string& path)
{
    DIR* dir = opendir(path.c_str());
    if (dir) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "/" + name;
            struct stat info;
            if (lstat(child.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
                RemoveTree(child);
            else
                unlink(child.c_str());
        }
        closedir(dir);
    }
    rmdir(path.c_str());
}

PrivateMedia::PrivateMedia(const char* name, const char* mediaDir)
    : ready(false)
{
    char pattern[512];
    snprintf(pattern, sizeof(pattern), "%s/zarul_%s_XXXXXX", ZARUL_BUILD_DIR, name);
    if (!mkdtemp(pattern))
        return;
    folder = pattern;
    std::string media = folder + "/media";
    if (mkdir(media.c_str(), 0755) != 0)
        return;
    DIR* dir = opendir(mediaDir);
    if (!dir)
        return;
    bool ok = true;
    while (dirent* entry = readdir(dir)) {
        std::string file = entry->d_name;
        if (file == "." || file == "..")
            continue;
        std::string from = std::string(mediaDir) + "/" + file;
        std::string to = media + "/" + file;
        bool xml = file.size() > 4 && file.compare(file.size() - 4, 4, ".xml") == 0;
        ok = (xml ? CopyFileBytes(from, to) : symlink(from.c_str(), to.c_str()) == 0) && ok;
    }
    closedir(dir);
    ready = ok;
}

bool PrivateMedia::Enter()
{
    char current[4096];
    if (!getcwd(current, sizeof(current)))
        return false;
    previous = current;
    return chdir(folder.c_str()) == 0;
}

PrivateMedia::~PrivateMedia()
{
    if (!previous.empty() && chdir(previous.c_str()) != 0)
        perror("chdir");
    if (!folder.empty())
        RemoveTree(folder);
}
