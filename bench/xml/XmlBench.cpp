// Benchmarks of the XML document: parsing a generated ~1 MB level file with
// CXmlDocument and with pugixml (its default and its minimal parse) in turn,
// reading elements of many attributes with both, building a 1,000-level file
// with the editing operations, and saving it.
#include "CXmlDocument.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include "PairedTimes.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace
{

struct LevelShape
{
    int fields;
    int placeable;
    int stones;
};

LevelShape ShapeOf(int level)
{
    LevelShape shape = { 1 + level % 3, 3 + level % 5, 4 + level % 9 };
    return shape;
}

void AppendPosition(std::string& text, int x, int y, int z)
{
    text += "<position x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
            "\" z=\"" + std::to_string(z) + "\"/>\r\n";
}

// A level file in the game's layout, written directly as text.
std::string GenerateLevelText(int levels)
{
    std::string text = "<levels completed=\"12\" last=\"13\">\r\n";
    for (int n = 1; n <= levels; n++)
    {
        LevelShape shape = ShapeOf(n);
        text += "<level nr=\"" + std::to_string(n) + "\" name=\"Level " + std::to_string(n) + " &amp; more\">\r\n";
        text += "<grid size=\"6\">\r\n";
        for (int f = 0; f < shape.fields; f++)
        {
            text += "<field type=\"1001\">\r\n";
            AppendPosition(text, f % 6, (f + n) % 6, 0);
            text += "</field>\r\n";
        }
        text += "</grid>\r\n<placeable mode=\"0\">\r\n";
        for (int p = 0; p < shape.placeable; p++)
            text += "<stone type=\"" + std::to_string(2 + (p + n) % 5) + "\"/>\r\n";
        text += "</placeable>\r\n<stones>\r\n";
        for (int s = 0; s < shape.stones; s++)
        {
            text += "<stone type=\"" + std::to_string(1 + (s * 7 + n) % 6) + "\">\r\n";
            AppendPosition(text, s % 6, (s / 6) % 6, s / 36);
            text += "</stone>\r\n";
        }
        text += "</stones>\r\n</level>\r\n";
    }
    text += "</levels>\r\n";
    return text;
}

const std::string& LevelText()
{
    static std::string text;
    if (text.empty())
    {
        int levels = 1;
        while (GenerateLevelText(levels).size() < 1000000)
            levels *= 2;
        int low = levels / 2;
        while (low < levels)
        {
            int mid = (low + levels) / 2;
            if (GenerateLevelText(mid).size() < 1000000)
                low = mid + 1;
            else
                levels = mid;
        }
        text = GenerateLevelText(levels);
    }
    return text;
}

void SetMegabytes(benchmark::State& state, size_t bytes)
{
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)bytes);
    state.counters["MB"] = benchmark::Counter((double)bytes / 1e6);
}

// Every parse starts from a fresh document on both sides, so neither reuses
// memory that an earlier iteration has already touched, and every result is
// checked: a parse that fails stops the benchmark.
bool ParseOurs(const std::string& text)
{
    CXmlDocument doc;
    return doc.SetDocText(text.c_str()) && doc.HasRootElement();
}

bool ParsePugixml(const std::string& text, unsigned options)
{
    pugi::xml_document doc;
    pugi::xml_parse_result result = doc.load_buffer(text.data(), text.size(), options);
    return result.status == pugi::status_ok && doc.first_child();
}

const char* OptionsName(unsigned options)
{
    return options == pugi::parse_default ? "parse_default" : "parse_minimal";
}

// The parsers in turn over the same text, each with a fresh document: MB/s of
// each and "ratio", CXmlDocument's time over pugixml's (below 1: CXmlDocument
// is faster), with quartiles. The minimal parse, which like ours leaves
// attribute values and text unescaped until they are asked for, is the closer
// match in work.
void BM_ParseRatio(benchmark::State& state)
{
    const std::string& text = LevelText();
    unsigned options = (unsigned)state.range(0);
    PairedTimes times;
    for (auto _ : state)
    {
        PairedTimes::Clock::time_point a = PairedTimes::Clock::now();
        bool oursOk = ParseOurs(text);
        PairedTimes::Clock::time_point b = PairedTimes::Clock::now();
        bool theirsOk = ParsePugixml(text, options);
        PairedTimes::Clock::time_point c = PairedTimes::Clock::now();
        if (!oursOk || !theirsOk)
        {
            state.SkipWithError("a parser failed on the level file");
            break;
        }
        times.Add(b - a, c - b);
    }
    times.Report(state, "CXmlDocument", "pugixml");
    state.counters["MB"] = benchmark::Counter((double)text.size() / 1e6);
    state.SetLabel(OptionsName(options));
}
BENCHMARK(BM_ParseRatio)->Arg(pugi::parse_default)->Arg(pugi::parse_minimal)->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Iterations(60);

// Rows of 32 attributes, every one read by name, in the order written.
std::string ManyAttributesText(int rows, int attributes)
{
    std::string text = "<rows>\r\n";
    for (int r = 0; r < rows; r++)
    {
        text += "<row";
        for (int a = 0; a < attributes; a++)
            text += " a" + std::to_string(a) + "=\"" + std::to_string((r * 31 + a * 7) % 1000) + "\"";
        text += "/>\r\n";
    }
    text += "</rows>\r\n";
    return text;
}

long ReadManyOurs(const std::string& text, int attributes)
{
    CXmlDocument doc;
    if (!doc.SetDocText(text.c_str()))
        return -1;
    long sum = 0;
    char name[16];
    while (doc.FindChildElement("row"))
    {
        for (int a = 0; a < attributes; a++)
        {
            snprintf(name, sizeof(name), "a%d", a);
            sum += atoi(doc.GetChildAttribute(name).c_str());
        }
    }
    return sum;
}

long ReadManyPugixml(const std::string& text, int attributes)
{
    pugi::xml_document doc;
    if (doc.load_buffer(text.data(), text.size()).status != pugi::status_ok)
        return -1;
    long sum = 0;
    char name[16];
    for (pugi::xml_node row = doc.child("rows").child("row"); row; row = row.next_sibling("row"))
    {
        for (int a = 0; a < attributes; a++)
        {
            snprintf(name, sizeof(name), "a%d", a);
            sum += atoi(row.attribute(name).value());
        }
    }
    return sum;
}

// Parsing a document of 10,000 rows and reading every attribute by name, the
// two readers in turn; "ratio" is CXmlDocument's time over pugixml's.
void BM_ReadManyAttributesRatio(benchmark::State& state)
{
    const int attributes = 32;
    static const std::string text = ManyAttributesText(10000, attributes);
    PairedTimes times;
    for (auto _ : state)
    {
        PairedTimes::Clock::time_point a = PairedTimes::Clock::now();
        long ours = ReadManyOurs(text, attributes);
        PairedTimes::Clock::time_point b = PairedTimes::Clock::now();
        long theirs = ReadManyPugixml(text, attributes);
        PairedTimes::Clock::time_point c = PairedTimes::Clock::now();
        if (ours < 0 || ours != theirs)
        {
            state.SkipWithError("the readers disagree");
            break;
        }
        times.Add(b - a, c - b);
    }
    times.Report(state, "CXmlDocument", "pugixml");
}
BENCHMARK(BM_ReadManyAttributesRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);

// A "position" child of the main element; then back to the level above.
void AddPositionChild(CXmlDocument& doc, const char* x, const char* y, const char* z)
{
    doc.AddChildElement("position");
    doc.SetChildAttribute("x", x);
    doc.SetChildAttribute("y", y);
    doc.SetChildAttribute("z", z);
    doc.LeaveElement();
}

// The level file written the way the level list saves it.
void BuildLevels(CXmlDocument& doc, int levels)
{
    doc.AddElement("levels");
    doc.SetAttribute("completed", "12");
    doc.SetAttribute("last", "13");
    char number[16];
    for (int n = 1; n <= levels; n++)
    {
        LevelShape shape = ShapeOf(n);
        doc.AddChildElement("level");
        doc.EnterElement();
        snprintf(number, sizeof(number), "%d", n);
        doc.SetAttribute("nr", number);
        doc.SetAttribute("name", "Level & more");
        doc.AddChildElement("grid");
        doc.EnterElement();
        doc.SetAttribute("size", "6");
        for (int f = 0; f < shape.fields; f++)
        {
            doc.AddChildElement("field");
            doc.EnterElement();
            doc.SetAttribute("type", "1001");
            AddPositionChild(doc, "1", "2", "0");
        }
        doc.LeaveElement();
        doc.AddChildElement("placeable");
        doc.EnterElement();
        doc.SetAttribute("mode", "0");
        for (int p = 0; p < shape.placeable; p++)
        {
            doc.AddChildElement("stone");
            doc.SetChildAttribute("type", "3");
        }
        doc.LeaveElement();
        doc.AddChildElement("stones");
        doc.EnterElement();
        for (int s = 0; s < shape.stones; s++)
        {
            doc.AddChildElement("stone");
            doc.SetChildAttribute("type", "4");
            doc.EnterElement();
            AddPositionChild(doc, "3", "4", "1");
        }
        doc.LeaveElement();
        doc.LeaveElement();
    }
}

void BM_BuildThousandLevels(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state)
    {
        CXmlDocument doc;
        BuildLevels(doc, 1000);
        bytes = doc.GetDocText().size();
    }
    state.counters["MB"] = benchmark::Counter((double)bytes / 1e6);
}
BENCHMARK(BM_BuildThousandLevels)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveThousandLevels(benchmark::State& state)
{
    CXmlDocument doc;
    BuildLevels(doc, 1000);
    std::string path = "/tmp/zarul-xml-bench-" + std::to_string(getpid()) + ".xml";
    for (auto _ : state)
    {
        bool ok = doc.Save(path.c_str());
        benchmark::DoNotOptimize(ok);
    }
    unlink(path.c_str());
    SetMegabytes(state, doc.GetDocText().size());
}
// The save waits for the disk (fsync): wall time, as the player waits for it.
BENCHMARK(BM_SaveThousandLevels)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
