#include "engine/TVEngine.h"

namespace {
const LONG kSnapshotBmp = 1;
} // namespace

BOOL CTVEngine::SaveSnapshotTo(LPCSTR pszFile)
{
    return pszFile != NULL && m_TVHardWare.TakeSnapshot(pszFile, kSnapshotBmp, JpgQuality);
}
