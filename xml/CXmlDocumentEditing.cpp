// CXmlDocument: editing. Every edit replaces one range of the document text
// and then shifts the offsets of the records behind the change; only an
// inserted element text is parsed.
#include "CXmlDocument.h"

#include <cstdio>
#include <cstring>

static const char CRLF[] = "\r\n";

std::string CXmlDocument::EscapeText(const char* text, bool forAttribute)
{
    std::string out;
    if (!text)
        return out;
    size_t length = strlen(text);
    out.reserve(length + length / 10);
    for (const char* c = text; *c; c++)
    {
        switch (*c)
        {
        case '<': out += "&lt;"; break;
        case '&': out += "&amp;"; break;
        case '>': out += "&gt;"; break;
        case '\'':
            if (forAttribute)
                out += "&apos;";
            else
                out += *c;
            break;
        case '"':
            if (forAttribute)
                out += "&quot;";
            else
                out += *c;
            break;
        default: out += *c; break;
        }
    }
    return out;
}

bool CXmlDocument::WrapCData(const char* text, std::string* wrapped) const
{
    if (strstr(text, "]]>"))
        return false;
    *wrapped = "<![CDATA[";
    *wrapped += text;
    *wrapped += "]]>";
    return true;
}

void CXmlDocument::ReplaceText(int offset, int length, const std::string& text)
{
    docText.replace(offset, length, text);
    ForgetTagWalk();
}

// Moves every record after `record` in document order by delta, and the end
// tags of the elements that enclose it. The record itself is moved by the caller.
void CXmlDocument::ShiftOffsets(int record, int delta, bool skipChildren)
{
    int pos = record;
    int top = Record(record).parent;
    bool first = skipChildren;
    while (pos != 0)
    {
        bool atTop = false;
        if (pos == top)
        {
            top = Record(pos).parent;
            atTop = true;
        }

        if (!atTop && !first && Record(pos).firstChild)
        {
            pos = Record(pos).firstChild;
        }
        else if (Record(pos).nextSibling)
        {
            pos = Record(pos).nextSibling;
        }
        else
        {
            for (;;)
            {
                pos = Record(pos).parent;
                if (pos == 0 || pos == top)
                    break;
                if (Record(pos).nextSibling)
                {
                    pos = Record(pos).nextSibling;
                    break;
                }
            }
        }
        first = false;

        ElemRecord& r = Record(pos);
        if (pos != top)
        {
            r.startOpen += delta;
            r.startClose += delta;
        }
        r.endOpen += delta;
        r.endClose += delta;
    }
}

// Where an element's text ends: after its end tag, and over the white space
// that follows when only the end of the text or another tag comes after it.
int CXmlDocument::ElementEnd(int record) const
{
    const char* text = docText.c_str();
    int end = Record(record).endClose + 1;
    int pos = end;
    SkipWhite(text, &pos);
    if (text[pos] == 0 || text[pos] == '<')
        end = pos;
    return end;
}

int CXmlDocument::PlaceNewElement(int parent, int before, bool insert, int* previous) const
{
    bool emptyForm = IsEmptyForm(parent);
    int offset;
    if (before == 0)
    {
        if (parent == 0)
            offset = insert ? 0 : (int)docText.size();
        else if (emptyForm)
            offset = Record(parent).startClose;
        else
            offset = insert ? Record(parent).startClose + 1 : Record(parent).endOpen;
    }
    else
    {
        offset = insert ? Record(before).startOpen : Record(before).endClose + 1;
    }

    if (!emptyForm)
    {
        const char* text = docText.c_str();
        int pos = offset;
        SkipWhite(text, &pos);
        if (text[pos] == 0 || text[pos] == '<')
            offset = pos;
    }

    int prev = 0;
    if (before == 0)
    {
        if (!insert)
        {
            for (int c = Record(parent).firstChild; c != 0; c = Record(c).nextSibling)
                prev = c;
        }
    }
    else if (!insert)
    {
        prev = before;
    }
    else
    {
        for (int c = Record(parent).firstChild; c != 0 && c != before; c = Record(c).nextSibling)
            prev = c;
    }
    *previous = prev;
    return offset;
}

void CXmlDocument::LinkAfter(int record, int parent, int previous)
{
    if (previous)
    {
        Record(record).nextSibling = Record(previous).nextSibling;
        Record(previous).nextSibling = record;
    }
    else
    {
        Record(record).nextSibling = Record(parent).firstChild;
        Record(parent).firstChild = record;
    }
}

// The parent and the reference sibling of a new element: the current level
// and its main element, or as a child the main element and its current child.
bool CXmlDocument::InsertionPlace(bool asChild, int* parent, int* before) const
{
    if (!asChild)
    {
        *parent = parentPos;
        *before = mainPos;
        return true;
    }
    if (mainPos == 0)
        return false;
    *parent = mainPos;
    *before = childPos;
    return true;
}

// A new element becomes the main element of its level, or the current child.
void CXmlDocument::SelectInserted(int parent, int record, bool asChild)
{
    if (!asChild)
    {
        parentPos = parent;
        mainPos = record;
        childPos = 0;
        nodeKind = 1;
    }
    else
    {
        mainPos = parent;
        childPos = record;
        nodeKind = (parent != 0);
    }
}

bool CXmlDocument::InsertElement(const char* name, const char* value, bool insert, bool asChild)
{
    if (!name)
        return false;

    int parent;
    int before;
    if (!InsertionPlace(asChild, &parent, &before))
        return false;
    if (!asChild && parent == 0 && HasRootElement())
        return false;

    int previous = 0;
    int offset = PlaceNewElement(parent, before, insert, &previous);
    bool emptyParent = IsEmptyForm(parent);
    bool bareParent = parent != 0 && !emptyParent && Record(parent).startClose + 1 == Record(parent).endOpen;
    if (emptyParent || bareParent)
        offset += 2;

    int i = TakeRecord();
    ElemRecord& r = Record(i);
    r.startOpen = offset;
    r.parent = parent;
    r.firstChild = 0;
    LinkAfter(i, parent, previous);

    int nameLength = (int)strlen(name);
    std::string text = "<";
    text += name;
    if (!value || !*value)
    {
        text += "/>";
        r.startClose = r.startOpen + nameLength + 2;
        r.endOpen = r.startClose - 1;
        r.endClose = r.startClose;
    }
    else
    {
        std::string escaped = EscapeText(value, false);
        text += ">";
        text += escaped;
        text += "</";
        text += name;
        text += ">";
        r.startClose = r.startOpen + nameLength + 1;
        r.endOpen = r.startClose + 1 + (int)escaped.size();
        r.endClose = r.endOpen + nameLength + 2;
    }
    text += CRLF;

    int at = offset;
    int replaced = 0;
    if (bareParent)
    {
        text = CRLF + text;
        at = Record(parent).startClose + 1;
    }
    else if (emptyParent)
    {
        ElemRecord& p = Record(parent);
        std::string parentName = ElementNameAt(parent);
        text = ">" + std::string(CRLF) + text + "</" + parentName;
        at = p.startClose - 1;
        replaced = 1;
        p.startClose -= 1;
        p.endOpen -= (int)parentName.size() + 1;
    }

    ReplaceText(at, replaced, text);
    ShiftOffsets(i, (int)text.size() - replaced, false);
    SelectInserted(parent, i, asChild);
    return true;
}

bool CXmlDocument::AddElement(const char* name, const char* value)
{
    return InsertElement(name, value, false, false);
}

bool CXmlDocument::AddChildElement(const char* name, const char* value)
{
    return InsertElement(name, value, false, true);
}

bool CXmlDocument::SetAttribute(const char* name, const char* value)
{
    return WriteAttribute(mainPos, name, value);
}

bool CXmlDocument::SetChildAttribute(const char* name, const char* value)
{
    return WriteAttribute(childPos, name, value);
}

bool CXmlDocument::WriteAttribute(int record, const char* name, int value)
{
    char number[16];
    snprintf(number, sizeof(number), "%d", value);
    return WriteAttribute(record, name, number);
}

bool CXmlDocument::WriteAttribute(int record, const char* name, const char* value)
{
    if (record == 0 || nodeKind != 1 || !name || !IsLiveRecord(record))
        return false;

    ElemRecord& r = Record(record);
    int at = IsEmptyForm(record) ? r.startClose - 1 : r.startClose;
    int replaced = 0;
    std::string text;

    int first;
    int last;
    if (!FindAttributeValue(record, name, &first, &last))
    {
        text = " ";
        text += name;
        text += "=\"";
        text += EscapeText(value, true);
        text += "\"";
    }
    else
    {
        // The old value must lie inside the start tag to be replaced in place.
        if (last + 1 >= r.startClose)
            return false;
        text = EscapeText(value, true);
        at = first;
        replaced = last - first + 1;
    }

    ReplaceText(at, replaced, text);
    int delta = (int)text.size() - replaced;
    r.startClose += delta;
    r.endOpen += delta;
    r.endClose += delta;
    ShiftOffsets(record, delta, false);
    return true;
}

bool CXmlDocument::WriteText(int record, const char* text, bool asCData)
{
    if (record == 0 || !IsLiveRecord(record) || Record(record).firstChild != 0)
        return false;
    if (!text)
        text = "";

    std::string content;
    if (!asCData || !WrapCData(text, &content))
        content = EscapeText(text, false);

    ElemRecord& r = Record(record);
    int at;
    int replaced;
    if (IsEmptyForm(record))
    {
        std::string name = ElementNameAt(record);
        content = ">" + content + "</" + name;
        at = r.startClose - 1;
        replaced = 1;
        r.startClose -= 1;
        r.endOpen -= (int)name.size() + 1;
    }
    else
    {
        at = r.startClose + 1;
        replaced = r.endOpen - r.startClose - 1;
    }

    ReplaceText(at, replaced, content);
    int delta = (int)content.size() - replaced;
    ShiftOffsets(record, delta, false);
    r.endOpen += delta;
    r.endClose += delta;
    return true;
}

int CXmlDocument::UnlinkElement(int record)
{
    int parent = Record(record).parent;
    int previous = 0;
    for (int c = Record(parent).firstChild; c != 0 && c != record; c = Record(c).nextSibling)
        previous = c;
    if (previous)
        Record(previous).nextSibling = Record(record).nextSibling;
    else
        Record(parent).firstChild = Record(record).nextSibling;

    int start = Record(record).startOpen;
    int length = ElementEnd(record) - start;
    ReplaceText(start, length, std::string());
    ShiftOffsets(record, -length, true);

    // Mark the record as removed so that stale positions are recognised.
    Record(record).parent = -1;
    return previous;
}

bool CXmlDocument::RemoveElement()
{
    if (mainPos == 0 || nodeKind != 1)
        return false;
    mainPos = UnlinkElement(mainPos);
    childPos = 0;
    nodeKind = (mainPos != 0);
    return true;
}

bool CXmlDocument::RemoveChildElement()
{
    if (childPos == 0)
        return false;
    childPos = UnlinkElement(childPos);
    nodeKind = (mainPos != 0);
    return true;
}

std::string CXmlDocument::ElementText(int record)
{
    if (record == 0 || !IsLiveRecord(record))
        return std::string();
    int start = Record(record).startOpen;
    return docText.substr(start, ElementEnd(record) - start);
}

bool CXmlDocument::InsertElementText(const char* text, bool insert, bool asChild)
{
    if (!text)
        return false;

    // Element texts go inside an element, never at the document level.
    int parent;
    int before;
    if (!InsertionPlace(asChild, &parent, &before) || parent == 0)
        return false;

    int previous = 0;
    int offset = PlaceNewElement(parent, before, insert, &previous);
    int savedEndOpen = Record(parent).endOpen;
    int savedFree = freeRecord;

    // Leading text, comments and other nodes before the first element are dropped.
    TextToken token(text);
    for (;;)
    {
        int kind = SkipMarkup(token);
        if (kind == NODE_ELEMENT || kind == NODE_NONE)
            break;
    }

    std::string inserted = text + token.first;
    bool emptyParent = IsEmptyForm(parent);
    std::string parentName;
    int at = offset;
    int replaced = 0;
    int parseOffset = offset;
    int limit;      // the parsed element must end before this offset
    if (emptyParent)
    {
        parentName = ElementNameAt(parent);
        at = Record(parent).startClose - 1;
        replaced = 1;
        parseOffset = Record(parent).startClose + 2;
        limit = parseOffset + (int)inserted.size();
        inserted = ">" + std::string(CRLF) + inserted + "</" + parentName;
    }
    else
    {
        limit = offset + (int)inserted.size();
    }

    Record(parent).endOpen = parseOffset;
    ReplaceText(at, replaced, inserted);
    int i = ParseElement(parent);
    Record(parent).endOpen = savedEndOpen;

    // The element must lie wholly inside the inserted text; one that runs on
    // into the document around it would index that text twice.
    if (i < 1 || Record(i).endClose >= limit)
    {
        if (i > 0)
            resultText = "Element runs past the inserted text";
        ReplaceText(at, (int)inserted.size(), emptyParent ? "/" : "");
        freeRecord = savedFree;
        return false;
    }

    LinkAfter(i, parent, previous);
    if (emptyParent)
    {
        Record(parent).startClose -= 1;
        Record(parent).endOpen -= (int)parentName.size() + 1;
    }
    ShiftOffsets(i, (int)inserted.size() - replaced, true);
    SelectInserted(parent, i, asChild);
    return true;
}
