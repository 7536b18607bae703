// CLevelLoader: the ordered levels of one level file with the player's place
// in it: the current level, the highest level completed and the level at
// which the next game starts. Level numbers are 1-based positions in the list.
#ifndef CLEVELLOADER_H
#define CLEVELLOADER_H

#include <string>
#include <vector>

class CLevel;
class CXmlDocument;
class CNextStoneView;
class INextStoneViewFactory;

class CLevelLoader
{
public:
    CLevelLoader();
    virtual ~CLevelLoader();

    // Adds the levels of the file after those already listed; 1 when the file
    // was loaded and parsed, else 0 with nothing changed.
    int Load(const char* path);
    // Writes the whole list; false when the file could not be written (the
    // old file then stays as it was; GetResultText gives the reason). A file
    // there that does not load is kept beside it as "<path>.damaged" first.
    bool Save(const char* path);
    // The XML document's text of the last Load or Save: "%d bytes", with the
    // parse error or the system's error text when it failed.
    const std::string& GetResultText() const { return resultText; }

    int GetLevelCount();
    // Level n (1-based), or null when there is no such level.
    CLevel* GetLevel(int n);
    // The current level, or null when the list is empty.
    CLevel* GetCurrentLevel();
    int NextLevel();
    void ResetToLastLevel();
    void UpdateCompleted();
    // A new next-stone view for the level, made by the game's factory: a
    // finite stack (placeable mode 0) or an endless random supply; null for a
    // null level. The caller owns it.
    CNextStoneView* CreateNextStoneView(INextStoneViewFactory* factory, CLevel* level);

    void InsertLevel(CLevel* level, CLevel* before);
    void MoveLevelUp(CLevel* level);
    void MoveLevelDown(CLevel* level);

    std::vector<CLevel*> levels;    // owned, in file order
    int current;    // number of the current level
    int completed;  // highest level won so far
    int loaded;     // result of the last Load
    int last;       // level at which the next game starts

private:
    CLevelLoader(const CLevelLoader&) = delete;
    CLevelLoader& operator=(const CLevelLoader&) = delete;

    void KeepCurrentInRange();
    int FindLevel(CLevel* level);
    static int CountChildren(CXmlDocument& document, const char* name);
    static void ReadPosition(CXmlDocument& document, int* x, int* y, int* z);
    static CLevel* ReadLevel(CXmlDocument& document);
    static void WriteLevel(CXmlDocument& document, CLevel* level, int number);

    std::string resultText;
};

#endif
