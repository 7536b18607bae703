// Building the element index: record offsets, accepted and rejected texts with
// their error texts, record paging and deep nesting.
#include "XmlProbe.h"

#include <gtest/gtest.h>

#include <cstdio>

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
