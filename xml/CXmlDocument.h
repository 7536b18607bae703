// CXmlDocument: an XML document held as one text with an index of element
// positions. Reading cuts names, attributes and contents out of the text on
// demand; editing changes the text in place and shifts the offsets of the
// elements behind the change. Errors are reported as a false result with the
// text of the error in GetResultText(); nothing is thrown.
#ifndef CXMLDOCUMENT_H
#define CXMLDOCUMENT_H

#include <map>
#include <string>
#include <vector>

class CXmlDocument
{
public:
    // One element of the index; every field is a byte offset into the text or
    // a record index (0 = the document level / none).
    struct ElemRecord
    {
        int startOpen;      // '<' of the start tag
        int startClose;     // '>' that closes the start tag
        int endOpen;        // '<' of the end tag; the '/' of an empty-form element
        int endClose;       // '>' of the end tag; startClose for an empty-form element
        int parent;
        int firstChild;
        int nextSibling;
    };

    struct SavedPosition
    {
        int parent;
        int main;
        int child;
    };

    // Cursor of the tokenizer over a NUL-terminated text.
    struct TextToken
    {
        int first;          // first character (inside the quotes for a quoted token)
        int last;           // last character; last < first is an empty token
        int next;           // where the next read starts
        const char* text;
        bool quoted;

        explicit TextToken(const char* scanText = nullptr)
            : first(0), last(-1), next(0), text(scanText), quoted(false) {}
    };

    // An attribute of a start tag as its tokens give it: the name token, and
    // the quoted value when it is the second token after the name.
    struct TagAttribute
    {
        int token;          // the name's index among the tag's tokens (the element name is 0)
        int nameFirst;
        int nameLength;
        int valueFirst;     // inside the quotes; -1 when the name has no value
        int valueLast;
    };

    // Node kinds reported by SkipMarkup.
    enum
    {
        NODE_NONE = 0,
        NODE_ELEMENT = 1,
        NODE_TEXT = 2,
        NODE_WHITESPACE = 4,
        NODE_CDATA = 8,
        NODE_PI = 16,
        NODE_COMMENT = 32,
        NODE_DOCTYPE = 64
    };

    CXmlDocument();
    CXmlDocument(const CXmlDocument& source);
    virtual ~CXmlDocument();

    CXmlDocument& operator=(const CXmlDocument& source);

    // Document text and index
    bool SetDocText(const char* text);
    const std::string& GetDocText() const { return docText; }
    const std::string& GetResultText() const { return resultText; }
    bool HasRootElement() const;

    // Files
    bool Load(const char* path);
    bool Save(const char* path);

    // Navigation
    bool FindElement(const char* name = nullptr);
    bool FindChildElement(const char* name = nullptr);
    bool EnterElement();
    bool LeaveElement();
    bool SavePosition(const char* name);
    bool RestorePosition(const char* name);

    // Reading
    std::string GetElementName();
    std::string GetAttribute(const char* name);
    std::string GetChildAttribute(const char* name);
    std::string GetAttributeName(int n);
    std::string GetChildText();

    // Editing
    bool AddElement(const char* name, const char* value = nullptr);
    bool AddChildElement(const char* name, const char* value = nullptr);
    bool SetAttribute(const char* name, const char* value);
    bool SetChildAttribute(const char* name, const char* value);
    bool RemoveElement();
    bool RemoveChildElement();

    // Editing by record index
    bool WriteAttribute(int record, const char* name, const char* value);
    bool WriteAttribute(int record, const char* name, int value);
    bool WriteText(int record, const char* text, bool asCData);
    std::string ElementText(int record);
    bool InsertElementText(const char* text, bool insert, bool asChild);

protected:
    // Index building
    bool BuildIndex();
    bool GrowRecords(int n);
    int ParseElement(int parent);
    int ParseStartTag(int parent, int textEnd, int* nameFirst, int* nameLength);
    bool ParseEndTag(int element, int nameFirst, int nameLength);
    int FailParse(const char* format, const char* name);
    int TakeRecord();
    void ReleaseRecords();
    void SetCurrent(int parent, int main, int child);
    ElemRecord& Record(int i) const { return recordPages[i >> 16][i & 0xFFFF]; }

    // Tokenizer
    static bool ScanTo(const char* text, int* offset, char c);
    static bool SkipWhite(const char* text, int* offset);
    static bool NextToken(TextToken& token);
    static std::string TokenText(const TextToken& token);
    static int SkipMarkup(TextToken& token);
    static bool NameMatch(const char* token, int tokenLength, const char* name, int nameLength);
    static bool TagNameMatch(const char* text, int startOpen, const char* name, int nameLength);

    // Reading steps
    int FindSibling(int parent, int after, const char* name) const;
    std::string ElementNameAt(int record) const;
    void BeginTagWalk(int record) const;
    bool WalkTagToken() const;
    void ForgetTagWalk();
    bool FindAttributeValue(int record, const char* name, int* first, int* last) const;
    std::string ReadAttribute(int record, const char* name) const;
    std::string ReadText(int record) const;
    std::string UnescapeText(int left, int right) const;

    // Editing steps
    bool InsertElement(const char* name, const char* value, bool insert, bool asChild);
    bool InsertionPlace(bool asChild, int* parent, int* before) const;
    void SelectInserted(int parent, int record, bool asChild);
    static std::string EscapeText(const char* text, bool forAttribute);
    bool WrapCData(const char* text, std::string* wrapped) const;
    void ReplaceText(int offset, int length, const std::string& text);
    void ShiftOffsets(int record, int delta, bool skipChildren);
    int PlaceNewElement(int parent, int before, bool insert, int* previous) const;
    int UnlinkElement(int record);
    int ElementEnd(int record) const;
    void LinkAfter(int record, int parent, int previous);
    bool IsEmptyForm(int record) const;
    bool IsLiveRecord(int record) const;

    std::string docText;
    std::string resultText;
    int parentPos;
    int mainPos;
    int childPos;
    int freeRecord;
    int nodeKind;
    std::map<std::string, SavedPosition> savedPositions;
    ElemRecord** recordPages;
    int recordCapacity;
    int pageSlots;

    // The start tag walked last, so far as it has been walked: reading one
    // attribute after another goes on from here instead of from the tag's
    // start. Any change of the text forgets it.
    mutable int walkRecord;         // 0: none
    mutable int walkNext;           // where the next token starts
    mutable int walkCount;          // tokens walked
    mutable bool walkDone;          // the tag's end (or the text's) is reached
    mutable std::vector<TagAttribute> walkAttributes;
};

#endif
