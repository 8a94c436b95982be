#pragma once

// The accepted range and the default of one picture setting.
class CValueRange
{
public:
    CValueRange() : m_nMin(0), m_nMax(100), m_nDefault(0) {}
    CValueRange(int nMin, int nMax, int nDefault) : m_nMin(nMin), m_nMax(nMax), m_nDefault(nDefault) {}

    bool Contains(int nValue) const { return nValue >= m_nMin && nValue <= m_nMax; }

    int m_nMin;
    int m_nMax;
    int m_nDefault;
};
