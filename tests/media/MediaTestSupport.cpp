#include "MediaTestSupport.h"

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

std::string BuildDir()
{
    const char* dir = getenv("ZARUL_BUILD_DIR");
    return dir && *dir ? dir : ".";
}

std::string MediaPath(const std::string& name)
{
    return BuildDir() + "/media/" + name;
}

bool FileExists(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return false;
    fclose(f);
    return true;
}

std::vector<unsigned char> ReadBytes(const std::string& path)
{
    std::vector<unsigned char> data;
    ReadWholeFile(path, data);
    return data;
}

Image LoadMediaImage(const std::string& name)
{
    Image image;
    std::string error;
    EXPECT_TRUE(LoadImageFile(MediaPath(name), image, error)) << name << ": " << error;
    return image;
}
