// The groups of pictures and files the generator makes, each into the given media set.
#pragma once

#include "MediaSet.h"

void MakeStoneArt(MediaSet& media);      // stones, field and board tiles, backgrounds, sky
void MakeFontAtlas(MediaSet& media);     // arial.dds
void MakeInterfaceArt(MediaSet& media);  // cursor, buttons, banner words, digits, menu cubes, logos
void MakeHelpArt(MediaSet& media);       // help_*.dds
void MakeEffectArt(MediaSet& media);     // explosion sheet, sparkle, light rays
void MakeMeshes(MediaSet& media);        // env_skybox.x, cross.x, arrow.x
