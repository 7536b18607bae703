#include "CXmlDocument.h"

#include <cstdlib>
#include <cstring>

CXmlDocument::CXmlDocument()
    : parentPos(0), mainPos(0), childPos(0), freeRecord(0), nodeKind(0),
      recordPages(0), recordCapacity(0), pageSlots(0)
{
}

CXmlDocument::CXmlDocument(const CXmlDocument& source)
    : parentPos(0), mainPos(0), childPos(0), freeRecord(0), nodeKind(0),
      recordPages(0), recordCapacity(0), pageSlots(0)
{
    (void)source;
}

CXmlDocument::~CXmlDocument() {}
CXmlDocument& CXmlDocument::operator=(const CXmlDocument& source) { (void)source; return *this; }
bool CXmlDocument::SetDocText(const char* text) { docText = text ? text : ""; return false; }
bool CXmlDocument::HasRootElement() const { return false; }
bool CXmlDocument::Load(const char* path) { (void)path; return false; }
bool CXmlDocument::Save(const char* path) { (void)path; return false; }
bool CXmlDocument::FindElement(const char* name) { (void)name; return false; }
bool CXmlDocument::FindChildElement(const char* name) { (void)name; return false; }
bool CXmlDocument::EnterElement() { return false; }
bool CXmlDocument::LeaveElement() { return false; }
bool CXmlDocument::SavePosition(const char* name) { (void)name; return false; }
bool CXmlDocument::RestorePosition(const char* name) { (void)name; return false; }
std::string CXmlDocument::GetElementName() { return std::string(); }
std::string CXmlDocument::GetAttribute(const char* name) { (void)name; return std::string(); }
std::string CXmlDocument::GetChildAttribute(const char* name) { (void)name; return std::string(); }
std::string CXmlDocument::GetAttributeName(int n) { (void)n; return std::string(); }
std::string CXmlDocument::GetChildText() { return std::string(); }
bool CXmlDocument::AddElement(const char* name, const char* value) { (void)name; (void)value; return false; }
bool CXmlDocument::AddChildElement(const char* name, const char* value) { (void)name; (void)value; return false; }
bool CXmlDocument::SetAttribute(const char* name, const char* value) { (void)name; (void)value; return false; }
bool CXmlDocument::SetChildAttribute(const char* name, const char* value) { (void)name; (void)value; return false; }
bool CXmlDocument::RemoveElement() { return false; }
bool CXmlDocument::RemoveChildElement() { return false; }
bool CXmlDocument::WriteAttribute(int record, const char* name, const char* value) { (void)record; (void)name; (void)value; return false; }
bool CXmlDocument::WriteAttribute(int record, const char* name, int value) { (void)record; (void)name; (void)value; return false; }
bool CXmlDocument::WriteText(int record, const char* text, bool asCData) { (void)record; (void)text; (void)asCData; return false; }
std::string CXmlDocument::ElementText(int record) { (void)record; return std::string(); }
bool CXmlDocument::InsertElementText(const char* text, bool insert, bool asChild) { (void)text; (void)insert; (void)asChild; return false; }
