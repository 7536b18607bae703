#include "CResourceManager.h"

#include "CObjQueue.h"
#include "CSoundDev.h"
#include "CTexMgr.h"
#include "CXObjectLoader.h"
#include "CInputManager.h"
#include "CMessageLog.h"

// The services are made on first use and never destroyed: scene objects and
// their destructors may reach them until the very end of the program.

CObjQueue* CResourceManager::GetObjectQueue()
{
    static CObjQueue* queue = new CObjQueue();
    return queue;
}

CSoundDev* CResourceManager::GetSoundDevice()
{
    static CSoundDev* sound = new CSoundDev();
    return sound;
}

CTexMgr* CResourceManager::GetTextures()
{
    static CTexMgr* textures = new CTexMgr();
    return textures;
}

CXObjectLoader* CResourceManager::GetXObjLoader()
{
    static CXObjectLoader* loader = new CXObjectLoader();
    return loader;
}

CInputManager* CResourceManager::GetInputManager()
{
    static CInputManager* input = new CInputManager();
    return input;
}

CMessageLog* CResourceManager::MessageLog()
{
    static CMessageLog* log = new CMessageLog();
    return log;
}
