// The open-file dialog. It needs someone to ask: without a display it fails
// as a dialog that could not be made, and the caller reads the reason from
// CommDlgExtendedError.
#include "DialogInternal.h"

#include <string.h>

namespace {

DWORD lastDialogError = 0;

} // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn)
{
    lastDialogError = 0;
    if (!ofn || ofn->lStructSize < OPENFILENAME_SIZE_VERSION_400A) {
        lastDialogError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
        lastDialogError = CDERR_INITIALIZATION;
        return FALSE;
    }
    if (!DialogViewAvailable()) {
        lastDialogError = CDERR_DIALOGFAILURE;
        return FALSE;
    }
    std::string path;
    bool mustExist = (ofn->Flags & OFN_FILEMUSTEXIST) != 0;
    if (!DialogViewChooseFile(ofn->lpstrTitle, ofn->lpstrFilter, (int)ofn->nFilterIndex, mustExist, &path))
        return FALSE;  // cancelled: no error
    if (path.size() + 1 > ofn->nMaxFile) {
        lastDialogError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
    size_t slash = path.find_last_of('/');
    size_t name = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = path.find_last_of('.');
    ofn->nFileOffset = (WORD)name;
    ofn->nFileExtension = (WORD)(dot != std::string::npos && dot >= name ? dot + 1 : path.size());
    return TRUE;
}

DWORD CommDlgExtendedError(void)
{
    return lastDialogError;
}
