#include "MediaTestSupport.h"

#include <gtest/gtest.h>

std::string MediaPath(const std::string& name)
{
    return BuildPath("media/" + name);
}

Image LoadMediaImage(const std::string& name)
{
    Image image;
    std::string error;
    EXPECT_TRUE(LoadImageFile(MediaPath(name), image, error)) << name << ": " << error;
    return image;
}
