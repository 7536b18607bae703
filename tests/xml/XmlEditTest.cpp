// Editing: the exact text the element and attribute operations write, element
// texts, removal, insertion of element texts and copies. After each edit the
// index must equal what a fresh parse of the text builds.
#include "XmlProbe.h"

#include <gtest/gtest.h>

#include <functional>

static void ExpectText(const XmlProbe& doc, const std::string& lines)
{
    EXPECT_EQ(lines, Lines(doc.GetDocText()));
    EXPECT_EQ("", CompareWithReparse(doc)) << Lines(doc.GetDocText());
}

// Texts are written with '|' for CR LF.
static std::string Crlf(const char* lines)
{
    std::string text;
    for (const char* c = lines; *c; c++)
        text += *c == '|' ? std::string("\r\n") : std::string(1, *c);
    return text;
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

TEST(XmlEdit, SingleEdits)
{
    struct Case
    {
        const char* before;
        std::function<bool(XmlProbe&)> edit;  // false when the edit must fail
        const char* after;                    // the text after it ('|' for CR LF)
    } cases[] = {
        // Inside an element: after the main element; before the first: last of the level.
        { "<r><a/><b/></r>", [](XmlProbe& d) { d.FindChildElement("a"); d.EnterElement();
            return d.AddElement("x") && d.GetElementName() == "x"; }, "<r><a/><x/>|<b/></r>" },
        { "<r><a/><b/></r>", [](XmlProbe& d) { d.FindElement(); d.EnterElement();
            return d.AddElement("x", "v"); }, "<r><a/><b/><x>v</x>|</r>" },
        // Each child after the current child, else after the last child.
        { "<r>|<a/>|</r>|", [](XmlProbe& d) { d.FindElement();
            return d.AddChildElement("b") && d.AddChildElement("c") && !d.FindChildElement(); },
          "<r>|<a/>|<b/>|<c/>|</r>|" },
        // Parents with nothing inside open up with a line break.
        { "<p></p>", [](XmlProbe& d) { d.FindElement(); return d.AddChildElement("c"); }, "<p>|<c/>|</p>" },
        { "<r><p/><q/></r>", [](XmlProbe& d) { d.FindChildElement("p"); d.EnterElement();
            return d.AddChildElement("c", "1"); }, "<r><p>|<c>1</c>|</p><q/></r>" },
        { "", [](XmlProbe& d) { return d.AddChildElement("c") || d.AddElement(nullptr); }, "" },

        // Escaping: quotes stay in contents, not in attribute values.
        { "<r/>", [](XmlProbe& d) { d.FindElement();
            return d.AddChildElement("v", "1<2 'q' \"d\" >") && d.AddChildElement("w", "") &&
                   d.SetChildAttribute("t", "a\"b'c"); },
          "<r>|<v>1&lt;2 'q' \"d\" &gt;</v>|<w t=\"a&quot;b&apos;c\"/>|</r>" },
        { "<w t=\"x\"/>", [](XmlProbe& d) { d.FindElement();
            return d.SetAttribute("t", "<") && d.SetAttribute("u", nullptr) && d.WriteAttribute(d.Main(), "n", -17) &&
                   d.GetAttribute("t") == "<"; }, "<w t=\"&lt;\" u=\"\" n=\"-17\"/>" },
        // An existing value keeps its quote characters.
        { "<a t='x' s=\"y\"><b/></a>", [](XmlProbe& d) { d.FindElement(); return d.SetAttribute("t", "longer"); },
          "<a t='longer' s=\"y\"><b/></a>" },
        // Nothing to write to, or a value that cannot be replaced in place.
        { "<a/>", [](XmlProbe& d) { return d.SetAttribute("t", "1"); }, "<a/>" },
        { "<a/>", [](XmlProbe& d) { d.FindElement(); return d.SetAttribute(nullptr, "1") || d.SetChildAttribute("t", "1"); },
          "<a/>" },
        { "<r><a b=\"x></a><c/></r>", [](XmlProbe& d) { d.FindChildElement("a");
            return d.SetChildAttribute("b", "y"); }, "<r><a b=\"x></a><c/></r>" },

        // Element contents, plain or as CDATA; "]]>" cannot be wrapped and is escaped.
        { "<r><a/><b>old</b></r>", [](XmlProbe& d) { d.FindChildElement("a");
            return d.WriteText(d.Child(), "x<y", false); }, "<r><a>x&lt;y</a><b>old</b></r>" },
        { "<r><b>old</b></r>", [](XmlProbe& d) { d.FindChildElement("b");
            return d.WriteText(d.Child(), "<raw>", true) && d.GetChildText() == "<raw>"; },
          "<r><b><![CDATA[<raw>]]></b></r>" },
        { "<r><b/></r>", [](XmlProbe& d) { d.FindChildElement("b");
            return d.WriteText(d.Child(), "a]]>b", true) && d.GetChildText() == "a]]>b"; },
          "<r><b>a]]&gt;b</b></r>" },
        { "<r><c><d/></c></r>", [](XmlProbe& d) { d.FindChildElement("c");
            return d.WriteText(d.Child(), "x", false) || d.WriteText(0, "x", false) || d.WriteText(99, "x", false); },
          "<r><c><d/></c></r>" },

        // Removal takes the following line break along; the position moves to
        // the previous sibling or before the first element.
        { "<p>|<c/>|</p>", [](XmlProbe& d) { d.FindChildElement("c");
            return d.RemoveChildElement() && d.Child() == 0 && !d.RemoveChildElement(); }, "<p>|</p>" },
        { "<r><a/><b/></r>", [](XmlProbe& d) { d.FindChildElement("a"); d.EnterElement();
            return d.RemoveElement() && d.Main() == 0 && !d.RemoveElement(); }, "<r><b/></r>" },
        { "<r/>|", [](XmlProbe& d) { d.FindElement();
            return d.RemoveElement() && !d.HasRootElement() && d.AddElement("n"); }, "<n/>|" },

        // Inserted element texts: leading nodes dropped, text after the element
        // kept unindexed; into an empty-form element.
        { "<r>|<a/>|<c/>|</r>", [](XmlProbe& d) { d.FindChildElement("a");
            return d.InsertElementText("<!-- lead -->  <n k='v'><m/></n>tail", false, true) &&
                   d.GetChildAttribute("k") == "v"; }, "<r>|<a/>|<n k='v'><m/></n>tail<c/>|</r>" },
        { "<r>|<c/>|</r>", [](XmlProbe& d) { d.FindChildElement("c"); d.EnterElement();
            return d.InsertElementText("<z/>", true, true); }, "<r>|<c>|<z/></c>|</r>" },
        { "<r><c/></r>", [](XmlProbe& d) { d.FindChildElement("c");
            return d.InsertElementText("<bad>", false, true) ||
                   d.GetResultText() != "End tag does not correspond to bad" ||
                   d.InsertElementText("</c>", false, true) || d.InsertElementText("none", false, true) ||
                   d.InsertElementText(nullptr, false, true); }, "<r><c/></r>" },
        // An element not closed inside the inserted text is refused even when
        // the text around it would close it.
        { "<r><q>|<x/></q></r>", [](XmlProbe& d) { d.FindChildElement("q"); d.EnterElement(); d.FindChildElement("x");
            return d.InsertElementText("<q>", true, true); }, "<r><q>|<x/></q></r>" },
        { "<r/>", [](XmlProbe& d) { return d.InsertElementText("<a/>", false, false); }, "<r/>" },
    };
    for (const Case& c : cases)
    {
        XmlProbe doc(Crlf(c.before).c_str());
        bool fails = c.edit(doc) == false;
        EXPECT_EQ(std::string(c.after) == c.before, fails) << c.before << " -> " << c.after;
        ExpectText(doc, c.after);
    }
}

TEST(XmlEdit, RemovedElementsAreGone)
{
    XmlProbe doc("<r>\r\n<a/>\r\n<b>\r\n<x/>\r\n</b>\r\n<c/>\r\n</r>\r\n");
    EXPECT_EQ("<b>\r\n<x/>\r\n</b>\r\n", doc.ElementText(3));
    EXPECT_EQ("", doc.ElementText(0));
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
    // removed records cannot be read or edited.
    EXPECT_FALSE(doc.RestorePosition("inside"));
    EXPECT_EQ("", doc.ElementText(3));
    EXPECT_FALSE(doc.WriteText(4, "x", false));
    EXPECT_FALSE(doc.WriteAttribute(3, "n", "1"));
    ExpectText(doc, "<r>|<a/>|<c/>|</r>|");
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ("c", doc.GetElementName());
}

TEST(XmlEdit, CopiesAreIndependent)
{
    XmlProbe source("<r><a t=\"1\"/><b/></r>");
    source.FindChildElement("b");
    source.SavePosition("s");
    XmlProbe copy("<x><y/><z/><w/></x>");
    copy.FindChildElement("y");
    copy.SavePosition("y");
    static_cast<CXmlDocument&>(copy) = source;
    EXPECT_EQ(source.Child(), copy.Child());
    EXPECT_EQ(source.FreeRecord(), copy.Capacity());
    // Saved positions named records of the old index.
    EXPECT_FALSE(copy.RestorePosition("y"));
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
