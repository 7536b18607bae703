// Resources built into the program: the program registers blocks of data by
// name and type at start; FindResourceA and friends look them up.
#include "Win32Internal.h"

#include <ctype.h>

#include <list>

struct HRSRC__ {
    std::string name;
    std::string type;
    const void* data;
    DWORD size;
};

namespace {

// A list, so handles stay valid while more resources are registered.
std::list<HRSRC__> resources;

// Names and types are either strings (compared without case, as Win32 does)
// or MAKEINTRESOURCE numbers, kept as "#<number>".
std::string ResourceKey(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string((unsigned)(ULONG_PTR)name);
    std::string key = name;
    for (char& c : key)
        c = (char)toupper((unsigned char)c);
    return key;
}

HRSRC__* Find(const std::string& name, const std::string& type)
{
    for (HRSRC__& entry : resources) {
        if (entry.name == name && entry.type == type)
            return &entry;
    }
    return nullptr;
}

} // namespace

BOOL RegisterResourceA(LPCSTR name, LPCSTR type, const void* data, DWORD size)
{
    if (!name || !type || (!data && size > 0))
        return FALSE;
    std::string nameKey = ResourceKey(name);
    std::string typeKey = ResourceKey(type);
    HRSRC__* entry = Find(nameKey, typeKey);
    if (!entry) {
        resources.push_back(HRSRC__());
        entry = &resources.back();
        entry->name = nameKey;
        entry->type = typeKey;
    }
    entry->data = data;
    entry->size = size;
    return TRUE;
}

HRSRC FindResourceA(HMODULE, LPCSTR name, LPCSTR type)
{
    if (!name || !type)
        return nullptr;
    return Find(ResourceKey(name), ResourceKey(type));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource)
{
    return resource;
}

LPVOID LockResource(HGLOBAL data)
{
    if (!data)
        return nullptr;
    return (LPVOID)((HRSRC__*)data)->data;
}

DWORD SizeofResource(HMODULE, HRSRC resource)
{
    return resource ? resource->size : 0;
}

BOOL FreeResource(HGLOBAL)
{
    return FALSE;
}
