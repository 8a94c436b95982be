#include "skin/DialogSkin.h"

#include "skin/SkinDescription.h"

CDialogSkin::CDialogSkin() : m_parser(nullptr), m_shape(nullptr)
{
}

CDialogSkin::~CDialogSkin()
{
    Free();
}

BOOL CDialogSkin::LoadSkin(LPCSTR path)
{
    // Whatever the last load left (controls, or only a shape) goes first.
    if (m_parser || m_ids.GetSize())
    {
        Detach();
        Free();
    }
    m_parser = new CSkinDescription(this, path);
    return m_parser->Parse();
}

void CDialogSkin::AddControl(CWnd* control, UINT id)
{
    m_controls.Add(control);
    m_ids.Add(id);
}

void CDialogSkin::SetShape(CDialogShape* shape)
{
    if (shape != m_shape)
        delete m_shape;
    m_shape = shape;
}

void CDialogSkin::Attach(CWnd* dialog)
{
    for (int i = 0; i < GetControlCount(); ++i)
        GetControl(i)->SubclassDlgItem(m_ids[i], dialog);
    if (m_shape)
        m_shape->Apply(dialog->GetSafeHwnd());
}

void CDialogSkin::Detach()
{
    for (int i = 0; i < GetControlCount(); ++i)
    {
        CWnd* control = GetControl(i);
        if (control->m_hWnd && ::IsWindow(control->m_hWnd))
            control->UnsubclassWindow();
    }
    if (m_shape)
        m_shape->Remove();
}

void CDialogSkin::Free()
{
    delete m_parser;
    m_parser = nullptr;
    delete m_shape;
    m_shape = nullptr;
    DeleteControls();
}

void CDialogSkin::DeleteControls()
{
    for (int i = 0; i < GetControlCount(); ++i)
        delete GetControl(i);
    m_controls.RemoveAll();
    m_ids.RemoveAll();
}

CWnd* CDialogSkin::FindControl(UINT id) const
{
    for (int i = 0; i < GetControlCount(); ++i)
    {
        if (m_ids[i] == id)
            return GetControl(i);
    }
    return nullptr;
}
