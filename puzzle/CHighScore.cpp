#include "CHighScore.h"

#include <cstdlib>
#include <string>

#include "CDamagedFile.h"
#include "CScore.h"
#include "TextEncoding.h"
#include "CXmlDocument.h"

// File layout: <HighScores> holds <puzzle> and <panik>; each holds one
// <level number="n"> per entry with <highscore> holding <name>, <score>, <date>.

CHighScore::CHighScore()
{
}

CHighScore::~CHighScore()
{
    Empty();
}

void CHighScore::Empty()
{
    for (size_t i = 0; i < puzzleScores.size(); i++)
        delete puzzleScores[i];
    for (size_t i = 0; i < panikScores.size(); i++)
        delete panikScores[i];
    puzzleScores.clear();
    panikScores.clear();
}

// A missing or malformed file leaves both lists empty.
void CHighScore::Load(const char* path)
{
    Empty();

    CXmlDocument document;
    if (!document.Load(path))
        return;

    // The root's name is not checked; "panik" is searched after "puzzle".
    if (document.FindChildElement("puzzle")) {
        document.EnterElement();
        ReadList(document, CScore::MODE_PUZZLE, puzzleScores);
        document.LeaveElement();
    }
    if (document.FindChildElement("panik")) {
        document.EnterElement();
        ReadList(document, CScore::MODE_PANIK, panikScores);
        document.LeaveElement();
    }
}

// Reads the "level" children of the current element. Each search inside
// "highscore" goes on after the child found before, so the children must
// stand in the order name, score, date; a missing one keeps the empty value.
// Texts are kept as UTF-8; files written as Latin-1 read the same.
void CHighScore::ReadList(CXmlDocument& document, int mode, std::vector<CScore*>& list)
{
    while (document.FindChildElement("level")) {
        document.EnterElement();
        CScore* entry = new CScore();
        entry->mode = mode;
        entry->level = atoi(document.GetAttribute("number").c_str());
        if (document.FindChildElement("highscore")) {
            document.EnterElement();
            if (document.FindChildElement("name"))
                entry->name = ToWellFormedUtf8(document.GetChildText());
            if (document.FindChildElement("score"))
                entry->score = atoi(document.GetChildText().c_str());
            if (document.FindChildElement("date"))
                entry->date = ToWellFormedUtf8(document.GetChildText());
            document.LeaveElement();
        }
        list.push_back(entry);
        document.LeaveElement();
    }
}

bool CHighScore::Save(const char* path)
{
    CXmlDocument document;
    document.AddElement("HighScores");
    document.AddChildElement("puzzle");
    document.EnterElement();
    WriteList(document, puzzleScores);
    document.LeaveElement();
    document.AddChildElement("panik");
    document.EnterElement();
    WriteList(document, panikScores);
    document.LeaveElement();

    if (!CDamagedFile::KeepBeforeSave(path, &resultText))
        return false;
    bool saved = document.Save(path);
    resultText = document.GetResultText();
    return saved;
}

void CHighScore::WriteList(CXmlDocument& document, const std::vector<CScore*>& list)
{
    for (size_t i = 0; i < list.size(); i++) {
        const CScore* entry = list[i];
        document.AddChildElement("level");
        document.EnterElement();
        document.SetAttribute("number", std::to_string(entry->level).c_str());
        document.AddChildElement("highscore");
        document.EnterElement();
        document.AddChildElement("name", entry->name.c_str());
        document.AddChildElement("score", std::to_string(entry->score).c_str());
        document.AddChildElement("date", entry->date.c_str());
        document.LeaveElement();
        document.LeaveElement();
    }
}

CScore* CHighScore::GetScore(int mode, int level)
{
    const std::vector<CScore*>& list = (mode == CScore::MODE_PUZZLE) ? puzzleScores : panikScores;
    for (size_t i = 0; i < list.size(); i++) {
        if (list[i]->level == level)
            return list[i];
    }
    return nullptr;
}

void CHighScore::AddScore(CScore* entry)
{
    if (!entry)
        return;
    if (entry->mode == CScore::MODE_PUZZLE)
        puzzleScores.push_back(entry);
    else
        panikScores.push_back(entry);
}
