// CXmlDocument: construction, record storage, tokenizer and the parser that
// builds the element index from the document text.
#include "CXmlDocument.h"

#include <cstdlib>
#include <cstring>
#include <vector>

enum
{
    RECORDS_PER_PAGE = 65536,
    PAGE_SHIFT = 16,
    PAGE_MASK = 0xFFFF,
    ERROR_TEXT_SIZE = 300
};

// Character classes: 1 = white space, 2 = ends an unquoted token (one of the
// delimiters space, tab, LF, CR, < > = \ / ? !, or NUL). Built at compile time, so
// documents constructed during static initialisation read it correctly too.
struct CharClassTable
{
    unsigned char flags[256];
};

static constexpr CharClassTable MakeCharClassTable()
{
    CharClassTable table = {};
    const char white[] = " \t\n\r";
    const char delimiters[] = " \t\n\r<>=\\/?!";
    for (int i = 0; white[i]; i++)
        table.flags[(unsigned char)white[i]] |= 1;
    for (int i = 0; delimiters[i]; i++)
        table.flags[(unsigned char)delimiters[i]] |= 2;
    table.flags[0] |= 2;
    return table;
}

static constexpr CharClassTable s_charClass = MakeCharClassTable();

static inline bool IsWhite(char c)
{
    return (s_charClass.flags[(unsigned char)c] & 1) != 0;
}

static inline bool EndsToken(char c)
{
    return (s_charClass.flags[(unsigned char)c] & 2) != 0;
}

static int PageCount(int capacity)
{
    return capacity == 0 ? 0 : ((capacity - 1) >> PAGE_SHIFT) + 1;
}

/*
==============================================================================
Construction and record storage
==============================================================================
*/

CXmlDocument::CXmlDocument()
    : parentPos(0), mainPos(0), childPos(0), freeRecord(0), nodeKind(0),
      recordPages(nullptr), recordCapacity(0), pageSlots(0),
      walkRecord(0), walkNext(0), walkCount(0), walkDone(false)
{
    SetDocText(nullptr);
}

CXmlDocument::CXmlDocument(const CXmlDocument& source)
    : parentPos(0), mainPos(0), childPos(0), freeRecord(0), nodeKind(0),
      recordPages(nullptr), recordCapacity(0), pageSlots(0),
      walkRecord(0), walkNext(0), walkCount(0), walkDone(false)
{
    *this = source;
}

CXmlDocument::~CXmlDocument()
{
    ReleaseRecords();
}

void CXmlDocument::ReleaseRecords()
{
    if (recordPages)
    {
        int pages = PageCount(recordCapacity);
        for (int p = 0; p < pages; p++)
            delete[] recordPages[p];
        delete[] recordPages;
    }
    recordPages = nullptr;
    recordCapacity = 0;
    pageSlots = 0;
}

CXmlDocument& CXmlDocument::operator=(const CXmlDocument& source)
{
    if (this == &source)
        return *this;

    parentPos = source.parentPos;
    mainPos = source.mainPos;
    childPos = source.childPos;
    freeRecord = source.freeRecord;
    nodeKind = source.nodeKind;

    ReleaseRecords();
    recordCapacity = source.freeRecord;
    pageSlots = PageCount(recordCapacity);
    recordPages = new ElemRecord*[pageSlots];
    for (int p = 0; p < pageSlots; p++)
    {
        int count = (p < pageSlots - 1) ? RECORDS_PER_PAGE : recordCapacity - p * RECORDS_PER_PAGE;
        recordPages[p] = new ElemRecord[count];
        memcpy(recordPages[p], source.recordPages[p], count * sizeof(ElemRecord));
    }
    docText = source.docText;
    ForgetTagWalk();

    // Saved positions name records of the old index; they mean nothing now.
    savedPositions.clear();
    return *this;
}

bool CXmlDocument::GrowRecords(int n)
{
    if (n == 0)
    {
        // Half as much again, but always at least one more: a copied document
        // holds exactly its used records, and one record has no half.
        n = freeRecord + freeRecord / 2;
        if (n <= freeRecord)
            n = freeRecord + 1;
    }
    if (n <= recordCapacity)
        return true;

    int oldLast = (recordCapacity == 0 ? 0 : recordCapacity - 1) >> PAGE_SHIFT;
    int newLast = (n - 1) >> PAGE_SHIFT;

    // Never more than one new page per step, so full pages are never moved.
    if (newLast > oldLast + 1)
    {
        newLast = oldLast + 1;
        n = (oldLast + 2) * RECORDS_PER_PAGE;
    }

    if (pageSlots <= newLast)
    {
        int slots = newLast * 2 + 4;
        ElemRecord** table = new ElemRecord*[slots];
        int pages = PageCount(recordCapacity);
        for (int p = 0; p < pages; p++)
            table[p] = recordPages[p];
        delete[] recordPages;
        recordPages = table;
        pageSlots = slots;
    }

    int used = recordCapacity - oldLast * RECORDS_PER_PAGE;

    // The old partial last page becomes a full one before a new page follows it.
    if (newLast > oldLast && used < RECORDS_PER_PAGE)
    {
        ElemRecord* full = new ElemRecord[RECORDS_PER_PAGE];
        if (used > 0)
        {
            memcpy(full, recordPages[oldLast], used * sizeof(ElemRecord));
            delete[] recordPages[oldLast];
        }
        recordPages[oldLast] = full;
    }

    ElemRecord* page = new ElemRecord[n - newLast * RECORDS_PER_PAGE];
    if (newLast == oldLast && used != 0)
    {
        memcpy(page, recordPages[oldLast], used * sizeof(ElemRecord));
        delete[] recordPages[oldLast];
    }
    recordPages[newLast] = page;
    recordCapacity = n;
    return true;
}

int CXmlDocument::TakeRecord()
{
    if (freeRecord == recordCapacity)
        GrowRecords(0);
    return freeRecord++;
}

void CXmlDocument::SetCurrent(int parent, int main, int child)
{
    parentPos = parent;
    mainPos = main;
    childPos = child;
    nodeKind = (main != 0);
}

bool CXmlDocument::HasRootElement() const
{
    return recordCapacity != 0 && Record(0).firstChild != 0;
}

bool CXmlDocument::IsEmptyForm(int record) const
{
    // The document level has no tags of its own.
    if (record == 0)
        return false;
    const ElemRecord& r = Record(record);
    return r.startClose == r.endOpen + 1;
}

bool CXmlDocument::IsLiveRecord(int record) const
{
    // A record is live when it was handed out and its parent chain reaches
    // the document level; removed elements have their parent set to -1.
    if (record <= 0 || record >= freeRecord)
        return false;
    while (record > 0)
        record = Record(record).parent;
    return record == 0;
}

/*
==============================================================================
Tokenizer
==============================================================================
*/

// Most runs between markup characters are short: a few characters are looked
// at directly before the rest goes to the library's vectorised search.
static inline bool FindChar(const char* text, int* offset, char c)
{
    const char* p = text + *offset;
    for (int i = 0; i < 64; i++, p++)
    {
        if (*p == c)
        {
            *offset = (int)(p - text);
            return true;
        }
        if (*p == 0)
        {
            *offset = (int)(p - text);
            return false;
        }
    }
    const char* found = strchr(p, c);
    if (!found)
    {
        *offset = (int)(p - text) + (int)strlen(p);
        return false;
    }
    *offset = (int)(found - text);
    return true;
}

bool CXmlDocument::ScanTo(const char* text, int* offset, char c)
{
    return FindChar(text, offset, c);
}

bool CXmlDocument::SkipWhite(const char* text, int* offset)
{
    int pos = *offset;
    while (IsWhite(text[pos]))
        pos++;
    *offset = pos;
    return text[pos] != 0;
}

// The token at or after pos: a quoted run (first and last inside the quotes,
// to the end of the text when the quote is not closed), a run of characters
// up to a delimiter, or a delimiter on its own. False at the end of the text.
static inline bool ReadToken(const char* text, int pos, int* first, int* last, int* next, bool* quoted)
{
    while (IsWhite(text[pos]))
        pos++;
    *quoted = false;
    char c = text[pos];
    if (c == 0)
    {
        *first = *last = *next = pos;
        return false;
    }

    if (c == '"' || c == '\'')
    {
        *quoted = true;
        *first = pos + 1;
        int end = pos + 1;
        bool closed = FindChar(text, &end, c);
        *last = end - 1;
        *next = closed ? end + 1 : end;
        return true;
    }

    *first = pos;
    while (!EndsToken(text[pos]))
        pos++;
    if (pos == *first)
        pos++;  // a delimiter is a token of its own
    *last = pos - 1;
    *next = pos;
    return true;
}

bool CXmlDocument::NextToken(TextToken& token)
{
    return ReadToken(token.text, token.next, &token.first, &token.last, &token.next, &token.quoted);
}

/*
==============================================================================
Start tag walk
==============================================================================
*/

// A start tag's tokens are walked from the element name on, only as far as a
// read needs, and every further read of the same tag goes on from there. The
// walk ends at a '>', '/' or '?' token or at the end of the text. Every
// unquoted token after the name other than '=' is an attribute name; its value
// is the token two further on when that one is quoted.
void CXmlDocument::BeginTagWalk(int record) const
{
    if (record == walkRecord)
        return;
    walkRecord = record;
    walkNext = Record(record).startOpen + 1;
    walkCount = 0;
    walkDone = false;
    walkAttributes.clear();
}

void CXmlDocument::ForgetTagWalk()
{
    walkRecord = 0;
    walkAttributes.clear();
}

// Walks one token further, or three for the usual name="value"; false once
// the walk has ended.
bool CXmlDocument::WalkTagToken() const
{
    if (walkDone)
        return false;
    const char* text = docText.c_str();
    int first;
    int last;
    int next;
    bool quoted;
    if (!ReadToken(text, walkNext, &first, &last, &next, &quoted))
    {
        walkDone = true;
        return false;
    }
    int index = walkCount++;
    walkNext = next;

    if (quoted)
    {
        // The name two tokens back is one of the last two found, as the token
        // between may be a name too.
        int count = (int)walkAttributes.size();
        for (int k = count - 1; k >= 0 && k >= count - 2; k--)
        {
            TagAttribute& attribute = walkAttributes[k];
            if (attribute.token == index - 2)
            {
                attribute.valueFirst = first;
                attribute.valueLast = last;
            }
        }
        return true;
    }

    char c = text[first];
    if (c == '>' || c == '/' || c == '?')
    {
        walkDone = true;
        return false;
    }
    if (index == 0 || c == '=')
        return true;

    walkAttributes.emplace_back();
    TagAttribute& attribute = walkAttributes.back();
    attribute.token = index;
    attribute.nameFirst = first;
    attribute.nameLength = last - first + 1;
    attribute.valueFirst = -1;
    attribute.valueLast = -1;

    if (text[next] == '=' && (text[next + 1] == '"' || text[next + 1] == '\''))
    {
        char quote = text[next + 1];
        int end = next + 2;
        bool closed = FindChar(text, &end, quote);
        attribute.valueFirst = next + 2;
        attribute.valueLast = end - 1;
        walkNext = closed ? end + 1 : end;
        walkCount += 2;
    }
    return true;
}

std::string CXmlDocument::TokenText(const TextToken& token)
{
    if (token.last < token.first || !token.text)
        return std::string();
    const char* start = token.text + token.first;
    size_t length = strnlen(start, token.last - token.first + 1);
    return std::string(start, length);
}

bool CXmlDocument::NameMatch(const char* token, int tokenLength, const char* name, int nameLength)
{
    if (tokenLength > nameLength)
        return false;
    // The cheap test first: a shorter token must end where the name does.
    if (tokenLength < nameLength)
    {
        char after = name[tokenLength];
        if (after != 0 && after != ' ' && after != '=' && after != '/' && after != '[')
            return false;
    }
    return memcmp(token, name, tokenLength) == 0;
}

// Whether the name of the start tag at startOpen matches, as NameMatch takes
// it. A name right after the '<' is compared in place.
bool CXmlDocument::TagNameMatch(const char* text, int startOpen, const char* name, int nameLength)
{
    const char* tag = text + startOpen + 1;
    if (EndsToken(tag[0]) || tag[0] == '"' || tag[0] == '\'')
    {
        TextToken token(text);
        token.next = startOpen + 1;
        return NextToken(token) && NameMatch(text + token.first, token.last - token.first + 1, name, nameLength);
    }
    int k = 0;
    while (k < nameLength && tag[k] == name[k] && !EndsToken(tag[k]))
        k++;
    // The name token goes on past the part that matched.
    if (!EndsToken(tag[k]))
        return false;
    return k == nameLength || NameMatch(tag, k, name, nameLength);
}

int CXmlDocument::SkipMarkup(TextToken& token)
{
    const char* text = token.text;
    int pos = token.next;
    token.first = pos;

    if (text[pos] == '<')
    {
        if (text[pos + 1] == 0 || text[pos + 2] == 0)
            return NODE_NONE;

        const char* endMarker = nullptr;
        int kind = NODE_NONE;
        char c = text[pos + 1];
        if (c == '?')
        {
            kind = NODE_PI;
            endMarker = "?>";
        }
        else if (c == '!' && text[pos + 2] == '[')
        {
            kind = NODE_CDATA;
            endMarker = "]]>";
        }
        else if (c == '!' && text[pos + 2] == '-')
        {
            kind = NODE_COMMENT;
            endMarker = "-->";
        }
        else if (c == '/')
        {
            return NODE_NONE;
        }
        else if (c != '!')
        {
            return NODE_ELEMENT;
        }

        if (!endMarker)
        {
            // Declaration: ends at the first '>' outside quotes and brackets.
            int depth = 0;
            while (NextToken(token))
            {
                if (token.quoted)
                    continue;
                for (int i = token.first; i <= token.last; i++)
                {
                    if (text[i] == '[')
                        depth++;
                    else if (text[i] == ']')
                        depth--;
                }
                if (depth == 0 && token.first == token.last && text[token.first] == '>')
                {
                    token.first = pos;
                    return NODE_DOCTYPE;
                }
            }
            token.first = pos;
            return NODE_NONE;
        }

        const char* found = strstr(text + pos, endMarker);
        if (!found)
            return NODE_NONE;
        token.next = (int)(found - text) + (int)strlen(endMarker);
        return kind;
    }

    if (text[pos] == 0)
        return NODE_NONE;

    int kind = NODE_WHITESPACE;
    SkipWhite(text, &pos);
    if (text[pos] != 0 && text[pos] != '<')
    {
        kind = NODE_TEXT;
        ScanTo(text, &pos, '<');
    }
    token.next = pos;
    return kind;
}

/*
==============================================================================
Parser
==============================================================================
*/

bool CXmlDocument::SetDocText(const char* text)
{
    docText = text ? text : "";
    resultText.clear();
    return BuildIndex();
}

bool CXmlDocument::BuildIndex()
{
    std::string before = resultText;

    SetCurrent(0, 0, 0);
    savedPositions.clear();
    ForgetTagWalk();
    freeRecord = 1;
    GrowRecords((int)(docText.size() >> 6) + 8);
    resultText.clear();

    bool parsed = false;
    if (!docText.empty())
    {
        memset(&Record(0), 0, sizeof(ElemRecord));
        int root = ParseElement(0);
        if (root > 0)
        {
            Record(0).firstChild = root;
            parsed = true;
        }
    }
    if (!parsed)
    {
        memset(&Record(0), 0, sizeof(ElemRecord));
        freeRecord = 1;
    }
    parentPos = mainPos = childPos = nodeKind = 0;

    if (resultText.empty())
        resultText = before;
    else
        resultText = before + ", " + resultText;
    return parsed;
}

int CXmlDocument::FailParse(const char* format, const char* name)
{
    if (!name)
    {
        resultText = format;
    }
    else
    {
        // The text is kept to the size of a short message, however long the name.
        std::string text = format;
        size_t at = text.find("%s");
        if (at != std::string::npos)
            text.replace(at, 2, name);
        if (text.size() > ERROR_TEXT_SIZE - 1)
            text.resize(ERROR_TEXT_SIZE - 1);
        resultText = text;
    }
    freeRecord--;
    return -1;
}

// Reads up to the next start or end tag below `parent`, passing over text,
// comments, processing instructions, CDATA sections and declarations.
// Returns the new element's record with its start tag filled in, 0 for an
// end tag (the parent's endOpen then holds its '<'), -1 on error.
int CXmlDocument::ParseStartTag(int parent, int textEnd, int* nameFirst, int* nameLength)
{
    const char* text = docText.c_str();
    int i = TakeRecord();
    Record(i).startOpen = Record(parent).endOpen;
    Record(i).parent = parent;
    Record(i).firstChild = 0;
    Record(i).nextSibling = 0;

    TextToken token(text);
    token.next = Record(parent).endOpen;
    for (;;)
    {
        int start = token.next;
        if (!ScanTo(text, &start, '<'))
            return FailParse("Element tag not found", nullptr);
        Record(i).startOpen = start;
        Record(parent).endOpen = start;
        token.next = start + 1;

        // The common cases: an end tag, or a name right after the '<'.
        char first = text[start + 1];
        if (first == '/')
        {
            freeRecord--;
            return 0;
        }
        if (!EndsToken(first) && first != '"' && first != '\'')
        {
            int end = start + 2;
            while (!EndsToken(text[end]))
                end++;
            *nameFirst = start + 1;
            *nameLength = end - start - 1;
            // The rest of the start tag can be long: search it with memchr,
            // bounded by the first NUL of the text.
            const char* close = (const char*)memchr(text + end, '>', textEnd - end);
            if (!close)
                return FailParse("End of tag not found", nullptr);
            Record(i).startClose = (int)(close - text);
            return i;
        }

        if (!NextToken(token))
            return FailParse("Abrupt end within tag", nullptr);
        if (token.quoted)
            return FailParse("Tag starts with quote", nullptr);

        char c = text[token.first];
        if (c == '?' || c == '!')
        {
            token.next = start;
            int kind = SkipMarkup(token);
            // White space between '<' and '?' or '!' makes the classifier see
            // an element start; reading on from there would never end.
            if (kind == NODE_NONE || kind == NODE_ELEMENT)
                return FailParse("Invalid node", nullptr);
            continue;
        }
        if (c == '/')
        {
            freeRecord--;
            return 0;
        }

        *nameFirst = token.first;
        *nameLength = token.last - token.first + 1;
        int close = token.next;
        if (!ScanTo(text, &close, '>'))
            return FailParse("End of tag not found", nullptr);
        Record(i).startClose = close;
        return i;
    }
}

bool CXmlDocument::ParseEndTag(int element, int nameFirst, int nameLength)
{
    const char* text = docText.c_str();
    int endOpen = Record(element).endOpen;

    // The common case: "</name>" with nothing else in it. The name holds no
    // NUL, so the comparison stops at the end of the text.
    if (text[endOpen + 1] == '/')
    {
        const char* name = text + nameFirst;
        const char* tag = text + endOpen + 2;
        int k = 0;
        while (k < nameLength && tag[k] == name[k])
            k++;
        if (k == nameLength && tag[k] == '>')
        {
            Record(element).endClose = endOpen + 2 + nameLength;
            return true;
        }
    }

    TextToken token(text);
    token.next = endOpen + 1;
    int count = 0;
    while (NextToken(token))
    {
        count++;
        if (token.quoted)
            continue;
        if (count == 2 && !NameMatch(text + token.first, token.last - token.first + 1,
                                     text + nameFirst, nameLength))
        {
            std::string name(text + nameFirst, nameLength);
            FailParse("End tag does not correspond to %s", name.c_str());
            return false;
        }
        if (token.first == token.last && text[token.first] == '>')
        {
            Record(element).endClose = token.first;
            return true;
        }
    }
    std::string name(text + nameFirst, nameLength);
    FailParse("End tag not completed for element %s", name.c_str());
    return false;
}

// Offset of the next '<' from pos, or -1 when the text ends first. The run
// before a tag is mostly a line end: a few characters are looked at directly
// before the library's vectorised search takes over.
static inline int FindTagStart(const char* text, int pos, int textEnd)
{
    int direct = textEnd - pos < 16 ? textEnd : pos + 16;
    for (; pos < direct; pos++)
    {
        if (text[pos] == '<')
            return pos;
    }
    if (pos >= textEnd)
        return -1;
    const char* found = (const char*)memchr(text + pos, '<', textEnd - pos);
    return found ? (int)(found - text) : -1;
}

// Parses the next element below `parent` with all its descendants. Open
// elements are kept on an explicit stack, so deeply nested input cannot
// exhaust the call stack. Returns the element's record, 0 when the next tag
// is an end tag, -1 on error (the error text is stored).
//
// The two tags that make up nearly every document, a start tag that begins
// with its name and an end tag, are read right here; anything else (text
// with markup, comments, processing instructions, odd tags, a missing tag)
// goes through ParseStartTag, which gives the same result for these two.
int CXmlDocument::ParseElement(int parent)
{
    struct OpenElement
    {
        int record;
        int lastChild;
        int nameFirst;
        int nameLength;
    };
    std::vector<OpenElement> open;
    const char* text = docText.c_str();
    int textEnd = Record(parent).endOpen + (int)strlen(text + Record(parent).endOpen);

    for (;;)
    {
        int scanParent = open.empty() ? parent : open.back().record;
        int nameFirst = 0;
        int nameLength = 0;
        int i;

        int start = FindTagStart(text, Record(scanParent).endOpen, textEnd);
        char first = start >= 0 ? text[start + 1] : 0;
        if (start >= 0 && first == '/')
        {
            Record(scanParent).endOpen = start;
            i = 0;
        }
        else if (start >= 0 && !EndsToken(first) && first != '"' && first != '\'')
        {
            int end = start + 2;
            while (!EndsToken(text[end]))
                end++;
            i = TakeRecord();
            Record(scanParent).endOpen = start;
            const char* close = (const char*)memchr(text + end, '>', textEnd - end);
            if (!close)
                return FailParse("End of tag not found", nullptr);
            ElemRecord& r = Record(i);
            r.startOpen = start;
            r.startClose = (int)(close - text);
            r.parent = scanParent;
            r.firstChild = 0;
            r.nextSibling = 0;
            nameFirst = start + 1;
            nameLength = end - start - 1;
        }
        else
        {
            i = ParseStartTag(scanParent, textEnd, &nameFirst, &nameLength);
            if (i < 0)
                return -1;
        }

        int done;
        if (i > 0)
        {
            ElemRecord& r = Record(i);
            if (text[r.startClose - 1] == '/')
            {
                r.endOpen = r.startClose - 1;
                r.endClose = r.startClose;
                done = i;
            }
            else
            {
                r.endOpen = r.startClose + 1;
                OpenElement element = { i, 0, nameFirst, nameLength };
                open.push_back(element);
                continue;
            }
        }
        else
        {
            if (open.empty())
                return 0;
            const OpenElement& element = open.back();
            if (!ParseEndTag(element.record, element.nameFirst, element.nameLength))
                return -1;
            done = element.record;
            open.pop_back();
        }

        if (open.empty())
            return done;

        OpenElement& owner = open.back();
        if (owner.lastChild == 0)
            Record(owner.record).firstChild = done;
        else
            Record(owner.lastChild).nextSibling = done;
        owner.lastChild = done;
        Record(owner.record).endOpen = Record(done).endClose + 1;
    }
}
