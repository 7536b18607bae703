// Editing: the exact text the element and attribute operations write, element
// texts, removal, insertion of element texts and copies. After each edit the
// index must equal what a fresh parse of the text builds.
#include "XmlProbe.h"

#include <gtest/gtest.h>

static void ExpectText(const XmlProbe& doc, const char* lines)
{
    EXPECT_EQ(lines, Lines(doc.GetDocText()));
    EXPECT_EQ("", CompareWithReparse(doc)) << Lines(doc.GetDocText());
}

TEST(XmlEdit, BuiltDocumentLayout)
{
    XmlProbe doc;
    ASSERT_TRUE(doc.AddElement("r"));
    ExpectText(doc, "<r/>|");
    ASSERT_TRUE(doc.AddChildElement("a"));
    ExpectText(doc, "<r>|<a/>|</r>|");
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddChildElement("b", "x&y"));
    ExpectText(doc, "<r>|<a>|<b>x&amp;y</b>|</a>|</r>|");
    ASSERT_TRUE(doc.SetAttribute("n", "1"));
    ExpectText(doc, "<r>|<a n=\"1\">|<b>x&amp;y</b>|</a>|</r>|");
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AddChildElement("c"));
    ExpectText(doc, "<r>|<a n=\"1\">|<b>x&amp;y</b>|</a>|<c/>|</r>|");
    EXPECT_FALSE(doc.AddElement("x"));  // a document element exists
}

TEST(XmlEdit, HighScoreLayout)
{
    XmlProbe doc;
    doc.AddElement("HighScores");
    doc.AddChildElement("puzzle");
    doc.EnterElement();
    doc.AddChildElement("level");
    doc.EnterElement();
    doc.SetAttribute("number", "3");
    doc.AddChildElement("highscore");
    doc.EnterElement();
    doc.AddChildElement("name", "Player");
    doc.AddChildElement("score", "42");
    doc.AddChildElement("date", "D");
    doc.LeaveElement();
    doc.LeaveElement();
    doc.LeaveElement();
    doc.AddChildElement("panik");
    doc.EnterElement();
    doc.LeaveElement();
    ExpectText(doc, "<HighScores>|<puzzle>|<level number=\"3\">|<highscore>|<name>Player</name>|"
                    "<score>42</score>|<date>D</date>|</highscore>|</level>|</puzzle>|<panik/>|</HighScores>|");
}

TEST(XmlEdit, Placement)
{
    // Inside an element: after the main element, which the new one replaces.
    XmlProbe doc("<r><a/><b/></r>");
    doc.FindChildElement("a");
    doc.EnterElement();
    ASSERT_TRUE(doc.AddElement("x"));
    ExpectText(doc, "<r><a/><x/>|<b/></r>");
    EXPECT_EQ("x", doc.GetElementName());

    // With the position before the first element: last of the level.
    XmlProbe last("<r><a/><b/></r>");
    last.FindElement();
    last.EnterElement();
    ASSERT_TRUE(last.AddElement("x", "v"));
    ExpectText(last, "<r><a/><b/><x>v</x>|</r>");

    // Children: each after the current child, else after the last child.
    XmlProbe children("<r>\r\n<a/>\r\n</r>\r\n");
    children.FindElement();
    ASSERT_TRUE(children.AddChildElement("b"));
    ASSERT_TRUE(children.AddChildElement("c"));
    ExpectText(children, "<r>|<a/>|<b/>|<c/>|</r>|");
    EXPECT_FALSE(children.FindChildElement());

    // Parents with nothing inside open up with a line break.
    XmlProbe bare("<p></p>");
    bare.FindElement();
    ASSERT_TRUE(bare.AddChildElement("c"));
    ExpectText(bare, "<p>|<c/>|</p>");
    XmlProbe emptyForm("<r><p/><q/></r>");
    emptyForm.FindChildElement("p");
    emptyForm.EnterElement();
    ASSERT_TRUE(emptyForm.AddChildElement("c", "1"));
    ExpectText(emptyForm, "<r><p>|<c>1</c>|</p><q/></r>");

    XmlProbe empty;
    EXPECT_FALSE(empty.AddChildElement("c"));  // no main element
    EXPECT_FALSE(empty.AddElement(0));
    EXPECT_EQ("", empty.GetDocText());
}

TEST(XmlEdit, ValuesAndAttributesAreEscaped)
{
    XmlProbe doc;
    doc.AddElement("r");
    ASSERT_TRUE(doc.AddChildElement("v", "1<2 'q' \"d\" >"));
    ASSERT_TRUE(doc.AddChildElement("w", ""));
    ASSERT_TRUE(doc.SetChildAttribute("t", "a\"b'c"));
    ExpectText(doc, "<r>|<v>1&lt;2 'q' \"d\" &gt;</v>|<w t=\"a&quot;b&apos;c\"/>|</r>|");
    ASSERT_TRUE(doc.SetChildAttribute("t", "<"));
    ASSERT_TRUE(doc.SetChildAttribute("u", 0));
    ASSERT_TRUE(doc.WriteAttribute(doc.Child(), "n", -17));
    ExpectText(doc, "<r>|<v>1&lt;2 'q' \"d\" &gt;</v>|<w t=\"&lt;\" u=\"\" n=\"-17\"/>|</r>|");
    EXPECT_EQ("<", doc.GetChildAttribute("t"));

    // An existing value keeps its quote characters.
    XmlProbe single("<a t='x' s=\"y\"><b/></a>");
    single.FindElement();
    ASSERT_TRUE(single.SetAttribute("t", "longer"));
    ExpectText(single, "<a t='longer' s=\"y\"><b/></a>");

    // Nothing to write to, or a value that cannot be replaced in place.
    XmlProbe none("<a/>");
    EXPECT_FALSE(none.SetAttribute("t", "1"));
    none.FindElement();
    EXPECT_FALSE(none.SetAttribute(0, "1"));
    EXPECT_FALSE(none.SetChildAttribute("t", "1"));
    EXPECT_EQ("<a/>", none.GetDocText());
    XmlProbe open("<r><a b=\"x></a><c/></r>");
    open.FindChildElement("a");
    EXPECT_FALSE(open.SetChildAttribute("b", "y"));
    ExpectText(open, "<r><a b=\"x></a><c/></r>");
}

TEST(XmlEdit, WriteTextReplacesTheContent)
{
    XmlProbe doc("<r><a/><b>old</b><c><d/></c></r>");
    doc.FindChildElement("a");
    ASSERT_TRUE(doc.WriteText(doc.Child(), "x<y", false));
    ExpectText(doc, "<r><a>x&lt;y</a><b>old</b><c><d/></c></r>");
    doc.FindChildElement("b");
    ASSERT_TRUE(doc.WriteText(doc.Child(), "<raw>", true));
    ExpectText(doc, "<r><a>x&lt;y</a><b><![CDATA[<raw>]]></b><c><d/></c></r>");
    EXPECT_EQ("<raw>", doc.GetChildText());
    ASSERT_TRUE(doc.WriteText(doc.Child(), "a]]>b", true));  // cannot be wrapped: escaped
    ExpectText(doc, "<r><a>x&lt;y</a><b>a]]&gt;b</b><c><d/></c></r>");
    doc.FindChildElement("c");
    EXPECT_FALSE(doc.WriteText(doc.Child(), "x", false));  // has a child element
    EXPECT_FALSE(doc.WriteText(0, "x", false));
    EXPECT_FALSE(doc.WriteText(999, "x", false));
}

TEST(XmlEdit, RemoveElements)
{
    XmlProbe only("<p>\r\n<c/>\r\n</p>");
    only.FindChildElement("c");
    ASSERT_TRUE(only.RemoveChildElement());
    ExpectText(only, "<p>|</p>");
    EXPECT_EQ(0, only.Child());
    EXPECT_FALSE(only.RemoveChildElement());

    XmlProbe doc("<r>\r\n<a/>\r\n<b>\r\n<x/>\r\n</b>\r\n<c/>\r\n</r>\r\n");
    doc.FindChildElement("b");
    doc.EnterElement();
    doc.FindChildElement("x");
    ASSERT_TRUE(doc.SavePosition("inside"));
    doc.LeaveElement();
    doc.EnterElement();
    ASSERT_TRUE(doc.RemoveElement());  // b goes; the position moves to a
    ExpectText(doc, "<r>|<a/>|<c/>|</r>|");
    EXPECT_EQ("a", doc.GetElementName());
    // A position saved inside the removed element is not restored, and the
    // removed records cannot be edited.
    EXPECT_FALSE(doc.RestorePosition("inside"));
    EXPECT_EQ("", doc.ElementText(3));
    EXPECT_FALSE(doc.WriteText(4, "x", false));
    EXPECT_FALSE(doc.WriteAttribute(3, "n", "1"));
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ("c", doc.GetElementName());

    // The first element removed: the position lies before the level.
    XmlProbe first("<r><a/><b/></r>");
    first.FindChildElement("a");
    first.EnterElement();
    ASSERT_TRUE(first.RemoveElement());
    EXPECT_EQ(0, first.Main());
    EXPECT_FALSE(first.RemoveElement());
    ExpectText(first, "<r><b/></r>");

    // The document element itself; a new one can then be added.
    XmlProbe root("<r/>\r\n");
    root.FindElement();
    ASSERT_TRUE(root.RemoveElement());
    EXPECT_FALSE(root.HasRootElement());
    ASSERT_TRUE(root.AddElement("n"));
    ExpectText(root, "<n/>|");
}

TEST(XmlEdit, ElementTextAndInsertion)
{
    XmlProbe doc("<r>\r\n<a x=\"1\"><b/></a>\r\n<c/>\r\n</r>");
    EXPECT_EQ("<a x=\"1\"><b/></a>\r\n", doc.ElementText(2));
    EXPECT_EQ("<c/>\r\n", doc.ElementText(4));
    EXPECT_EQ("", doc.ElementText(0));

    // Leading nodes are dropped; text after the element stays unindexed.
    doc.FindChildElement("a");
    ASSERT_TRUE(doc.InsertElementText("<!-- lead -->  <n k='v'><m/></n>tail", false, true));
    ExpectText(doc, "<r>|<a x=\"1\"><b/></a>|<n k='v'><m/></n>tail<c/>|</r>");
    EXPECT_EQ("v", doc.GetChildAttribute("k"));

    // Into an empty-form element.
    doc.FindChildElement("c");
    doc.EnterElement();
    ASSERT_TRUE(doc.InsertElementText("<z/>", true, true));
    ExpectText(doc, "<r>|<a x=\"1\"><b/></a>|<n k='v'><m/></n>tail<c>|<z/></c>|</r>");

    // Failures leave the text as it was, with the parse error.
    std::string before = doc.GetDocText();
    EXPECT_FALSE(doc.InsertElementText("<bad>", false, true));
    EXPECT_EQ("End tag does not correspond to bad", doc.GetResultText());
    EXPECT_FALSE(doc.InsertElementText("</c>", false, true));
    EXPECT_FALSE(doc.InsertElementText("no element", false, true));
    EXPECT_FALSE(doc.InsertElementText(0, false, true));
    EXPECT_EQ(before, doc.GetDocText());
    EXPECT_EQ("", CompareWithReparse(doc));

    // An element not closed inside the inserted text is refused even when the
    // text around it would close it.
    XmlProbe runOn("<r><q>\r\n<x/></q></r>");
    runOn.FindChildElement("q");
    runOn.EnterElement();
    runOn.FindChildElement("x");
    EXPECT_FALSE(runOn.InsertElementText("<q>", true, true));
    ExpectText(runOn, "<r><q>|<x/></q></r>");

    XmlProbe top("<r/>");
    EXPECT_FALSE(top.InsertElementText("<a/>", false, false));  // not at the document level
}

TEST(XmlEdit, CopiesAreIndependent)
{
    XmlProbe source("<r><a t=\"1\"/><b/></r>");
    source.FindChildElement("b");
    source.SavePosition("s");
    XmlProbe copy("<x><y/><z/><w/></x>");
    copy.FindChildElement("w");
    copy.SavePosition("w");
    static_cast<CXmlDocument&>(copy) = source;
    EXPECT_EQ(source.Child(), copy.Child());
    EXPECT_EQ(source.FreeRecord(), copy.Capacity());
    // Saved positions named records of the old index.
    EXPECT_FALSE(copy.RestorePosition("w"));
    EXPECT_FALSE(copy.RestorePosition("s"));
    ASSERT_TRUE(copy.AddChildElement("c"));  // grows past the copied capacity
    ExpectText(copy, "<r><a t=\"1\"/><b/><c/>|</r>");
    EXPECT_EQ("<r><a t=\"1\"/><b/></r>", source.GetDocText());

    static_cast<CXmlDocument&>(copy) = static_cast<CXmlDocument&>(copy);
    ExpectText(copy, "<r><a t=\"1\"/><b/><c/>|</r>");

    CXmlDocument constructed(source);
    ASSERT_TRUE(constructed.RemoveChildElement());
    EXPECT_EQ("<r><a t=\"1\"/></r>", constructed.GetDocText());
    EXPECT_EQ("<r><a t=\"1\"/><b/></r>", source.GetDocText());

    // A copy of an empty document holds a single record and must still grow.
    XmlProbe empty;
    XmlProbe grown;
    static_cast<CXmlDocument&>(grown) = empty;
    ASSERT_TRUE(grown.AddElement("r"));
    ASSERT_TRUE(grown.AddChildElement("a"));
    EXPECT_LE(grown.FreeRecord(), grown.Capacity());
    ExpectText(grown, "<r>|<a/>|</r>|");
}
