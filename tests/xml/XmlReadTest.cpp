// Navigation through the index and reading names, attributes and contents.
#include "XmlProbe.h"

#include <gtest/gtest.h>

#include <vector>

// Each tag stands as element "e" between "<r>" and a sibling. Its values are
// read forwards and backwards, in turn with a read of another tag, after an
// edit that moves it in the text, and as the main element; every way must
// give the same values. The empty name stands for the first name.
TEST(XmlRead, AttributeTable)
{
    struct Row
    {
        const char* tag;
        std::vector<std::pair<const char*, const char*> > values;
        const char* names;  // the names the tag lists, each followed by ','
    };
    const Row rows[] = {
        { "<e nr=\"3\" name='a&amp;b' q = \"&quot;&apos;&lt;&gt;\" b=1 nr=\"9\"/>",
          { { "nr", "3" }, { "nr =x", "3" }, { "name", "a&b" }, { "q", "\"'<>" }, { "n", "" }, { "nrx", "" },
            { "b", "" }, { "", "nr" } },
          "nr,name,q,b,1," },  // a name matches up to a space, '=', '/' or '['; unquoted is no value
        { "<e b c=\"1\" d=\"2\"/>", { { "b", "" }, { "c", "1" }, { "d", "2" } }, "b,d," },
        { "<e x x=\"1\" y z \"2\"/>", { { "x", "" }, { "y", "2" }, { "z", "" } }, "x,y," },  // the first name decides
        { "<e x='\"' y=\"'\" z=\"1&amp;&#65;\"/>", { { "x", "\"" }, { "y", "'" }, { "z", "1&A" } }, "x,y,z," },
        { "<e\r\n\tx = '1'\r\ny=\"2\"/>", { { "y", "2" }, { "x", "1" } }, "x,y," },
        { "<e x=\"1\" / y=\"2\"/>", { { "x", "1" }, { "y", "" } }, "x," },  // the tag ends at '/'
        { "<e =\"1\" b=\"2\" bb=\"3\" b[1]=\"4\"/>", { { "b", "2" }, { "bb", "3" }, { "b[1]", "2" } }, "b,bb,b[1]," },
        { "<e x=\"a>b\" y=\"2\"></e>", { { "x", "" }, { "y", "" } }, "x,y," },  // values past the tag's '>'
        // An unclosed quote: the tag's tokens run on into the text after it.
        { "<e x=\"1\" y=\"2/>", { { "x", "1" }, { "y", "" } }, "x,y,0\"," },
    };
    for (const Row& row : rows)
    {
        std::string text = std::string("<r>") + row.tag + "<f k=\"0\"/></r>";
        XmlProbe doc(text.c_str());
        ASSERT_TRUE(doc.FindChildElement()) << text;
        for (const auto& v : row.values)
            EXPECT_EQ(v.second, doc.GetChildAttribute(v.first)) << text << " " << v.first;
        for (size_t k = row.values.size(); k-- > 0;)
        {
            EXPECT_EQ(row.values[k].second, doc.GetChildAttribute(row.values[k].first)) << text;
            EXPECT_EQ("", doc.GetAttribute(row.values[k].first)) << text;
        }
        ASSERT_TRUE(doc.InsertElementText("<g/>", true, true));  // moves e on in the text
        ASSERT_TRUE(doc.FindChildElement("e")) << text;
        for (const auto& v : row.values)
            EXPECT_EQ(v.second, doc.GetChildAttribute(v.first)) << text << " after an edit";

        ASSERT_TRUE(doc.EnterElement());
        std::string names;
        for (int n = 0; !doc.GetAttributeName(n).empty(); n++)
            names += doc.GetAttributeName(n) + ",";
        EXPECT_EQ(row.names, names) << text;
        for (const auto& v : row.values)
            EXPECT_EQ(v.second, doc.GetAttribute(v.first)) << text << " as main element";
    }

    XmlProbe none("<level nr=\"3\"/>");
    EXPECT_EQ("", none.GetAttribute("nr"));  // no main element yet
    EXPECT_EQ("", none.GetAttributeName(0));
    EXPECT_EQ("", none.GetElementName());
    ASSERT_TRUE(none.FindElement("level"));
    EXPECT_EQ("level", none.GetElementName());
    EXPECT_EQ("", none.GetAttribute(nullptr));
    EXPECT_EQ("", none.GetAttributeName(-1));
}

// One navigation step: an operation letter, then after a space its name
// argument ("F" passes no name, "S " the empty name); the result it must give
// and the position after it (parent, main, child record).
struct Step
{
    const char* operation;
    bool result;
    int parent, main, child;
};

static void RunSteps(XmlProbe& doc, const std::vector<Step>& steps)
{
    for (const Step& step : steps)
    {
        const char* name = step.operation[1] ? step.operation + 2 : nullptr;
        bool result = false;
        switch (step.operation[0])
        {
        case 'F': result = doc.FindElement(name); break;
        case 'C': result = doc.FindChildElement(name); break;
        case 'E': result = doc.EnterElement(); break;
        case 'L': result = doc.LeaveElement(); break;
        case 'S': result = doc.SavePosition(name); break;
        case 'R': result = doc.RestorePosition(name); break;
        }
        EXPECT_EQ(step.result, result) << step.operation;
        EXPECT_EQ(step.parent, doc.Parent()) << step.operation;
        EXPECT_EQ(step.main, doc.Main()) << step.operation;
        EXPECT_EQ(step.child, doc.Child()) << step.operation;
        EXPECT_EQ(step.main != 0, doc.Kind() == 1) << step.operation;
    }
}

TEST(XmlNavigation, FindElementStepsThroughMatchingElements)
{
    // Names match whole tag names; a name matches up to a space, '=', '/' or '['.
    XmlProbe doc("<r><a/><b/><a/><levels/><lev/><level/></r>");
    RunSteps(doc, { { "F", true, 0, 1, 0 }, { "E", true, 1, 0, 0 }, { "F a", true, 1, 2, 0 },
                    { "F a", true, 1, 4, 0 }, { "F level[2]", true, 1, 7, 0 }, { "F a", false, 1, 7, 0 } });
    doc.SetDocText(doc.GetDocText().c_str());
    RunSteps(doc, { { "F", true, 0, 1, 0 }, { "F", false, 0, 1, 0 }, { "E", true, 1, 0, 0 } });
    std::string names;
    while (doc.FindElement())
        names += doc.GetElementName() + ",";
    EXPECT_EQ("a,b,a,levels,lev,level,", names);

    // FindChildElement first selects the document element; each search goes
    // on after the current child and fails without moving.
    XmlProbe scores("<HighScores><panik/><puzzle/><puzzle/></HighScores>");
    RunSteps(scores, { { "C puzzle", true, 0, 1, 3 }, { "C panik", false, 0, 1, 3 }, { "C puzzle", true, 0, 1, 4 } });
}

TEST(XmlNavigation, EnterAndLeave)
{
    XmlProbe doc("<r><a><x/></a><b/></r>");
    RunSteps(doc, { { "E", false, 0, 0, 0 }, { "L", false, 0, 0, 0 }, { "C a", true, 0, 1, 2 },
                    { "E", true, 1, 2, 0 }, { "C x", true, 1, 2, 3 }, { "E", true, 2, 3, 0 },
                    { "C", false, 2, 3, 0 }, { "L", true, 1, 2, 3 }, { "L", true, 0, 1, 2 },
                    { "L", false, 0, 1, 2 }, { "C b", true, 0, 1, 4 }, { "E", true, 1, 4, 0 },
                    { "C", false, 1, 4, 0 } });

    // Entering without a current child puts the position before the first
    // child, where the next FindElement starts.
    XmlProbe first("<r><a/><b/></r>");
    RunSteps(first, { { "F", true, 0, 1, 0 }, { "E", true, 1, 0, 0 }, { "E", false, 1, 0, 0 },
                      { "F", true, 1, 2, 0 } });
}

TEST(XmlNavigation, SavedPositions)
{
    XmlProbe doc("<r><a><x/></a><b/></r>");
    RunSteps(doc, { { "S", false, 0, 0, 0 }, { "C a", true, 0, 1, 2 }, { "E", true, 1, 2, 0 },
                    { "C x", true, 1, 2, 3 }, { "S x", true, 1, 2, 3 }, { "L", true, 0, 1, 2 },
                    { "S ", true, 0, 1, 2 }, { "C b", true, 0, 1, 4 }, { "R x", true, 1, 2, 3 },
                    { "R ", true, 0, 1, 2 }, { "R y", false, 0, 1, 2 }, { "R", false, 0, 1, 2 } });
    doc.SetDocText(doc.GetDocText().c_str());
    RunSteps(doc, { { "R x", false, 0, 0, 0 } });
}

TEST(XmlRead, AttributesAndNames)
{
    XmlProbe doc("<level nr=\"3\" name='a&amp;b' q = \"&quot;&apos;&lt;&gt;\" b=1 nr=\"9\"/>");
    EXPECT_EQ("", doc.GetAttribute("nr"));  // no main element yet
    EXPECT_EQ("", doc.GetAttributeName(0));
    EXPECT_EQ("", doc.GetElementName());
    ASSERT_TRUE(doc.FindElement("level"));
    EXPECT_EQ("level", doc.GetElementName());

    const char* cases[][2] = {
        { "nr", "3" },  // the first of two
        { "nr =x", "3" },  // a name matches up to a space, '=', '/' or '['
        { "name", "a&b" },
        { "q", "\"'<>" },
        { "n", "" },
        { "nrx", "" },
        { "b", "" },  // a value without quotes is no value
    };
    for (const auto& c : cases)
        EXPECT_EQ(c[1], doc.GetAttribute(c[0])) << c[0];
    EXPECT_EQ("", doc.GetAttribute(nullptr));

    EXPECT_EQ("nr", doc.GetAttributeName(0));
    EXPECT_EQ("name", doc.GetAttributeName(1));
    EXPECT_EQ("q", doc.GetAttributeName(2));
    EXPECT_EQ("", doc.GetAttributeName(-1));

    // An attribute without a value hides the one after it.
    XmlProbe bare("<a b c=\"1\" d=\"2\"/>");
    bare.FindElement();
    EXPECT_EQ("b", bare.GetAttributeName(0));
    EXPECT_EQ("d", bare.GetAttributeName(1));
    EXPECT_EQ("", bare.GetAttributeName(2));

    // A quoted value that runs past the end of its start tag is no value.
    XmlProbe open("<a b=\"x></a>");
    open.FindElement();
    EXPECT_EQ("", open.GetAttribute("b"));
}

TEST(XmlRead, ChildAttributesAndText)
{
    XmlProbe doc("<r><c t=\"1\">  x  </c><d><e/></d><f/><g></g></r>");
    EXPECT_EQ("", doc.GetChildText());
    ASSERT_TRUE(doc.FindChildElement("c"));
    EXPECT_EQ("1", doc.GetChildAttribute("t"));
    EXPECT_EQ("  x  ", doc.GetChildText());
    const char* empty[] = { "d", "f", "g" };  // with a child element, empty form, nothing inside
    for (const char* name : empty)
    {
        ASSERT_TRUE(doc.FindChildElement(name));
        EXPECT_EQ("", doc.GetChildText()) << name;
        EXPECT_EQ("", doc.GetChildAttribute("t")) << name;
    }
}

TEST(XmlRead, CharacterReferencesAndCData)
{
    const char* cases[][2] = {
        { "&#65;&#x42;&lt;&copy;", "AB<&copy;" },
        { "&#233;", "\xC3\xA9" },
        { "&#x7FF;", "\xDF\xBF" },   // the largest two-byte character
        { "&#x20AC;", "\xE2\x82\xAC" },
        { "&#x1F600;", "\xEF\x98\x80" },  // only the low 16 bits count
        { "&#65", "&#65" },
        { "&#12345678;", "&#12345678;" },
        { "a&b;c&amp", "a&b;c&amp" },
        { "<![CDATA[<b>&amp;]]>", "<b>&amp;" },
        { "  <![CDATA[x]]>y", "x" },
        { "<![CDATA[]]>", "" },
    };
    for (const auto& c : cases)
    {
        std::string text = std::string("<r><a>") + c[0] + "</a></r>";
        XmlProbe doc(text.c_str());
        ASSERT_TRUE(doc.FindChildElement("a")) << text;
        EXPECT_EQ(c[1], doc.GetChildText()) << text;
    }
}
