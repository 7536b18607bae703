// Randomized checks: documents built with the editing operations survive a
// save and load unchanged; thousands of corrupted level and high-score files
// are read and edited without a crash or a broken index.
#include "XmlProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace
{

struct Node
{
    std::string name;
    std::string value;
    std::vector<std::pair<std::string, std::string> > attributes;  // in the order first set
    std::vector<Node> children;
};

std::string RandomValue(std::mt19937& rng)
{
    static const char alphabet[] = "abcXYZ019 <>&'\";#[]=/!?\t\r\n\xE4\xFC\xDF\x80\xFF";
    std::string value;
    for (int length = (int)(rng() % 12); length > 0; length--)
        value += alphabet[rng() % (sizeof(alphabet) - 1)];
    return value;
}

Node RandomNode(std::mt19937& rng, int depth)
{
    static const char* const elements[] = { "level", "lev", "levels", "a", "stone", "x-y", "n_1", "HighScores" };
    std::vector<std::string> attributes = { "nr", "n", "name", "type", "x" };
    std::shuffle(attributes.begin(), attributes.end(), rng);
    Node node;
    node.name = elements[rng() % 8];
    for (int i = (int)(rng() % 4); i > 0; i--)
        node.attributes.push_back(std::make_pair(attributes[i], RandomValue(rng)));
    for (int i = depth < 4 ? (int)(rng() % 5) : 0; i > 0; i--)
        node.children.push_back(RandomNode(rng, depth + 1));
    if (node.children.empty() && rng() % 2)
        node.value = RandomValue(rng);
    return node;
}

// Writes the attributes and children of `node`, which is the main element.
void Build(CXmlDocument& doc, const Node& node)
{
    for (const auto& attribute : node.attributes)
    {
        // Some values are set twice: the second write replaces the first in place.
        if (attribute.second.size() % 3 == 0)
        {
            ASSERT_TRUE(doc.SetAttribute(attribute.first.c_str(), "temporary"));
        }
        ASSERT_TRUE(doc.SetAttribute(attribute.first.c_str(), attribute.second.c_str()));
    }
    for (const Node& child : node.children)
    {
        ASSERT_TRUE(doc.AddChildElement(child.name.c_str(), child.value.c_str()));
        if (child.children.empty())
        {
            for (const auto& attribute : child.attributes)
                ASSERT_TRUE(doc.SetChildAttribute(attribute.first.c_str(), attribute.second.c_str()));
            continue;
        }
        ASSERT_TRUE(doc.EnterElement());
        Build(doc, child);
        ASSERT_TRUE(doc.LeaveElement());
    }
}

// Reads the main element and its children back and compares them with `node`.
void Verify(CXmlDocument& doc, const Node& node)
{
    EXPECT_EQ(node.name, doc.GetElementName());
    for (size_t i = 0; i < node.attributes.size(); i++)
    {
        EXPECT_EQ(node.attributes[i].second, doc.GetAttribute(node.attributes[i].first.c_str()));
        EXPECT_EQ(node.attributes[i].first, doc.GetAttributeName((int)i));
    }
    for (const Node& child : node.children)
    {
        ASSERT_TRUE(doc.FindChildElement(child.name.c_str())) << child.name;
        for (const auto& attribute : child.attributes)
            EXPECT_EQ(attribute.second, doc.GetChildAttribute(attribute.first.c_str()));
        EXPECT_EQ(child.value, doc.GetChildText());
        ASSERT_TRUE(doc.EnterElement());
        Verify(doc, child);
        ASSERT_TRUE(doc.LeaveElement());
    }
    EXPECT_FALSE(doc.FindChildElement());
}

// Removes some elements from the document and the model alike.
void RemoveSome(CXmlDocument& doc, Node& node, std::mt19937& rng)
{
    bool hadChildren = !node.children.empty();
    for (size_t i = 0; i < node.children.size();)
    {
        ASSERT_TRUE(doc.FindChildElement());
        if (rng() % 5 == 0)
        {
            ASSERT_TRUE(doc.RemoveChildElement());
            node.children.erase(node.children.begin() + i);
            continue;
        }
        ASSERT_TRUE(doc.EnterElement());
        RemoveSome(doc, node.children[i], rng);
        ASSERT_TRUE(doc.LeaveElement());
        i++;
    }
    // The line break between the tags stays when the last child goes.
    if (hadChildren && node.children.empty())
        node.value = "\r\n";
}

std::string Mutate(std::string text, std::mt19937& rng)
{
    static const char* const snippets[] = {
        "<", ">", "</", "/>", "<!--", "-->", "<![CDATA[", "]]>", "<?", "?>", "\"", "'",
        "&#", "&#x", "&amp;", "&#65", "<!DOCTYPE a [", "]", "< ?", "< !", "=", " ", "<a>", "</a>",
    };
    // Mostly one change, so that many variants still parse and get edited.
    for (int k = rng() % 4 == 0 ? 3 : 1; k > 0 && !text.empty(); k--)
    {
        size_t at = rng() % text.size();
        size_t length = 1 + rng() % 12;
        switch (rng() % 8)
        {
        case 0:
        case 1: text[at] = (char)(1 + rng() % 255); break;
        case 2: text.erase(at, length); break;
        case 3:
        case 4: text.insert(at, snippets[rng() % (sizeof(snippets) / sizeof(snippets[0]))]); break;
        case 5:
        case 6: text.insert(at, text.substr(rng() % text.size(), length * 4)); break;
        default: text.resize(at); break;
        }
    }
    return text;
}

// Walks the whole tree: at each step a search for one of the names of both
// files, else the next child, else back up. Reads and edits on the way and
// returns the number of elements visited.
int WalkAndEdit(XmlProbe& doc, std::mt19937& rng)
{
    static const char* const names[] = { nullptr, "level", "stone", "position", "puzzle", "highscore" };
    int visits = 0;
    doc.FindElement();
    while (visits < 400)
    {
        if (!doc.FindChildElement(names[rng() % 6]) && !doc.FindChildElement())
        {
            if (!doc.LeaveElement())
                break;
            continue;
        }
        visits++;
        doc.GetChildText();
        doc.GetChildAttribute("type");
        doc.EnterElement();
        doc.GetElementName();
        doc.GetAttributeName((int)(rng() % 3));
        switch (rng() % 8)
        {
        case 0: doc.SetAttribute("type", "<&>"); break;
        case 1: doc.AddChildElement("n", "v"); break;
        case 2: doc.WriteText(doc.Main(), "t", rng() % 2 == 0); break;
        case 3: doc.RemoveElement(); break;
        case 4: doc.InsertElementText("<i a='1'/>", rng() % 2 == 0, rng() % 2 == 0); break;
        case 5: doc.ElementText(doc.Main()); break;
        case 6: doc.SavePosition(""); break;
        default: doc.RestorePosition(""); break;
        }
    }
    return visits;
}

} // namespace

TEST(XmlRandom, BuiltDocumentsSurviveSaveAndLoad)
{
    std::mt19937 rng(20261206);
    std::string path = "/tmp/zarul-xml-roundtrip-" + std::to_string(getpid()) + ".xml";
    for (int round = 0; round < 150 && !HasFailure(); round++)
    {
        Node root = RandomNode(rng, 0);
        root.value.clear();
        XmlProbe doc;
        ASSERT_TRUE(doc.AddElement(root.name.c_str()));
        Build(doc, root);
        ASSERT_EQ("", CompareWithReparse(doc)) << Lines(doc.GetDocText());
        ASSERT_TRUE(doc.Save(path.c_str())) << doc.GetResultText();

        XmlProbe back;
        ASSERT_TRUE(back.Load(path.c_str())) << back.GetResultText();
        EXPECT_EQ(doc.GetDocText(), back.GetDocText());
        ASSERT_TRUE(back.FindElement(root.name.c_str()));
        Verify(back, root);

        // Removal keeps the index right; the result reads back as the model.
        back.SetDocText(doc.GetDocText().c_str());
        back.FindElement();
        RemoveSome(back, root, rng);
        ASSERT_EQ("", CompareWithReparse(back)) << Lines(back.GetDocText());
        XmlProbe again(back.GetDocText().c_str());
        ASSERT_TRUE(again.FindElement());
        Verify(again, root);
    }
    unlink(path.c_str());
}

TEST(XmlRandom, CorruptedFilesNeverCrashOrBreakTheIndex)
{
    const char* files[] = { "levels.xml", "highscore.xml" };
    for (unsigned f = 0; f < 2; f++)
    {
        std::ifstream in(std::string(XML_CORPUS_DIR) + "/" + files[f], std::ios::binary);
        std::ostringstream original;
        original << in.rdbuf();
        ASSERT_FALSE(original.str().empty()) << files[f];

        std::mt19937 rng(f + 1);
        const int variants = 3000;
        int parsed = 0;
        int visits = 0;
        for (int v = 0; v < variants; v++)
        {
            std::string text = Mutate(original.str(), rng);
            XmlProbe doc(text.c_str());
            bool wasParsed = doc.HasRootElement();
            parsed += wasParsed;
            ASSERT_EQ("", CheckIndexBounds(doc)) << text;
            visits += WalkAndEdit(doc, rng);
            ASSERT_EQ("", CheckIndexBounds(doc)) << text;
            // Edits of a parsed text keep it parsing to the same index; only a start
            // tag that ends in "//>" turns into an empty form when it is opened up.
            if (wasParsed && text.find("//>") == std::string::npos)
            {
                ASSERT_EQ("", CompareWithReparse(doc)) << text << "\n---\n" << doc.GetDocText();
            }
        }
        // Enough variants stay readable that the readers and editors really run.
        EXPECT_GT(parsed, variants / 10) << files[f];
        EXPECT_GT(visits, parsed * 10) << files[f];
    }
}
