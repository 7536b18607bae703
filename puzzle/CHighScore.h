// CHighScore: the best results per mode and level, with their file. Play
// creates and updates only "puzzle" results; "panik" results are read and
// written back unchanged.
#ifndef CHIGHSCORE_H
#define CHIGHSCORE_H

#include <string>
#include <vector>

class CScore;
class CXmlDocument;

class CHighScore
{
public:
    CHighScore();
    virtual ~CHighScore();

    void Load(const char* path);
    // Writes both lists; false when the file could not be written (the old
    // file then stays as it was; GetResultText gives the reason). A file
    // there that does not load is kept beside it as "<path>.damaged" first.
    bool Save(const char* path);
    // The reason of the last failed save, else the last save's byte count.
    const std::string& GetResultText() const { return resultText; }

    // First entry of the puzzle list (mode 1) or of the panik list (any other
    // mode) with the level number; null when there is none.
    CScore* GetScore(int mode, int level);

    // Appends the entry to the list of its mode; the table takes it over.
    void AddScore(CScore* entry);

    std::vector<CScore*> puzzleScores;
    std::vector<CScore*> panikScores;

private:
    CHighScore(const CHighScore&) = delete;
    CHighScore& operator=(const CHighScore&) = delete;

    void Empty();
    static void ReadList(CXmlDocument& document, int mode, std::vector<CScore*>& list);
    static void WriteList(CXmlDocument& document, const std::vector<CScore*>& list);

    std::string resultText;
};

#endif
