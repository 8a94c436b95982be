#include "platform/sim/chipbus/SimPllTuner.h"

#include <math.h>

namespace
{
// Frequency-error windows of the tuner's discriminator, kHz.
const double ON_CARRIER = 31.25;
const double NEAR_CARRIER = 187.5;
const double CAPTURE_RANGE = 1500.0;
const double FM_CAPTURE = 50.0;
}

CSimPllTuner::CSimPllTuner()
    : m_bTuned(FALSE), m_bFM(FALSE), m_tuned(0), m_nDivider(0), m_byControl(0), m_byBand(0)
{
    m_config.nIF = 38900;
    m_config.nFMIF = 10700;
    m_config.byFMControl = 0x8A;
    m_config.byFMBand = 0xA5;
    m_config.bHasFM = TRUE;
    m_config.anAfcCodes[0] = 4;
    m_config.anAfcCodes[1] = 3;
    m_config.anAfcCodes[2] = 2;
    m_config.anAfcCodes[3] = 1;
    m_config.anAfcCodes[4] = 0;
    m_config.nNoSignalCode = 7;
    m_config.nFMLockCode = 4;
    m_config.nFMNoStationCode = 0;
    m_config.byLockFlag = 0x40;
}

void CSimPllTuner::SetStations(const SimStation* pStations, int count)
{
    m_stations.assign(pStations, pStations + (count > 0 ? count : 0));
}

void CSimPllTuner::OnWrite(const BYTE* pData, int count)
{
    if (count < 4)
        return;
    m_nDivider = (pData[0] << 8) | pData[1];
    m_byControl = pData[2];
    m_byBand = pData[3];
    m_bFM = m_config.bHasFM && m_byControl == m_config.byFMControl && m_byBand == m_config.byFMBand;
    if (m_bFM)
        m_tuned = m_nDivider * 31.25 - m_config.nFMIF;
    else
        m_tuned = m_nDivider * 62.5 - m_config.nIF;
    m_bTuned = TRUE;
}

void CSimPllTuner::OnRead(BYTE* pData, int count)
{
    BYTE status = GetStatusByte();
    for (int i = 0; i < count; ++i)
        pData[i] = status;
}

BYTE CSimPllTuner::GetStatusByte() const
{
    if (!m_bTuned)
        return 0;
    const SimStation* pNearest = NULL;
    double nearest = 0;
    for (size_t i = 0; i < m_stations.size(); ++i)
    {
        if ((m_stations[i].bFM != FALSE) != (m_bFM != FALSE))
            continue;
        double d = m_tuned - m_stations[i].frequency;
        if (pNearest == NULL || fabs(d) < fabs(nearest))
        {
            pNearest = &m_stations[i];
            nearest = d;
        }
    }
    int code;
    if (m_bFM)
        code = (pNearest != NULL && fabs(nearest) <= FM_CAPTURE) ? m_config.nFMLockCode
                                                                 : m_config.nFMNoStationCode;
    else if (pNearest == NULL || fabs(nearest) > CAPTURE_RANGE)
        code = m_config.nNoSignalCode;
    else if (nearest < -NEAR_CARRIER)
        code = m_config.anAfcCodes[0];
    else if (nearest < -ON_CARRIER)
        code = m_config.anAfcCodes[1];
    else if (nearest <= ON_CARRIER)
        code = m_config.anAfcCodes[2];
    else if (nearest <= NEAR_CARRIER)
        code = m_config.anAfcCodes[3];
    else
        code = m_config.anAfcCodes[4];
    return static_cast<BYTE>(m_config.byLockFlag | (code & 7));
}

BOOL CSimPllTuner::IsOnStation() const
{
    if (!m_bTuned || m_bFM)
        return FALSE;
    for (size_t i = 0; i < m_stations.size(); ++i)
    {
        if (!m_stations[i].bFM && fabs(m_tuned - m_stations[i].frequency) <= ON_CARRIER)
            return TRUE;
    }
    return FALSE;
}
