// Building the element index: record offsets, accepted and rejected texts with
// their error texts, record paging and deep nesting.
#include "XmlProbe.h"

#include <gtest/gtest.h>

#include <cstdio>

// A record as "startOpen,startClose,endOpen,endClose parent firstChild nextSibling".
static std::string Describe(const XmlProbe& doc, int i)
{
    const XmlProbe::ElemRecord& r = doc.Record(i);
    char text[128];
    snprintf(text, sizeof(text), "%d,%d,%d,%d %d %d %d", r.startOpen, r.startClose, r.endOpen, r.endClose,
             r.parent, r.firstChild, r.nextSibling);
    return text;
}

TEST(XmlParse, RecordOffsetsAndLinks)
{
    struct Case
    {
        const char* text;
        int record;
        const char* expected;
    } cases[] = {
        { "<a/>", 0, "0,0,0,0 0 1 0" },
        { "<a/>", 1, "0,3,2,3 0 0 0" },
        { "<a><b/></a>", 1, "0,2,7,10 0 2 0" },
        { "<a><b/></a>", 2, "3,6,5,6 1 0 0" },
        // Siblings in document order; text and comments get no records.
        { "<r><a/>text<b></b><!-- <d/> --><c/></r>", 2, "3,6,5,6 1 0 3" },
        { "<r><a/>text<b></b><!-- <d/> --><c/></r>", 3, "11,13,14,17 1 0 4" },
        { "<r><a/>text<b></b><!-- <d/> --><c/></r>", 4, "31,34,33,34 1 0 0" },
        { "< a >\r\n</a x>", 1, "0,4,7,12 0 0 0" },
    };
    for (const Case& c : cases)
    {
        XmlProbe doc(c.text);
        EXPECT_EQ(c.expected, Describe(doc, c.record)) << c.text << " record " << c.record;
    }
}

TEST(XmlParse, AcceptedTexts)
{
    const char* texts[] = {
        "<?xml version=\"1.0\"?>\r\n<x/>",
        "<!-- a comment -->\r\n<x/>",
        "<!DOCTYPE x [ <!ELEMENT x ANY> ]>\r\n<x/>",
        "<!DOCTYPE x [<!ENTITY e \"]>\">]><x/>",
        "<x><![CDATA[ <y> ]]></x>",
        "< x ></x>",
        "<x></x y>",
        "<x/><<<",
        "text before <x/>",
        "<x><?pi ?><!-- c --><y/></x>",
    };
    for (const char* text : texts)
    {
        XmlProbe doc;
        EXPECT_TRUE(doc.SetDocText(text)) << text << " -> " << doc.GetResultText();
        EXPECT_EQ("", doc.GetResultText()) << text;
        EXPECT_TRUE(doc.FindElement("x")) << text;
    }
}

TEST(XmlParse, RejectedTextsGiveTheirErrorText)
{
    struct Case
    {
        const char* text;
        const char* error;
    } cases[] = {
        { "<a>", ", Element tag not found" },
        { "just text", ", Element tag not found" },
        { "<a t=\">\"/>", ", Element tag not found" },
        { "<a></a", ", End tag not completed for element a" },
        { "<a><b></b", ", End tag not completed for element b" },
        { "<a", ", End of tag not found" },
        { "<", ", Abrupt end within tag" },
        { "<  \r\n", ", Abrupt end within tag" },
        { "<\"a\"/>", ", Tag starts with quote" },
        { "<!-- x", ", Invalid node" },
        { "<?pi", ", Invalid node" },
        { "<!DOCTYPE x [ >", ", Invalid node" },
        { "<a></b>", ", End tag does not correspond to a" },
        { "<abc></ab>", ", End tag does not correspond to abc" },
        { "<a></>", ", End tag does not correspond to a" },
        // White space between '<' and '?' or '!' must end the parse, not loop.
        { "< ?pi?><a/>", ", Invalid node" },
        { "<a>< !-- c --></a>", ", Invalid node" },
        { "</a>", "" },
        { "", "" },
    };
    XmlProbe doc("<old/>");
    for (const Case& c : cases)
    {
        doc.FindElement();
        EXPECT_FALSE(doc.SetDocText(c.text)) << c.text;
        EXPECT_EQ(c.error, doc.GetResultText()) << c.text;
        // A failed parse leaves an empty index, no position and the text as it was.
        EXPECT_FALSE(doc.HasRootElement()) << c.text;
        EXPECT_EQ(1, doc.FreeRecord()) << c.text;
        EXPECT_EQ(0, doc.Main()) << c.text;
        EXPECT_EQ(c.text, doc.GetDocText());
        EXPECT_FALSE(doc.FindChildElement());
    }

    // A long element name cannot make the error text overrun.
    std::string text = "<" + std::string(5000, 'n') + "></b>";
    EXPECT_FALSE(doc.SetDocText(text.c_str()));
    EXPECT_EQ(0u, doc.GetResultText().find(", End tag does not correspond to nnnn"));
    EXPECT_EQ(2u + 299u, doc.GetResultText().size());
}

TEST(XmlParse, DeepNestingDoesNotExhaustTheStack)
{
    const int depth = 300000;
    std::string open;
    std::string close;
    for (int i = 0; i < depth; i++)
    {
        open += "<d>";
        close += "</d>";
    }
    XmlProbe broken((open + close.substr(4)).c_str());
    EXPECT_EQ(", Element tag not found", broken.GetResultText());

    XmlProbe doc((open + close).c_str());
    ASSERT_TRUE(doc.HasRootElement()) << doc.GetResultText();
    int level = 0;
    while (doc.FindChildElement("d") && doc.EnterElement())
        level++;
    EXPECT_EQ(depth - 1, level);
    EXPECT_EQ(3 * depth - 3, doc.Record(depth).startOpen);
    EXPECT_EQ(3 * depth + 3, doc.Record(depth).endClose);
}

TEST(XmlParse, RecordArrayStartsFromTheTextLengthAndGrowsByHalf)
{
    // A 1000-byte text starts with room for 23 records (record 0 included);
    // looking for a further child takes a record too before it meets an end tag.
    auto padded = [](int elements) {
        std::string text = "<r>";
        for (int i = 1; i < elements; i++)
            text += "<e/>";
        text += "</r>";
        text.append(1000 - text.size(), ' ');
        return text;
    };
    XmlProbe fits(padded(21).c_str());
    EXPECT_EQ(23, fits.Capacity());
    EXPECT_EQ(22, fits.FreeRecord());
    XmlProbe grows(padded(23).c_str());
    ASSERT_TRUE(grows.HasRootElement());
    EXPECT_EQ(34, grows.Capacity());
    EXPECT_EQ(24, grows.FreeRecord());
    XmlProbe fresh;
    EXPECT_EQ(8, fresh.Capacity());
}

TEST(XmlParse, GrowthAddsAtMostOnePagePerStep)
{
    XmlProbe doc;
    const int steps[][3] = {
        // requested, capacity after, page table slots after
        { 300000, 131072, 4 },
        { 300000, 196608, 4 },
        { 70000, 196608, 4 },  // never shrinks
        { 300000, 262144, 4 },
        { 300000, 300000, 12 },
    };
    for (const auto& step : steps)
    {
        EXPECT_TRUE(doc.GrowRecords(step[0]));
        EXPECT_EQ(step[1], doc.Capacity()) << step[0];
        EXPECT_EQ(step[2], doc.PageSlots()) << step[0];
    }
}

TEST(XmlParse, IndexBeyondOnePageKeepsEveryRecord)
{
    const int elements = 70000;
    std::string text = "<r>";
    for (int i = 0; i < elements; i++)
        text += "<e/>";
    text += "</r>";
    XmlProbe doc(text.c_str());
    ASSERT_TRUE(doc.HasRootElement());
    EXPECT_EQ(elements + 2, doc.FreeRecord());

    // Records on both pages keep their offsets through the copies of growth.
    for (int i = 2; i < elements + 2; i += 997)
    {
        const XmlProbe::ElemRecord& r = doc.Record(i);
        EXPECT_EQ(4 * i - 5, r.startOpen) << i;
        EXPECT_EQ(4 * i - 2, r.endClose) << i;
        EXPECT_EQ(i + 1, r.nextSibling) << i;
    }
    int count = 0;
    while (doc.FindChildElement("e"))
        count++;
    EXPECT_EQ(elements, count);
}
