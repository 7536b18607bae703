// Building the element index: record offsets, accepted and rejected texts with
// their error texts, record paging and deep nesting.
#include "XmlProbe.h"

#include <gtest/gtest.h>

static void ExpectRecord(const XmlProbe& doc, int i, int startOpen, int startClose, int endOpen, int endClose)
{
    const XmlProbe::ElemRecord& r = doc.Record(i);
    EXPECT_EQ(startOpen, r.startOpen) << "record " << i;
    EXPECT_EQ(startClose, r.startClose) << "record " << i;
    EXPECT_EQ(endOpen, r.endOpen) << "record " << i;
    EXPECT_EQ(endClose, r.endClose) << "record " << i;
}

TEST(XmlParse, RecordOffsetsAndLinks)
{
    XmlProbe empty("<a/>");
    EXPECT_EQ(1, empty.Record(0).firstChild);
    ExpectRecord(empty, 1, 0, 3, 2, 3);
    EXPECT_EQ(0, empty.Record(1).parent);
    EXPECT_EQ(0, empty.Record(1).firstChild);

    XmlProbe nested("<a><b/></a>");
    ExpectRecord(nested, 1, 0, 2, 7, 10);
    EXPECT_EQ(2, nested.Record(1).firstChild);
    ExpectRecord(nested, 2, 3, 6, 5, 6);
    EXPECT_EQ(1, nested.Record(2).parent);

    // Siblings in document order; text and comments get no records.
    XmlProbe list("<r><a/>text<b></b><!-- <d/> --><c/></r>");
    EXPECT_EQ(2, list.Record(1).firstChild);
    EXPECT_EQ(3, list.Record(2).nextSibling);
    EXPECT_EQ(4, list.Record(3).nextSibling);
    EXPECT_EQ(0, list.Record(4).nextSibling);
    EXPECT_EQ(5, list.FreeRecord());
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
    ExpectRecord(doc, depth, 3 * (depth - 1), 3 * depth - 1, 3 * depth, 3 * depth + 3);
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
        ExpectRecord(doc, i, 4 * i - 5, 4 * i - 2, 4 * i - 3, 4 * i - 2);
    int count = 0;
    while (doc.FindChildElement("e"))
        count++;
    EXPECT_EQ(elements, count);
}
