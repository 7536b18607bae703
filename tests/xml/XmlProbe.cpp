#include "XmlProbe.h"

#include <vector>

static std::string Offsets(const XmlProbe::ElemRecord& r)
{
    return std::to_string(r.startOpen) + "," + std::to_string(r.startClose) + "," +
           std::to_string(r.endOpen) + "," + std::to_string(r.endClose);
}

std::string CompareWithReparse(const XmlProbe& doc)
{
    XmlProbe fresh(doc.GetDocText().c_str());
    if (doc.HasRootElement() != fresh.HasRootElement())
        return "document element differs: " + fresh.GetResultText();

    // Walk both trees side by side: same shape, same offsets.
    std::vector<std::pair<int, int> > pending(1, std::make_pair(doc.Record(0).firstChild, fresh.Record(0).firstChild));
    while (!pending.empty())
    {
        int x = pending.back().first;
        int y = pending.back().second;
        pending.pop_back();
        for (; x != 0 || y != 0; x = doc.Record(x).nextSibling, y = fresh.Record(y).nextSibling)
        {
            if (x == 0 || y == 0)
                return "child lists differ in length";
            if (Offsets(doc.Record(x)) != Offsets(fresh.Record(y)))
                return "record " + std::to_string(x) + " is " + Offsets(doc.Record(x)) + " but parses as " +
                       Offsets(fresh.Record(y));
            pending.push_back(std::make_pair(doc.Record(x).firstChild, fresh.Record(y).firstChild));
        }
    }
    return std::string();
}

std::string CheckIndexBounds(const XmlProbe& doc)
{
    int size = (int)doc.GetDocText().size();
    std::vector<int> pending(1, doc.Record(0).firstChild);
    while (!pending.empty())
    {
        int r = pending.back();
        pending.pop_back();
        for (; r != 0; r = doc.Record(r).nextSibling)
        {
            const XmlProbe::ElemRecord& e = doc.Record(r);
            if (!(0 <= e.startOpen && e.startOpen < e.startClose && e.startClose <= e.endClose &&
                  e.endOpen <= e.endClose && e.endClose < size))
                return "record " + std::to_string(r) + " out of order: " + Offsets(e) + " in " +
                       std::to_string(size) + " bytes";
            pending.push_back(e.firstChild);
        }
    }
    return std::string();
}

std::string Lines(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++)
    {
        bool lineEnd = text.compare(i, 2, "\r\n") == 0;
        out += lineEnd ? '|' : text[i];
        i += lineEnd;
    }
    return out;
}
