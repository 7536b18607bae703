// Editing: the exact text the element and attribute operations write, element
// texts, removal, insertion of element texts and copies.
#include "XmlProbe.h"

#include <gtest/gtest.h>

static void ExpectConsistent(const XmlProbe& doc)
{
    EXPECT_EQ("", CompareWithReparse(doc)) << Lines(doc.GetDocText());
}

TEST(XmlEdit, BuiltDocumentLayout)
{
    XmlProbe doc;
    ASSERT_TRUE(doc.AddElement("r"));
    EXPECT_EQ("<r/>|", Lines(doc.GetDocText()));
    ASSERT_TRUE(doc.AddChildElement("a"));
    EXPECT_EQ("<r>|<a/>|</r>|", Lines(doc.GetDocText()));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddChildElement("b", "x&y"));
    EXPECT_EQ("<r>|<a>|<b>x&amp;y</b>|</a>|</r>|", Lines(doc.GetDocText()));
    ASSERT_TRUE(doc.SetAttribute("n", "1"));
    EXPECT_EQ("<r>|<a n=\"1\">|<b>x&amp;y</b>|</a>|</r>|", Lines(doc.GetDocText()));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AddChildElement("c"));
    EXPECT_EQ("<r>|<a n=\"1\">|<b>x&amp;y</b>|</a>|<c/>|</r>|", Lines(doc.GetDocText()));
    ExpectConsistent(doc);

    // Reading back what was written.
    XmlProbe back(doc.GetDocText().c_str());
    ASSERT_TRUE(back.FindChildElement("a"));
    EXPECT_EQ("1", back.GetChildAttribute("n"));
    back.EnterElement();
    ASSERT_TRUE(back.FindChildElement("b"));
    EXPECT_EQ("x&y", back.GetChildText());
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
    EXPECT_EQ("<HighScores>|<puzzle>|<level number=\"3\">|<highscore>|<name>Player</name>|"
              "<score>42</score>|<date>D</date>|</highscore>|</level>|</puzzle>|<panik/>|</HighScores>|",
              Lines(doc.GetDocText()));
    ExpectConsistent(doc);
}

TEST(XmlEdit, AddElementPlacement)
{
    XmlProbe doc("<r><a/><b/></r>");
    EXPECT_FALSE(doc.AddElement("x"));  // a document element exists
    EXPECT_EQ("<r><a/><b/></r>", doc.GetDocText());

    // Inside an element: after the main element.
    doc.FindChildElement("a");
    doc.EnterElement();
    ASSERT_TRUE(doc.AddElement("x"));
    EXPECT_EQ("<r><a/><x/>|<b/></r>", Lines(doc.GetDocText()));
    EXPECT_EQ("x", doc.GetElementName());
    ExpectConsistent(doc);

    // With the position before the first element: last of the level.
    XmlProbe last("<r><a/><b/></r>");
    last.FindElement();
    last.EnterElement();
    ASSERT_TRUE(last.AddElement("x", "v"));
    EXPECT_EQ("<r><a/><b/><x>v</x>|</r>", Lines(last.GetDocText()));
    ExpectConsistent(last);

    // Children: each after the current child, else after the last child.
    XmlProbe children("<r>\r\n<a/>\r\n</r>\r\n");
    children.FindElement();
    ASSERT_TRUE(children.AddChildElement("b"));
    ASSERT_TRUE(children.AddChildElement("c"));
    EXPECT_EQ("<r>|<a/>|<b/>|<c/>|</r>|", Lines(children.GetDocText()));
    EXPECT_FALSE(children.FindChildElement());
    ExpectConsistent(children);

    XmlProbe empty;
    EXPECT_FALSE(empty.AddChildElement("c"));  // no main element
    EXPECT_FALSE(empty.AddElement(0));
    EXPECT_EQ("", empty.GetDocText());
}

TEST(XmlEdit, EmptyParentsOpenUp)
{
    XmlProbe bare("<p></p>");
    bare.FindElement();
    ASSERT_TRUE(bare.AddChildElement("c"));
    EXPECT_EQ("<p>|<c/>|</p>", Lines(bare.GetDocText()));
    ExpectConsistent(bare);

    XmlProbe emptyForm("<r><p/><q/></r>");
    emptyForm.FindChildElement("p");
    emptyForm.EnterElement();
    ASSERT_TRUE(emptyForm.AddChildElement("c", "1"));
    EXPECT_EQ("<r><p>|<c>1</c>|</p><q/></r>", Lines(emptyForm.GetDocText()));
    ExpectConsistent(emptyForm);
}

TEST(XmlEdit, ValuesAndAttributesAreEscaped)
{
    XmlProbe doc;
    doc.AddElement("r");
    ASSERT_TRUE(doc.AddChildElement("v", "1<2 'q' \"d\" >"));
    ASSERT_TRUE(doc.AddChildElement("w", ""));
    ASSERT_TRUE(doc.SetChildAttribute("t", "a\"b'c"));
    EXPECT_EQ("<r>|<v>1&lt;2 'q' \"d\" &gt;</v>|<w t=\"a&quot;b&apos;c\"/>|</r>|", Lines(doc.GetDocText()));
    ASSERT_TRUE(doc.SetChildAttribute("t", "<"));
    ASSERT_TRUE(doc.SetChildAttribute("u", 0));
    ASSERT_TRUE(doc.WriteAttribute(doc.Child(), "n", -17));
    EXPECT_EQ("<r>|<v>1&lt;2 'q' \"d\" &gt;</v>|<w t=\"&lt;\" u=\"\" n=\"-17\"/>|</r>|", Lines(doc.GetDocText()));
    ExpectConsistent(doc);
    EXPECT_EQ("<", doc.GetChildAttribute("t"));

    // An existing value keeps its quote characters.
    XmlProbe single("<a t='x' s=\"y\"><b/></a>");
    single.FindElement();
    ASSERT_TRUE(single.SetAttribute("t", "longer"));
    EXPECT_EQ("<a t='longer' s=\"y\"><b/></a>", single.GetDocText());
    ExpectConsistent(single);

    // Nothing to write to.
    XmlProbe none("<a/>");
    EXPECT_FALSE(none.SetAttribute("t", "1"));
    EXPECT_FALSE(none.SetChildAttribute("t", "1"));
    none.FindElement();
    EXPECT_FALSE(none.SetAttribute(0, "1"));
    EXPECT_FALSE(none.SetChildAttribute("t", "1"));
    EXPECT_EQ("<a/>", none.GetDocText());
}

TEST(XmlEdit, WriteTextReplacesTheContent)
{
    XmlProbe doc("<r><a/><b>old</b><c><d/></c></r>");
    doc.FindChildElement("a");
    ASSERT_TRUE(doc.WriteText(doc.Child(), "x<y", false));
    EXPECT_EQ("<r><a>x&lt;y</a><b>old</b><c><d/></c></r>", doc.GetDocText());
    ExpectConsistent(doc);
    doc.FindChildElement("b");
    ASSERT_TRUE(doc.WriteText(doc.Child(), "<raw>", true));
    EXPECT_EQ("<r><a>x&lt;y</a><b><![CDATA[<raw>]]></b><c><d/></c></r>", doc.GetDocText());
    EXPECT_EQ("<raw>", doc.GetChildText());
    ASSERT_TRUE(doc.WriteText(doc.Child(), "a]]>b", true));  // cannot be wrapped: escaped
    EXPECT_EQ("a]]>b", doc.GetChildText());
    EXPECT_EQ("<r><a>x&lt;y</a><b>a]]&gt;b</b><c><d/></c></r>", doc.GetDocText());
    ExpectConsistent(doc);
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
    EXPECT_EQ("<p>|</p>", Lines(only.GetDocText()));
    EXPECT_EQ(0, only.Child());
    EXPECT_FALSE(only.RemoveChildElement());
    ExpectConsistent(only);

    XmlProbe doc("<r>\r\n<a/>\r\n<b>\r\n<x/>\r\n</b>\r\n<c/>\r\n</r>\r\n");
    doc.FindChildElement("b");
    doc.EnterElement();
    doc.FindChildElement("x");
    ASSERT_TRUE(doc.SavePosition("inside"));
    doc.LeaveElement();
    doc.EnterElement();
    ASSERT_TRUE(doc.RemoveElement());  // b goes; the position moves to a
    EXPECT_EQ("<r>|<a/>|<c/>|</r>|", Lines(doc.GetDocText()));
    EXPECT_EQ("a", doc.GetElementName());
    ExpectConsistent(doc);
    // A position saved inside the removed element is not restored.
    EXPECT_FALSE(doc.RestorePosition("inside"));
    EXPECT_EQ("", doc.ElementText(3));
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ("c", doc.GetElementName());

    // The first element removed: the position lies before the level.
    XmlProbe first("<r><a/><b/></r>");
    first.FindChildElement("a");
    first.EnterElement();
    ASSERT_TRUE(first.RemoveElement());
    EXPECT_EQ(0, first.Main());
    EXPECT_FALSE(first.RemoveElement());
    EXPECT_EQ("<r><b/></r>", first.GetDocText());
    ExpectConsistent(first);

    // The document element itself; a new one can then be added.
    XmlProbe root("<r/>\r\n");
    root.FindElement();
    ASSERT_TRUE(root.RemoveElement());
    EXPECT_EQ("", root.GetDocText());
    EXPECT_FALSE(root.HasRootElement());
    ASSERT_TRUE(root.AddElement("n"));
    EXPECT_EQ("<n/>|", Lines(root.GetDocText()));
}

TEST(XmlEdit, ElementTextAndInsertion)
{
    XmlProbe doc("<r>\r\n<a x=\"1\"><b/></a>\r\n<c/>\r\n</r>");
    EXPECT_EQ("<a x=\"1\"><b/></a>\r\n", doc.ElementText(2));
    EXPECT_EQ("<c/>\r\n", doc.ElementText(4));
    EXPECT_EQ("", doc.ElementText(0));

    doc.FindChildElement("a");
    ASSERT_TRUE(doc.InsertElementText("<!-- lead -->  <n k='v'><m/></n>tail", false, true));
    EXPECT_EQ("<r>|<a x=\"1\"><b/></a>|<n k='v'><m/></n>tail<c/>|</r>", Lines(doc.GetDocText()));
    EXPECT_EQ("v", doc.GetChildAttribute("k"));
    ExpectConsistent(doc);

    // Into an empty-form element.
    doc.FindChildElement("c");
    doc.EnterElement();
    ASSERT_TRUE(doc.InsertElementText("<z/>", true, true));
    EXPECT_EQ("<r>|<a x=\"1\"><b/></a>|<n k='v'><m/></n>tail<c>|<z/></c>|</r>", Lines(doc.GetDocText()));
    ExpectConsistent(doc);

    // Failures leave the text as it was.
    std::string before = doc.GetDocText();
    EXPECT_FALSE(doc.InsertElementText("<bad>", false, true));
    EXPECT_FALSE(doc.InsertElementText("</c>", false, true));
    EXPECT_FALSE(doc.InsertElementText("no element", false, true));
    EXPECT_FALSE(doc.InsertElementText(0, false, true));
    EXPECT_EQ(before, doc.GetDocText());
    ExpectConsistent(doc);

    // An element that is not closed inside the inserted text is refused even
    // when the text around it would close it.
    XmlProbe runOn("<r><q>\r\n<x/></q></r>");
    runOn.FindChildElement("q");
    runOn.EnterElement();
    runOn.FindChildElement("x");
    EXPECT_FALSE(runOn.InsertElementText("<q>", true, true));
    EXPECT_EQ("<r><q>\r\n<x/></q></r>", runOn.GetDocText());
    ExpectConsistent(runOn);

    XmlProbe top("<r/>");
    EXPECT_FALSE(top.InsertElementText("<a/>", false, false));  // not at the document level
}

TEST(XmlEdit, CopiesAreIndependent)
{
    XmlProbe source("<r><a t=\"1\"/><b/></r>");
    source.FindChildElement("b");
    source.SavePosition("s");
    XmlProbe copy;
    copy.SetDocText("<x><y/><z/><w/></x>");
    copy.FindChildElement("w");
    copy.SavePosition("w");
    static_cast<CXmlDocument&>(copy) = source;
    EXPECT_EQ(source.GetDocText(), copy.GetDocText());
    EXPECT_EQ(source.Child(), copy.Child());
    EXPECT_EQ(source.FreeRecord(), copy.Capacity());
    EXPECT_FALSE(copy.RestorePosition("w"));
    EXPECT_FALSE(copy.RestorePosition("s"));
    ASSERT_TRUE(copy.AddChildElement("c"));  // grows past the copied capacity
    EXPECT_EQ("<r><a t=\"1\"/><b/><c/>|</r>", Lines(copy.GetDocText()));
    EXPECT_EQ("<r><a t=\"1\"/><b/></r>", source.GetDocText());
    ExpectConsistent(copy);

    static_cast<CXmlDocument&>(copy) = static_cast<CXmlDocument&>(copy);
    EXPECT_EQ("<r><a t=\"1\"/><b/><c/>|</r>", Lines(copy.GetDocText()));

    CXmlDocument constructed(source);
    ASSERT_TRUE(constructed.RemoveChildElement());
    EXPECT_EQ("<r><a t=\"1\"/></r>", constructed.GetDocText());
    EXPECT_EQ("<r><a t=\"1\"/><b/></r>", source.GetDocText());
}
