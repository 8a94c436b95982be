#include "platform/sim/tunerchips/SimXceiveTuner.h"

#include <math.h>

CSimXceiveTuner::CSimXceiveTuner(CSimChipBus* pBus)
    : m_pBus(pBus), m_bInReset(FALSE), m_nResets(0), m_nBase(0), m_nStandard(0), m_nFirmwareWrites(0),
      m_nErrors(0), m_nWord(0), m_bStatusAsked(FALSE)
{
    m_pBus->AttachChip(ADDRESS, this);
}

void CSimXceiveTuner::SetResetLine(BOOL high)
{
    if (!high && !m_bInReset)
    {
        m_bInReset = TRUE;
        m_pBus->DetachChip(ADDRESS);
    }
    else if (high && m_bInReset)
    {
        m_bInReset = FALSE;
        ++m_nResets;
        m_nBase = 0;
        m_nStandard = 0;
        m_nWord = 0;
        m_nFirmwareWrites = 0;
        m_bStatusAsked = FALSE;
        m_pBus->AttachChip(ADDRESS, this);
    }
}

void CSimXceiveTuner::OnWrite(const BYTE* pData, int count)
{
    if (count < 1)
        return;
    if (count > MAX_WRITE)
        ++m_nErrors;
    if (pData[0] != 0x00)
    {
        ++m_nFirmwareWrites;
        if (pData[0] == TAG_SUBADDRESS && count >= 3)
        {
            if (pData[1] == 'B')
            {
                m_nBase = pData[2];
                m_nStandard = 0;
            }
            else if (pData[1] == 'S')
            {
                if (m_nBase == 0)
                    ++m_nErrors;
                m_nStandard = pData[2];
            }
        }
        return;
    }
    if (count == 2 && pData[1] == 0x02)
    {
        m_bStatusAsked = TRUE;
        return;
    }
    if (count >= 4 && pData[1] == 0x02)
        return;
    if (count >= 4 && pData[1] == 0x00)
    {
        if (!IsFirmwareLoaded())
            ++m_nErrors;
        m_nWord = (pData[2] << 8) | pData[3];
    }
}

void CSimXceiveTuner::OnRead(BYTE* pData, int count)
{
    for (int i = 0; i < count; ++i)
        pData[i] = 0;
    if (m_bStatusAsked && count >= 2)
        pData[1] = IsOnStation() ? 1 : 0;
    m_bStatusAsked = FALSE;
}

BOOL CSimXceiveTuner::IsOnStation() const
{
    if (!IsFirmwareLoaded() || m_nWord == 0)
        return FALSE;
    for (size_t i = 0; i < m_stations.size(); ++i)
    {
        if (fabs(TunedKHz() - m_stations[i]) <= 15.625)
            return TRUE;
    }
    return FALSE;
}
