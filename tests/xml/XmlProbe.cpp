#include "XmlProbe.h"

#include <sstream>
#include <vector>

static std::string CompareTrees(const XmlProbe& a, int ra, const XmlProbe& b, int rb)
{
    std::vector<std::pair<int, int> > pending;
    pending.push_back(std::make_pair(a.Record(ra).firstChild, b.Record(rb).firstChild));
    while (!pending.empty())
    {
        int x = pending.back().first;
        int y = pending.back().second;
        pending.pop_back();
        while (x != 0 || y != 0)
        {
            if (x == 0 || y == 0)
                return "child lists differ in length";
            const XmlProbe::ElemRecord& p = a.Record(x);
            const XmlProbe::ElemRecord& q = b.Record(y);
            if (p.startOpen != q.startOpen || p.startClose != q.startClose ||
                p.endOpen != q.endOpen || p.endClose != q.endClose)
            {
                std::ostringstream out;
                out << "record " << x << " is " << p.startOpen << "," << p.startClose << ","
                    << p.endOpen << "," << p.endClose << " but parses as " << q.startOpen << ","
                    << q.startClose << "," << q.endOpen << "," << q.endClose;
                return out.str();
            }
            pending.push_back(std::make_pair(p.firstChild, q.firstChild));
            x = p.nextSibling;
            y = q.nextSibling;
        }
    }
    return std::string();
}

std::string CompareWithReparse(const XmlProbe& doc)
{
    XmlProbe fresh(doc.GetDocText().c_str());
    if (doc.HasRootElement() != fresh.HasRootElement())
        return "document element differs: " + fresh.GetResultText();
    return CompareTrees(doc, 0, fresh, 0);
}

std::string CheckIndexBounds(const XmlProbe& doc)
{
    int size = (int)doc.GetDocText().size();
    std::vector<int> pending;
    pending.push_back(doc.Record(0).firstChild);
    while (!pending.empty())
    {
        int r = pending.back();
        pending.pop_back();
        for (; r != 0; r = doc.Record(r).nextSibling)
        {
            const XmlProbe::ElemRecord& e = doc.Record(r);
            if (!(0 <= e.startOpen && e.startOpen < e.startClose && e.startClose <= e.endClose &&
                  e.endOpen <= e.endClose && e.endClose < size))
            {
                std::ostringstream out;
                out << "record " << r << " out of order: " << e.startOpen << "," << e.startClose
                    << "," << e.endOpen << "," << e.endClose << " in " << size << " bytes";
                return out.str();
            }
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
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        {
            out += '|';
            i++;
        }
        else
        {
            out += text[i];
        }
    }
    return out;
}
