#ifndef CRESOURCEMANAGER_H
#define CRESOURCEMANAGER_H

class CObjQueue;
class CSoundDev;
class CTexMgr;
class CXObjectLoader;
class CInputManager;
class CMessageLog;

// The single services of the engine. Each is made on first use and lives for the
// whole run.
class CResourceManager {
public:
    static CObjQueue* GetObjectQueue();
    static CSoundDev* GetSoundDevice();
    static CTexMgr* GetTextures();
    static CXObjectLoader* GetXObjLoader();
    static CInputManager* GetInputManager();
    static CMessageLog* MessageLog();
};

#endif
