#include "CLevelLoader.h"

#include <cstdlib>
#include <string>

#include "CDamagedFile.h"
#include "CLevel.h"
#include "CStoneInfo.h"
#include "TextEncoding.h"
#include "CXmlDocument.h"
#include "INextStoneViewFactory.h"

// File layout: <levels completed last> holds one <level nr name> per level,
// each with <grid size> (its <field type> children with a <position x y z>),
// <placeable mode> (its <stone type> children in the order offered) and
// <stones> (its <stone type> children with a <position x y z>), in this order.

static int ReadInt(const std::string& text)
{
    return atoi(text.c_str());
}

static std::string IntText(int value)
{
    return std::to_string(value);
}

CLevelLoader::CLevelLoader()
    : current(1), completed(0), loaded(0), last(1)
{
}

CLevelLoader::~CLevelLoader()
{
    for (size_t i = 0; i < levels.size(); i++)
        delete levels[i];
}

int CLevelLoader::Load(const char* path)
{
    CXmlDocument document;
    loaded = document.Load(path) ? 1 : 0;
    resultText = document.GetResultText();
    if (!loaded)
        return 0;

    // A document element of another name leaves no current element: the
    // numbers read as 0, and the levels below it are read all the same.
    document.FindElement("levels");
    completed = ReadInt(document.GetAttribute("completed"));
    last = ReadInt(document.GetAttribute("last"));
    current = last;

    while (document.FindChildElement("level")) {
        document.EnterElement();
        levels.push_back(ReadLevel(document));
        document.LeaveElement();
    }
    KeepCurrentInRange();
    return loaded;
}

// Counts the children of the given name of the current element; the position
// stays where it was.
int CLevelLoader::CountChildren(CXmlDocument& document, const char* name)
{
    int count = 0;
    document.SavePosition("");
    while (document.FindChildElement(name))
        count++;
    document.RestorePosition("");
    return count;
}

// Reads the "position" child of the current element; a missing one reads as
// 0, 0, 0.
void CLevelLoader::ReadPosition(CXmlDocument& document, int* x, int* y, int* z)
{
    document.FindChildElement("position");
    *x = ReadInt(document.GetChildAttribute("x"));
    *y = ReadInt(document.GetChildAttribute("y"));
    *z = ReadInt(document.GetChildAttribute("z"));
}

// Reads the level that is the current element. A level without "grid" or
// "stones" has no fields or no stones rather than reading them out of
// another element.
CLevel* CLevelLoader::ReadLevel(CXmlDocument& document)
{
    CLevel* level = new CLevel();
    // Names are kept as UTF-8; files written as Latin-1 read the same.
    level->SetName(ToWellFormedUtf8(document.GetAttribute("name")));
    level->number = ReadInt(document.GetAttribute("nr"));

    if (document.FindChildElement("grid")) {
        document.EnterElement();
        level->size = ReadInt(document.GetAttribute("size"));
        int count = CountChildren(document, "field");
        CStoneInfo* fields = nullptr;
        if (count > 0) {
            fields = new CStoneInfo[count];
            for (int i = 0; i < count && document.FindChildElement("field"); i++) {
                fields[i].type = ReadInt(document.GetChildAttribute("type"));
                document.EnterElement();
                ReadPosition(document, &fields[i].x, &fields[i].y, &fields[i].z);
                document.LeaveElement();
            }
        }
        level->SetFields(fields, count);
        document.LeaveElement();
    }

    if (document.FindChildElement("placeable")) {
        level->placeableMode = ReadInt(document.GetChildAttribute("mode"));
        document.EnterElement();
        int count = CountChildren(document, "stone");
        if (count > 0) {
            int* types = new int[count]();
            for (int i = 0; i < count && document.FindChildElement("stone"); i++)
                types[i] = ReadInt(document.GetChildAttribute("type"));
            delete[] level->placeableTypes;
            level->placeableTypes = types;
            level->placeableCount = count;
        }
        document.LeaveElement();
    }

    if (document.FindChildElement("stones")) {
        document.EnterElement();
        int count = CountChildren(document, "stone");
        CStoneInfo** stones = nullptr;
        if (count > 0) {
            stones = new CStoneInfo*[count];
            for (int i = 0; i < count; i++)
                stones[i] = new CStoneInfo();
            for (int i = 0; i < count && document.FindChildElement("stone"); i++) {
                document.EnterElement();
                stones[i]->type = ReadInt(document.GetAttribute("type"));
                ReadPosition(document, &stones[i]->x, &stones[i]->y, &stones[i]->z);
                document.LeaveElement();
            }
        }
        level->SetStones(stones, count);
        document.LeaveElement();
    }
    return level;
}

// Writes the whole list; each level's "nr" becomes its position in the list.
bool CLevelLoader::Save(const char* path)
{
    CXmlDocument document;
    document.AddElement("levels");
    document.SetAttribute("completed", IntText(completed).c_str());
    document.SetAttribute("last", IntText(last).c_str());
    for (size_t i = 0; i < levels.size(); i++)
        WriteLevel(document, levels[i], (int)i + 1);

    if (!CDamagedFile::KeepBeforeSave(path, &resultText))
        return false;
    bool saved = document.Save(path);
    resultText = document.GetResultText();
    return saved;
}

void CLevelLoader::WriteLevel(CXmlDocument& document, CLevel* level, int number)
{
    document.AddChildElement("level");
    document.EnterElement();
    document.SetAttribute("nr", IntText(number).c_str());
    document.SetAttribute("name", level->name.c_str());

    document.AddChildElement("grid");
    document.EnterElement();
    document.SetAttribute("size", IntText(level->size).c_str());
    for (int i = 0; i < level->fieldCount; i++) {
        const CStoneInfo& field = level->fields[i];
        document.AddChildElement("field");
        document.EnterElement();
        document.SetAttribute("type", IntText(field.type).c_str());
        document.AddChildElement("position");
        document.SetChildAttribute("x", IntText(field.x).c_str());
        document.SetChildAttribute("y", IntText(field.y).c_str());
        document.SetChildAttribute("z", IntText(field.z).c_str());
        document.LeaveElement();
    }
    document.LeaveElement();

    document.AddChildElement("placeable");
    document.EnterElement();
    document.SetAttribute("mode", IntText(level->placeableMode).c_str());
    for (int i = 0; i < level->placeableCount; i++) {
        document.AddChildElement("stone");
        document.SetChildAttribute("type", IntText(level->placeableTypes[i]).c_str());
    }
    document.LeaveElement();

    document.AddChildElement("stones");
    document.EnterElement();
    for (int i = 0; i < level->stoneCount; i++) {
        const CStoneInfo* stone = level->stones[i];
        document.AddChildElement("stone");
        document.SetChildAttribute("type", IntText(stone->type).c_str());
        document.EnterElement();
        document.AddChildElement("position");
        document.SetChildAttribute("x", IntText(stone->x).c_str());
        document.SetChildAttribute("y", IntText(stone->y).c_str());
        document.SetChildAttribute("z", IntText(stone->z).c_str());
        document.LeaveElement();
    }
    document.LeaveElement();
    document.LeaveElement();
}

int CLevelLoader::GetLevelCount()
{
    return (int)levels.size();
}

CLevel* CLevelLoader::GetLevel(int n)
{
    if (n < 1 || n > GetLevelCount())
        return nullptr;
    return levels[n - 1];
}

// A file may name a start level of 0 or past its last level; the current
// level is kept within the list whenever a level is asked for.
void CLevelLoader::KeepCurrentInRange()
{
    int count = GetLevelCount();
    if (current > count)
        current = count;
    if (current < 1)
        current = 1;
}

CLevel* CLevelLoader::GetCurrentLevel()
{
    KeepCurrentInRange();
    return GetLevel(current);
}

int CLevelLoader::NextLevel()
{
    int result = 1;
    current++;
    if (current > GetLevelCount()) {
        current = GetLevelCount();
        result = 0;
    }
    last = current;
    return result;
}

void CLevelLoader::ResetToLastLevel()
{
    current = last;
    KeepCurrentInRange();
}

void CLevelLoader::UpdateCompleted()
{
    if (current > completed)
        completed = current;
}

int CLevelLoader::FindLevel(CLevel* level)
{
    for (size_t i = 0; i < levels.size(); i++) {
        if (levels[i] == level)
            return (int)i;
    }
    return -1;
}

void CLevelLoader::InsertLevel(CLevel* level, CLevel* before)
{
    // A level already in the list would stand in it twice and be deleted twice.
    if (!level || FindLevel(level) >= 0)
        return;
    int at = before ? FindLevel(before) : -1;
    if (at < 0)
        levels.push_back(level);
    else
        levels.insert(levels.begin() + at, level);
}

void CLevelLoader::MoveLevelUp(CLevel* level)
{
    int at = FindLevel(level);
    if (at < 1)
        return;
    levels[at] = levels[at - 1];
    levels[at - 1] = level;
}

void CLevelLoader::MoveLevelDown(CLevel* level)
{
    int at = FindLevel(level);
    if (at < 0 || at + 1 >= GetLevelCount())
        return;
    levels[at] = levels[at + 1];
    levels[at + 1] = level;
}

CNextStoneView* CLevelLoader::CreateNextStoneView(INextStoneViewFactory* factory, CLevel* level)
{
    if (!level || !factory)
        return nullptr;
    if (level->placeableMode != 0)
        return factory->CreateRandomNextStoneView();
    return factory->CreateNextStoneStackView(level->placeableCount, level->placeableTypes);
}
