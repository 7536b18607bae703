// A folder of a test's own holding media/: links to the build's media files,
// but copies of the two XML files, so that what a test saves stays private.
// The folder and everything in it go with the object.
#ifndef ZARUL_PRIVATEMEDIA_H
#define ZARUL_PRIVATEMEDIA_H

#include <string>

class PrivateMedia {
public:
    // name: part of the folder's name, for people who look; mediaDir: the
    // media to link to (another build's, for comparisons).
    explicit PrivateMedia(const char* name, const char* mediaDir = ZARUL_MEDIA_DIR);
    ~PrivateMedia();

    bool IsReady() const { return ready; }
    const std::string& Folder() const { return folder; }
    std::string File(const std::string& name) const { return folder + "/" + name; }
    std::string MediaFile(const std::string& name) const { return folder + "/media/" + name; }

    // Makes the folder the working folder until the object goes (for tests
    // that run the game inside the test process).
    bool Enter();

private:
    PrivateMedia(const PrivateMedia&);
    PrivateMedia& operator=(const PrivateMedia&);

    std::string folder;
    std::string previous;
    bool ready;
};

bool CopyFileBytes(const std::string& from, const std::string& to);
std::string ReadFileText(const std::string& path);

#endif
