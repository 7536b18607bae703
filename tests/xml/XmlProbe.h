// Test access to the internals of CXmlDocument, and shared checks.
#ifndef XMLPROBE_H
#define XMLPROBE_H

#include "CXmlDocument.h"

#include <string>

class XmlProbe : public CXmlDocument
{
public:
    using CXmlDocument::ElemRecord;
    using CXmlDocument::Record;
    using CXmlDocument::GrowRecords;
    using CXmlDocument::WriteAttribute;

    XmlProbe() {}
    explicit XmlProbe(const char* text) { SetDocText(text); }

    int Parent() const { return parentPos; }
    int Main() const { return mainPos; }
    int Child() const { return childPos; }
    int Kind() const { return nodeKind; }
    int FreeRecord() const { return freeRecord; }
    int Capacity() const { return recordCapacity; }
    int PageSlots() const { return pageSlots; }
};

// Compares the element index of `doc` with the index a fresh parse of its
// text builds; returns an empty string when both agree, else what differs.
std::string CompareWithReparse(const XmlProbe& doc);

// Checks that every record reachable from the document level lies inside the
// text and is ordered; returns an empty string when it does.
std::string CheckIndexBounds(const XmlProbe& doc);

// Text with every CR LF written as '|' so expectations stay readable.
std::string Lines(const std::string& text);

#endif
