// libFuzzer target for CXmlDocument: parses the input, checks the element
// index, then reads and edits the document driven by the input's first bytes
// and checks the index again.
#include "CXmlDocument.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

class FuzzDocument : public CXmlDocument
{
public:
    // Every element reachable from the document level lies inside the text
    // with its offsets in order; anything else is a fault.
    void CheckIndex() const
    {
        int size = (int)docText.size();
        std::vector<int> pending(1, Record(0).firstChild);
        while (!pending.empty())
        {
            int r = pending.back();
            pending.pop_back();
            for (; r != 0; r = Record(r).nextSibling)
            {
                const ElemRecord& e = Record(r);
                if (!(0 <= e.startOpen && e.startOpen < e.startClose && e.startClose <= e.endClose &&
                      e.endOpen <= e.endClose && e.endClose < size))
                    abort();
                pending.push_back(e.firstChild);
            }
        }
    }

    int Main() const { return mainPos; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t* script = data;
    size_t scriptLength = size < 16 ? size / 2 : 8;
    std::string text((const char*)data + scriptLength, size - scriptLength);

    FuzzDocument doc;
    doc.SetDocText(text.c_str());
    doc.CheckIndex();

    doc.FindElement();
    size_t step = 0;
    for (int visits = 0; visits < 200; visits++)
    {
        if (doc.FindChildElement())
        {
            doc.GetChildText();
            doc.GetChildAttribute("type");
            doc.EnterElement();
            doc.GetElementName();
            doc.GetAttributeName(visits % 3);
            doc.GetAttribute("x");
            uint8_t op = script[step++ % scriptLength];
            switch (op % 10)
            {
            case 0: doc.SetAttribute("type", "<&>'\""); break;
            case 1: doc.AddChildElement("n", (op & 16) ? "v&" : 0); break;
            case 2: doc.WriteText(doc.Main(), "t]]>", (op & 16) != 0); break;
            case 3: doc.RemoveElement(); break;
            case 4: doc.InsertElementText("<!-- c --><i a='1'><j/></i>", (op & 16) != 0, (op & 32) != 0); break;
            case 5: doc.ElementText(doc.Main()); break;
            case 6: doc.SavePosition("p"); break;
            case 7: doc.RestorePosition("p"); break;
            case 8: doc.AddElement("s"); break;
            default: break;
            }
            doc.CheckIndex();
        }
        else if (!doc.LeaveElement())
        {
            break;
        }
    }

    // A copy holds exactly the records in use; it must grow on its next edit.
    FuzzDocument copy;
    static_cast<CXmlDocument&>(copy) = doc;
    if (copy.FindChildElement())
        copy.AddChildElement("c", "1");
    else
        copy.AddElement("c");
    copy.CheckIndex();
    return 0;
}
