#include "ui/settings/HotKeyItem.h"

#include "ui/settings/KeyNames.h"

CHotKeyItem::CHotKeyItem() : m_flags(0), m_key(0), m_command(0), m_extra(0)
{
}

CHotKeyItem::CHotKeyItem(const ACCEL& accel, WORD extra)
    : m_flags(accel.fVirt), m_key(accel.key), m_command(accel.cmd), m_extra(extra)
{
}

CHotKeyItem::CHotKeyItem(const CHotKeyItem& other)
    : CObject(), m_flags(other.m_flags), m_key(other.m_key), m_command(other.m_command), m_extra(other.m_extra)
{
}

CHotKeyItem::~CHotKeyItem()
{
}

void CHotKeyItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_flags << m_key << m_command << m_extra;
    else
        ar >> m_flags >> m_key >> m_command >> m_extra;
}

ACCEL CHotKeyItem::GetAccel() const
{
    ACCEL accel = {};
    accel.fVirt = m_flags;
    accel.key = m_key;
    accel.cmd = m_command;
    return accel;
}

CString CHotKeyItem::GetKeyText() const
{
    return FormatKeyText(m_flags, m_key);
}
