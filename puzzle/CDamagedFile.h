// CDamagedFile: before a save replaces one of the game's files, a file that
// is there but does not load is kept beside it as "<name>.damaged" (the next
// free "<name>.damaged.2", ".3", ... when an older one is kept already), so a
// save never destroys what could still be recovered by hand. A missing file
// needs nothing: the save simply creates it.
#ifndef CDAMAGEDFILE_H
#define CDAMAGEDFILE_H

#include <string>

class CDamagedFile
{
public:
    // true when the path may be written: there is no file, it loads, or it
    // has just been kept under a new name (one message line says so). false
    // when a damaged file could not be kept; *error then gives the reason
    // and the caller must not write over the file.
    static bool KeepBeforeSave(const char* path, std::string* error);

    // Tries at most this many names for the kept copy.
    static const int MAX_KEPT = 100;
};

#endif
