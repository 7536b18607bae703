// Reading names, attributes and contents.
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
