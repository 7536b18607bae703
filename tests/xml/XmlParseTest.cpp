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

TEST(XmlParse, RecordOffsetsOfEmptyAndNestedElements)
{
    XmlProbe empty("<a/>");
    ASSERT_TRUE(empty.HasRootElement());
    EXPECT_EQ(1, empty.Record(0).firstChild);
    ExpectRecord(empty, 1, 0, 3, 2, 3);
    EXPECT_EQ(0, empty.Record(1).parent);
    EXPECT_EQ(0, empty.Record(1).firstChild);
    EXPECT_EQ(2, empty.FreeRecord());

    XmlProbe nested("<a><b/></a>");
    ASSERT_TRUE(nested.HasRootElement());
    ExpectRecord(nested, 1, 0, 2, 7, 10);
    EXPECT_EQ(2, nested.Record(1).firstChild);
    ExpectRecord(nested, 2, 3, 6, 5, 6);
    EXPECT_EQ(1, nested.Record(2).parent);

    // Siblings are linked in document order.
    XmlProbe siblings("<r><a/>text<b></b><!-- c --><c x='>'/></r>");
    ASSERT_FALSE(siblings.HasRootElement());  // the '>' inside the quotes closes the tag
    XmlProbe list("<r><a/>text<b></b><!-- <d/> --><c/></r>");
    ASSERT_TRUE(list.HasRootElement());
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
        XmlProbe doc(text);
        EXPECT_TRUE(doc.HasRootElement()) << text << " -> " << doc.GetResultText();
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
        { "<a t=\">\"/>", ", Element tag not found" },
        // White space between '<' and '?' or '!' must end the parse, not loop.
        { "< ?pi?><a/>", ", Invalid node" },
        { "<a>< !-- c --></a>", ", Invalid node" },
        { "</a>", "" },
        { "", "" },
    };
    for (const Case& c : cases)
    {
        XmlProbe doc(c.text);
        EXPECT_FALSE(doc.HasRootElement()) << c.text;
        EXPECT_EQ(c.error, doc.GetResultText()) << c.text;
        // A failed parse leaves an empty index and the text as it was.
        EXPECT_EQ(1, doc.FreeRecord()) << c.text;
        EXPECT_EQ(0, doc.Record(0).firstChild) << c.text;
        EXPECT_EQ(c.text, doc.GetDocText());
        EXPECT_FALSE(doc.FindElement());
        EXPECT_FALSE(doc.FindChildElement());
    }
}

TEST(XmlParse, SetDocTextReturnsTheParseResult)
{
    XmlProbe doc;
    EXPECT_TRUE(doc.SetDocText("<a/>"));
    EXPECT_FALSE(doc.SetDocText("<a>"));
    EXPECT_FALSE(doc.SetDocText(0));
    EXPECT_EQ("", doc.GetDocText());
    EXPECT_EQ("", doc.GetResultText());
}

TEST(XmlParse, ErrorTextWithALongNameStaysShort)
{
    std::string name(5000, 'n');
    std::string text = "<" + name + "></b>";
    XmlProbe doc(text.c_str());
    EXPECT_FALSE(doc.HasRootElement());
    const std::string& error = doc.GetResultText();
    EXPECT_EQ(0u, error.find(", End tag does not correspond to nnnn"));
    EXPECT_LE(error.size(), 2u + 299u);
}

TEST(XmlParse, DeepNestingDoesNotExhaustTheStack)
{
    const int depth = 300000;
    std::string text;
    for (int i = 0; i < depth; i++)
        text += "<d>";
    std::string closing;
    for (int i = 0; i < depth; i++)
        closing += "</d>";

    XmlProbe broken((text + closing.substr(4)).c_str());
    EXPECT_FALSE(broken.HasRootElement());
    EXPECT_EQ(", Element tag not found", broken.GetResultText());

    XmlProbe doc((text + closing).c_str());
    ASSERT_TRUE(doc.HasRootElement()) << doc.GetResultText();
    EXPECT_EQ(depth + 1, doc.FreeRecord());
    int level = 0;
    while (doc.FindChildElement("d") && doc.EnterElement())
        level++;
    EXPECT_EQ(depth - 1, level);
    EXPECT_EQ(depth, doc.Main());
    ExpectRecord(doc, depth, 3 * (depth - 1), 3 * depth - 1, 3 * depth, 3 * depth + 3);
}

TEST(XmlParse, RecordArrayStartsFromTheTextLengthAndGrowsByHalf)
{
    // A 1000-byte text starts with room for 23 records (record 0 included).
    auto paddedText = [](int elements) {
        std::string text = "<r>";
        for (int i = 1; i < elements; i++)
            text += "<e/>";
        text += "</r>";
        text.append(1000 - text.size(), ' ');
        return text;
    };
    // Looking for the next child takes a record too before it meets an end tag.
    XmlProbe fits(paddedText(21).c_str());
    ASSERT_TRUE(fits.HasRootElement());
    EXPECT_EQ(23, fits.Capacity());
    EXPECT_EQ(22, fits.FreeRecord());

    XmlProbe grows(paddedText(23).c_str());
    ASSERT_TRUE(grows.HasRootElement());
    EXPECT_EQ(34, grows.Capacity());
    EXPECT_EQ(24, grows.FreeRecord());

    // A fresh document starts with one page of 8 records.
    XmlProbe fresh;
    EXPECT_EQ(8, fresh.Capacity());
}

TEST(XmlParse, GrowthAddsAtMostOnePagePerStep)
{
    XmlProbe doc;
    EXPECT_TRUE(doc.GrowRecords(300000));
    EXPECT_EQ(131072, doc.Capacity());
    EXPECT_EQ(4, doc.PageSlots());
    EXPECT_TRUE(doc.GrowRecords(300000));
    EXPECT_EQ(196608, doc.Capacity());
    EXPECT_TRUE(doc.GrowRecords(70000));  // never shrinks
    EXPECT_EQ(196608, doc.Capacity());
    EXPECT_TRUE(doc.GrowRecords(300000));
    EXPECT_EQ(262144, doc.Capacity());
    EXPECT_TRUE(doc.GrowRecords(300000));
    EXPECT_EQ(300000, doc.Capacity());
    EXPECT_EQ(12, doc.PageSlots());
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
    EXPECT_GT(doc.Capacity(), 65536);
    EXPECT_EQ(elements + 2, doc.FreeRecord());

    // Records on both pages hold their own offsets after the copies of growth.
    for (int i = 2; i < elements + 2; i += 997)
        ExpectRecord(doc, i, 3 + 4 * (i - 2), 6 + 4 * (i - 2), 5 + 4 * (i - 2), 6 + 4 * (i - 2));
    ExpectRecord(doc, elements + 1, 3 + 4 * (elements - 1), 6 + 4 * (elements - 1),
                 5 + 4 * (elements - 1), 6 + 4 * (elements - 1));

    int count = 0;
    while (doc.FindChildElement("e"))
        count++;
    EXPECT_EQ(elements, count);
}
