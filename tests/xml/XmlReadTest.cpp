// Navigation through the index and reading names, attributes and contents.
#include "XmlProbe.h"

#include <gtest/gtest.h>

static void ExpectPosition(const XmlProbe& doc, int parent, int main, int child, int kind)
{
    EXPECT_EQ(parent, doc.Parent());
    EXPECT_EQ(main, doc.Main());
    EXPECT_EQ(child, doc.Child());
    EXPECT_EQ(kind, doc.Kind());
}

TEST(XmlNavigation, FindElementStepsThroughMatchingElements)
{
    XmlProbe doc("<r><a/><b/><a/><levels/><lev/><level/></r>");
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("a"));
    EXPECT_EQ(2, doc.Main());
    ASSERT_TRUE(doc.FindElement("a"));
    EXPECT_EQ(4, doc.Main());
    // Names match whole tag names only.
    ASSERT_TRUE(doc.FindElement("level[2]"));
    EXPECT_EQ(7, doc.Main());
    EXPECT_FALSE(doc.FindElement("a"));
    ExpectPosition(doc, 1, 7, 0, 1);

    doc.SetDocText(doc.GetDocText().c_str());
    doc.FindElement();
    doc.EnterElement();
    std::string names;
    while (doc.FindElement())
        names += doc.GetElementName() + ",";
    EXPECT_EQ("a,b,a,levels,lev,level,", names);
}

TEST(XmlNavigation, FindChildElementSelectsTheDocumentElementFirst)
{
    XmlProbe doc("<HighScores><panik/><puzzle/><puzzle/></HighScores>");
    ASSERT_TRUE(doc.FindChildElement("puzzle"));
    ExpectPosition(doc, 0, 1, 3, 1);
    // The search goes on after the current child and fails without moving.
    EXPECT_FALSE(doc.FindChildElement("panik"));
    EXPECT_EQ(3, doc.Child());
    ASSERT_TRUE(doc.FindChildElement("puzzle"));
    EXPECT_EQ(4, doc.Child());
}

TEST(XmlNavigation, EnterAndLeave)
{
    XmlProbe doc("<r><a><x/></a><b/></r>");
    EXPECT_FALSE(doc.EnterElement());  // before the first element
    EXPECT_FALSE(doc.LeaveElement());  // at the document level

    ASSERT_TRUE(doc.FindChildElement("a"));
    ASSERT_TRUE(doc.EnterElement());
    ExpectPosition(doc, 1, 2, 0, 1);
    ASSERT_TRUE(doc.FindChildElement("x"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.FindChildElement());  // x has no children
    ASSERT_TRUE(doc.LeaveElement());
    ExpectPosition(doc, 1, 2, 3, 1);
    ASSERT_TRUE(doc.LeaveElement());
    ExpectPosition(doc, 0, 1, 2, 1);
    ASSERT_TRUE(doc.FindChildElement("b"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.FindChildElement());

    // Entering without a current child puts the position before the first
    // child, where the next FindElement starts.
    XmlProbe first("<r><a/><b/></r>");
    first.FindElement();
    ASSERT_TRUE(first.EnterElement());
    ExpectPosition(first, 1, 0, 0, 0);
    EXPECT_FALSE(first.EnterElement());
    EXPECT_EQ("", first.GetAttribute("x"));
    ASSERT_TRUE(first.FindElement());
    EXPECT_EQ("a", first.GetElementName());
}

TEST(XmlNavigation, SavedPositions)
{
    XmlProbe doc("<r><a><x/></a><b/></r>");
    EXPECT_FALSE(doc.SavePosition(0));
    doc.FindChildElement("a");
    doc.EnterElement();
    doc.FindChildElement("x");
    ASSERT_TRUE(doc.SavePosition("x"));
    doc.LeaveElement();
    doc.LeaveElement();
    ASSERT_TRUE(doc.SavePosition(""));  // the empty name is a name
    doc.FindChildElement("b");
    ASSERT_TRUE(doc.RestorePosition("x"));
    ExpectPosition(doc, 1, 2, 3, 1);
    ASSERT_TRUE(doc.RestorePosition(""));
    ExpectPosition(doc, 0, 1, 2, 1);
    EXPECT_FALSE(doc.RestorePosition("y"));
    EXPECT_FALSE(doc.RestorePosition(0));
    ExpectPosition(doc, 0, 1, 2, 1);

    doc.SetDocText(doc.GetDocText().c_str());
    EXPECT_FALSE(doc.RestorePosition("x"));
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
    EXPECT_EQ("", doc.GetAttribute(0));

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
