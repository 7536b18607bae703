#include "MediaTestSupport.h"

#include <gtest/gtest.h>

const ExpectedTexture kTextures[] = {
    { "arrow.dds", SEE_THROUGH, 0, 0 },       { "arial.dds", SEE_THROUGH, 512, 512 },
    { "stone_special.jpg", OPAQUE, 0, 0 },    { "stone_block.jpg", OPAQUE, 0, 0 },
    { "stone_blue.jpg", OPAQUE, 0, 0 },       { "stone_green.jpg", OPAQUE, 0, 0 },
    { "stone_red.jpg", OPAQUE, 0, 0 },        { "stone_yellow.jpg", OPAQUE, 0, 0 },
    { "stone_orange.jpg", OPAQUE, 0, 0 },     { "field_special.jpg", OPAQUE, 0, 0 },
    { "gridtile.jpg", OPAQUE, 0, 0 },         { "game_back.jpg", OPAQUE, 500, 375 },
    { "level.dds", SEE_THROUGH, 0, 0 },       { "num_0.dds", SEE_THROUGH, 0, 0 },
    { "num_1.dds", SEE_THROUGH, 0, 0 },       { "num_2.dds", SEE_THROUGH, 0, 0 },
    { "num_3.dds", SEE_THROUGH, 0, 0 },       { "num_4.dds", SEE_THROUGH, 0, 0 },
    { "num_5.dds", SEE_THROUGH, 0, 0 },       { "num_6.dds", SEE_THROUGH, 0, 0 },
    { "num_7.dds", SEE_THROUGH, 0, 0 },       { "num_8.dds", SEE_THROUGH, 0, 0 },
    { "num_9.dds", SEE_THROUGH, 0, 0 },       { "level_finished.dds", SEE_THROUGH, 0, 0 },
    { "highscore.dds", SEE_THROUGH, 0, 0 },   { "expla.bmp", OPAQUE, 6 * 128, 6 * 128 },
    { "sun.jpg", OPAQUE, 0, 0 },              { "tex004.dds", SEE_THROUGH, 0, 0 },
    { "qm_logo.jpg", OPAQUE, 520, 480 },      { "zarul_logo.jpg", OPAQUE, 0, 0 },
    { "menu_back.jpg", OPAQUE, 0, 0 },        { "right.dds", SEE_THROUGH, 0, 0 },
    { "left.dds", SEE_THROUGH, 0, 0 },        { "exit2.dds", SEE_THROUGH, 0, 0 },
    { "start.jpg", OPAQUE, 0, 0 },            { "options.jpg", OPAQUE, 0, 0 },
    { "score.jpg", OPAQUE, 0, 0 },            { "credits.jpg", OPAQUE, 0, 0 },
    { "help.jpg", OPAQUE, 0, 0 },             { "next.dds", SEE_THROUGH, 0, 0 },
    { "prev.dds", SEE_THROUGH, 0, 0 },        { "help_all.dds", SEE_THROUGH, 0, 0 },
    { "help_play_stone.dds", SEE_THROUGH, 0, 0 }, { "help_spezial.dds", SEE_THROUGH, 0, 0 },
    { "help_ziehen1.dds", SEE_THROUGH, 0, 0 },    { "help_ziehen2.dds", SEE_THROUGH, 0, 0 },
    { "help_setzen.dds", SEE_THROUGH, 0, 0 },     { "help_combo1.dds", SEE_THROUGH, 0, 0 },
    { "help_combo2.dds", SEE_THROUGH, 0, 0 },     { "help_stone_spezial.dds", SEE_THROUGH, 0, 0 },
};
const int kTextureCount = sizeof(kTextures) / sizeof(kTextures[0]);

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
