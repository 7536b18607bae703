// CXmlDocument: navigation through the element index and reading of names,
// attributes and contents straight out of the document text.
#include "CXmlDocument.h"

#include <cstdlib>
#include <cstring>

/*
==============================================================================
Navigation
==============================================================================
*/

int CXmlDocument::FindSibling(int parent, int after, const char* name) const
{
    int candidate = (after == 0) ? Record(parent).firstChild : Record(after).nextSibling;
    if (!name || !*name)
        return candidate;

    const char* text = docText.c_str();
    int nameLength = (int)strlen(name);
    for (; candidate != 0; candidate = Record(candidate).nextSibling)
    {
        if (TagNameMatch(text, Record(candidate).startOpen, name, nameLength))
            return candidate;
    }
    return 0;
}

bool CXmlDocument::FindElement(const char* name)
{
    if (recordCapacity == 0)
        return false;
    int found = FindSibling(parentPos, mainPos, name);
    if (found == 0)
        return false;
    SetCurrent(Record(found).parent, found, 0);
    return true;
}

bool CXmlDocument::FindChildElement(const char* name)
{
    if (mainPos == 0)
        FindElement();
    if (mainPos == 0)
        return false;

    int child = FindSibling(mainPos, childPos, name);
    if (child == 0)
        return false;
    int main = Record(child).parent;
    SetCurrent(Record(main).parent, main, child);
    return true;
}

bool CXmlDocument::EnterElement()
{
    if (mainPos == 0 || nodeKind != 1)
        return false;
    SetCurrent(mainPos, childPos, 0);
    return true;
}

bool CXmlDocument::LeaveElement()
{
    if (parentPos == 0)
        return false;
    childPos = mainPos;
    mainPos = parentPos;
    parentPos = Record(mainPos).parent;
    nodeKind = 1;
    return true;
}

bool CXmlDocument::SavePosition(const char* name)
{
    if (!name)
        return false;
    SavedPosition& saved = savedPositions[name];
    saved.parent = parentPos;
    saved.main = mainPos;
    saved.child = childPos;
    return true;
}

bool CXmlDocument::RestorePosition(const char* name)
{
    if (!name)
        return false;
    std::map<std::string, SavedPosition>::const_iterator it = savedPositions.find(name);
    if (it == savedPositions.end())
        return false;

    // A position inside an element removed since it was saved cannot be used.
    const SavedPosition& saved = it->second;
    if ((saved.parent && !IsLiveRecord(saved.parent)) ||
        (saved.main && !IsLiveRecord(saved.main)) ||
        (saved.child && !IsLiveRecord(saved.child)))
        return false;

    SetCurrent(saved.parent, saved.main, saved.child);
    return true;
}

/*
==============================================================================
Reading
==============================================================================
*/

std::string CXmlDocument::ElementNameAt(int record) const
{
    if (record == 0)
        return std::string();
    TextToken token(docText.c_str());
    token.next = Record(record).startOpen + 1;
    if (!NextToken(token))
        return std::string();
    return TokenText(token);
}

std::string CXmlDocument::GetElementName()
{
    return mainPos ? ElementNameAt(mainPos) : std::string();
}

// The first attribute name in the start tag of `record` that matches `name`
// decides: gives the span of its quoted value, or false when it has none.
// The empty name stands for any name and gives the first attribute's name.
bool CXmlDocument::FindAttributeValue(int record, const char* name, int* first, int* last) const
{
    BeginTagWalk(record);
    bool anyName = !*name;
    int nameLength = (int)strlen(name);
    const char* text = docText.c_str();
    size_t k = 0;
    for (;;)
    {
        for (; k < walkAttributes.size(); k++)
        {
            const TagAttribute& found = walkAttributes[k];
            if (anyName)
            {
                *first = found.nameFirst;
                *last = found.nameFirst + found.nameLength - 1;
                return true;
            }
            // Most names differ in their first character.
            if (text[found.nameFirst] != name[0] ||
                !NameMatch(text + found.nameFirst, found.nameLength, name, nameLength))
                continue;
            // The value is known once the walk is two tokens past the name.
            // Walking on may move the list, so the entry is looked up again.
            int valueToken = found.token + 2;
            while (walkCount <= valueToken && WalkTagToken())
                ;
            const TagAttribute& settled = walkAttributes[k];
            *first = settled.valueFirst;
            *last = settled.valueLast;
            return settled.valueFirst >= 0;
        }
        if (!WalkTagToken())
            return false;
    }
}

std::string CXmlDocument::ReadAttribute(int record, const char* name) const
{
    if (record == 0 || nodeKind != 1 || !name)
        return std::string();
    int first;
    int last;
    if (!FindAttributeValue(record, name, &first, &last))
        return std::string();
    // A value whose quote is not closed inside the start tag is no value.
    if (last + 1 >= Record(record).startClose)
        return std::string();
    return UnescapeText(first, last);
}

std::string CXmlDocument::GetAttribute(const char* name)
{
    return ReadAttribute(mainPos, name);
}

std::string CXmlDocument::GetChildAttribute(const char* name)
{
    return ReadAttribute(childPos, name);
}

// The n-th name the tag lists, counting from 0. A name is listed unless it
// directly follows the last listed name, as the second of two bare names
// does.
std::string CXmlDocument::GetAttributeName(int n)
{
    if (mainPos == 0 || nodeKind != 1 || n < 0)
        return std::string();
    BeginTagWalk(mainPos);
    int listed = -1;
    int lastListed = -1;
    size_t k = 0;
    for (;;)
    {
        for (; k < walkAttributes.size(); k++)
        {
            const TagAttribute& attribute = walkAttributes[k];
            if (attribute.token <= lastListed + 1)
                continue;
            lastListed = attribute.token;
            if (++listed == n)
                return std::string(docText.c_str() + attribute.nameFirst, attribute.nameLength);
        }
        if (!WalkTagToken())
            return std::string();
    }
}

std::string CXmlDocument::GetChildText()
{
    return ReadText(childPos);
}

std::string CXmlDocument::ReadText(int record) const
{
    if (record == 0)
        return std::string();
    const ElemRecord& r = Record(record);
    if (r.firstChild != 0 || IsEmptyForm(record))
        return std::string();

    // Content that starts with a CDATA section is that section, taken raw.
    const char* text = docText.c_str();
    int pos = r.startClose + 1;
    SkipWhite(text, &pos);
    if (text[pos] == '<' && pos + 11 < r.endOpen && strncmp(text + pos, "<![CDATA[", 9) == 0)
    {
        const char* end = strstr(text + pos + 9, "]]>");
        if (end && end - text < r.endOpen)
            return std::string(text + pos + 9, end);
    }
    return UnescapeText(r.startClose + 1, r.endOpen - 1);
}

static void AppendUtf8(std::string& out, long value)
{
    if (value < 0x80)
    {
        out += (char)value;
    }
    else if (value < 0x800)
    {
        out += (char)(0xC0 | ((value & 0x7C0) >> 6));
        out += (char)(0x80 | (value & 0x3F));
    }
    else
    {
        out += (char)(0xE0 | ((value & 0xF000) >> 12));
        out += (char)(0x80 | ((value & 0xFC0) >> 6));
        out += (char)(0x80 | (value & 0x3F));
    }
}

std::string CXmlDocument::UnescapeText(int left, int right) const
{
    static const struct
    {
        const char* name;
        int length;
        char c;
    } entities[] = {
        { "lt;", 3, '<' },
        { "amp;", 4, '&' },
        { "gt;", 3, '>' },
        { "apos;", 5, '\'' },
        { "quot;", 5, '"' },
    };

    std::string out;
    if (right < left)
        return out;
    const char* text = docText.c_str();
    if (!memchr(text + left, '&', right - left + 1))
        return std::string(text + left, right - left + 1);
    out.reserve(right - left + 1);

    int pos = left;
    while (pos <= right)
    {
        // The run up to the next '&' is taken as it is.
        const char* amp = (const char*)memchr(text + pos, '&', right - pos + 1);
        int stop = amp ? (int)(amp - text) : right + 1;
        out.append(text + pos, stop - pos);
        pos = stop;
        if (pos > right)
            break;

        if (text[pos + 1] != '#')
        {
            bool replaced = false;
            for (size_t e = 0; e < sizeof(entities) / sizeof(entities[0]); e++)
            {
                if (pos + entities[e].length <= right &&
                    strncmp(text + pos + 1, entities[e].name, entities[e].length) == 0)
                {
                    out += entities[e].c;
                    pos += 1 + entities[e].length;
                    replaced = true;
                    break;
                }
            }
            if (!replaced)
            {
                out += '&';
                pos++;
            }
            continue;
        }

        // Character reference: decimal, or hexadecimal after "&#x".
        int digits = pos + 2;
        int base = 10;
        if (text[digits] == 'x')
        {
            base = 16;
            digits++;
        }
        int semicolon = -1;
        for (int k = 0; k < 7 && text[digits + k]; k++)
        {
            if (text[digits + k] == ';')
            {
                semicolon = digits + k;
                break;
            }
        }
        if (semicolon < 0)
        {
            out += '&';
            pos++;
            continue;
        }
        AppendUtf8(out, strtol(text + digits, nullptr, base));
        pos = semicolon + 1;
    }
    return out;
}
