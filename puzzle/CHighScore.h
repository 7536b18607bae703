// CHighScore: the best results per mode and level, with their file. Play
// creates and updates only "puzzle" results; "panik" results are read and
// written back unchanged.
#ifndef CHIGHSCORE_H
#define CHIGHSCORE_H

#include <vector>

class CScore;
class CXmlDocument;

class CHighScore
{
public:
    CHighScore();
    virtual ~CHighScore();

    void Load(const char* path);
    void Save(const char* path);

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
};

#endif
