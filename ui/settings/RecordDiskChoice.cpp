#include "ui/settings/RecordDiskChoice.h"

#include "engine/TVEngine.h"
#include "foundation/DriveInfo.h"

BOOL UseDiskOfRecordFolder(CTVEngine& engine, LPCSTR pszFolder)
{
    CString path(pszFolder ? pszFolder : "");
    CStringArray tried;
    for (;;)
    {
        if (engine.UseDiskOfPath(path))
            return TRUE;
        CDriveInfo* pNext = engine.FindDiskWithSpace(path.Left(3));
        if (pNext == NULL)
            return FALSE;
        // The search starts again at a disk it offered before: every disk refused once.
        const CString root = pNext->GetRoot();
        for (INT_PTR i = 0; i < tried.GetSize(); ++i)
        {
            if (tried[i].CompareNoCase(root) == 0)
                return FALSE;
        }
        tried.Add(root);
        path = root;
    }
}
