// Navigation through the index and reading names, attributes and contents.
#include "XmlProbe.h"

#include <gtest/gtest.h>

TEST(XmlNavigation, FindElementStepsThroughMatchingElements)
{
    XmlProbe doc("<r><a/><b/><a/></r>");
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("a"));
    EXPECT_EQ(2, doc.Main());
    ASSERT_TRUE(doc.FindElement("a"));
    EXPECT_EQ(4, doc.Main());
    EXPECT_FALSE(doc.FindElement("a"));
    EXPECT_EQ(4, doc.Main());

    XmlProbe all("<r><a/><b/><a/></r>");
    all.FindElement();
    all.EnterElement();
    std::string names;
    while (all.FindElement())
        names += all.GetElementName();
    EXPECT_EQ("aba", names);

    // Names match whole tag names only.
    XmlProbe names2("<r><levels/><lev/><level/></r>");
    names2.FindChildElement();
    names2.EnterElement();
    ASSERT_TRUE(names2.FindElement("level"));
    EXPECT_EQ(4, names2.Main());
}

TEST(XmlNavigation, FindChildElementSelectsTheDocumentElementFirst)
{
    XmlProbe doc("<HighScores><panik/><puzzle/><puzzle/></HighScores>");
    ASSERT_TRUE(doc.FindChildElement("puzzle"));
    EXPECT_EQ(1, doc.Main());
    EXPECT_EQ(3, doc.Child());
    EXPECT_EQ(0, doc.Parent());
    EXPECT_EQ(1, doc.Kind());
    // The search goes on after the current child.
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
    EXPECT_EQ(1, doc.Parent());
    EXPECT_EQ(2, doc.Main());
    EXPECT_EQ(0, doc.Child());
    ASSERT_TRUE(doc.FindChildElement("x"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.FindChildElement());  // x has no children
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(2, doc.Main());
    EXPECT_EQ(3, doc.Child());
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(0, doc.Parent());
    EXPECT_EQ(1, doc.Main());
    EXPECT_EQ(2, doc.Child());
    ASSERT_TRUE(doc.FindChildElement("b"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.FindChildElement());

    // Entering without a current child puts the position before the first child.
    XmlProbe first("<r><a/><b/></r>");
    first.FindElement();
    ASSERT_TRUE(first.EnterElement());
    EXPECT_EQ(0, first.Main());
    EXPECT_EQ(0, first.Kind());
    EXPECT_FALSE(first.EnterElement());
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
    ASSERT_TRUE(doc.SavePosition(""));
    doc.LeaveElement();
    doc.FindChildElement("b");
    ASSERT_TRUE(doc.RestorePosition("x"));
    EXPECT_EQ(1, doc.Parent());
    EXPECT_EQ(2, doc.Main());
    EXPECT_EQ(3, doc.Child());
    EXPECT_EQ(1, doc.Kind());
    EXPECT_TRUE(doc.RestorePosition(""));
    EXPECT_FALSE(doc.RestorePosition("y"));
    EXPECT_FALSE(doc.RestorePosition(0));

    doc.SetDocText("<r><a><x/></a><b/></r>");
    EXPECT_FALSE(doc.RestorePosition("x"));
}

TEST(XmlRead, AttributesAndReferences)
{
    XmlProbe doc("<level nr=\"3\" name='a&amp;b' q = \"&quot;&apos;&lt;&gt;\" b=1 nr=\"9\"/>");
    ASSERT_TRUE(doc.FindElement("level"));
    EXPECT_EQ("3", doc.GetAttribute("nr"));
    EXPECT_EQ("a&b", doc.GetAttribute("name"));
    EXPECT_EQ("\"'<>", doc.GetAttribute("q"));
    EXPECT_EQ("", doc.GetAttribute("n"));
    EXPECT_EQ("", doc.GetAttribute("nrx"));
    EXPECT_EQ("", doc.GetAttribute("b"));  // a value without quotes is no value
    EXPECT_EQ("", doc.GetAttribute(0));
    EXPECT_EQ("level", doc.GetElementName());

    EXPECT_EQ("nr", doc.GetAttributeName(0));
    EXPECT_EQ("name", doc.GetAttributeName(1));
    EXPECT_EQ("q", doc.GetAttributeName(2));
    EXPECT_EQ("", doc.GetAttributeName(-1));

    // No main element: nothing to read.
    XmlProbe before("<a b=\"1\"/>");
    EXPECT_EQ("", before.GetAttribute("b"));
    EXPECT_EQ("", before.GetAttributeName(0));
    EXPECT_EQ("", before.GetElementName());
}

TEST(XmlRead, ChildAttributesAndText)
{
    XmlProbe doc("<r><c t=\"1\">  x  </c><d><e/></d><f/><g></g></r>");
    ASSERT_TRUE(doc.FindChildElement("c"));
    EXPECT_EQ("1", doc.GetChildAttribute("t"));
    EXPECT_EQ("  x  ", doc.GetChildText());
    ASSERT_TRUE(doc.FindChildElement("d"));
    EXPECT_EQ("", doc.GetChildText());  // an element with a child element
    ASSERT_TRUE(doc.FindChildElement("f"));
    EXPECT_EQ("", doc.GetChildText());
    ASSERT_TRUE(doc.FindChildElement("g"));
    EXPECT_EQ("", doc.GetChildText());

    XmlProbe none("<r/>");
    EXPECT_EQ("", none.GetChildText());
    EXPECT_EQ("", none.GetChildAttribute("t"));
}

TEST(XmlRead, CharacterReferencesAndCData)
{
    struct Case
    {
        const char* content;
        const char* text;
    } cases[] = {
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
    for (const Case& c : cases)
    {
        std::string text = std::string("<r><a>") + c.content + "</a></r>";
        XmlProbe doc(text.c_str());
        ASSERT_TRUE(doc.FindChildElement("a")) << text;
        EXPECT_EQ(c.text, doc.GetChildText()) << text;
    }
}

TEST(XmlRead, CorpusFiles)
{
    XmlProbe doc;
    ASSERT_TRUE(doc.Load(XML_CORPUS_DIR "/prolog.xml")) << doc.GetResultText();
    EXPECT_EQ("135 bytes", doc.GetResultText());
    ASSERT_TRUE(doc.FindElement("x"));
    EXPECT_EQ("1", doc.GetAttribute("a"));
    EXPECT_EQ("AB<", doc.GetAttribute("b"));
    EXPECT_EQ("a", doc.GetAttributeName(0));
    EXPECT_EQ("b", doc.GetAttributeName(1));
    EXPECT_EQ("", doc.GetAttributeName(2));

    ASSERT_TRUE(doc.Load(XML_CORPUS_DIR "/text.xml"));
    ASSERT_TRUE(doc.FindChildElement("t"));
    EXPECT_EQ("  x & y  ", doc.GetChildText());
    ASSERT_TRUE(doc.FindChildElement("u"));
    EXPECT_EQ("\xC3\xA9\xE2\x82\xAC&copy;", doc.GetChildText());
}
