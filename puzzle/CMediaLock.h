// CMediaLock: one running copy of the program per media folder. Each copy
// keeps the whole levels and high-score lists in memory and writes them
// back whole, so a second copy on the same folder would write its stale
// lists over the results the first one saved. The lock is an advisory lock
// on the folder itself: no file is made for it, and it goes with the process
// however that ends.
#ifndef CMEDIALOCK_H
#define CMEDIALOCK_H

class CMediaLock
{
public:
    // Takes the folder for the rest of the process's life. false only when
    // another running process holds it; a folder that cannot be opened or
    // locked at all (missing, no locks on its file system) is not guarded
    // and gives true, as the files themselves report their errors.
    static bool Take(const char* folder);
};

#endif
