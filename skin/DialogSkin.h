#pragma once
#include "platform/afx/Array.h"
#include "platform/afx/Wnd.h"
#include "skin/DialogShape.h"

class CSkinDescription;

// The skin of one dialog: the skinned controls made from one description file, the dialog items
// they take over and the dialog's shape. Applying a skin is: load it into a new object and, only
// when that succeeds, detach and delete the old one and attach the new one.
class CDialogSkin
{
public:
    CDialogSkin();
    virtual ~CDialogSkin();

    // The skin library must be the resource module for the time of the call; every picture is
    // copied, so the library may be freed afterwards. FALSE when the file cannot be read.
    BOOL LoadSkin(LPCSTR path);
    // Used by the parser.
    void AddControl(CWnd* control, UINT id);
    void SetShape(CDialogShape* shape);

    // Each control takes over its dialog item (one whose item is missing stays without a window);
    // then the shape is applied to the dialog.
    void Attach(CWnd* dialog);
    // The items and the dialog get their own procedures back.
    void Detach();
    void Free();
    void DeleteControls();

    int GetControlCount() const { return static_cast<int>(m_controls.GetSize()); }
    CWnd* GetControl(int index) const { return static_cast<CWnd*>(m_controls[index]); }
    UINT GetControlId(int index) const { return m_ids[index]; }
    // The control that takes over the item, or null.
    CWnd* FindControl(UINT id) const;
    CDialogShape* GetShape() const { return m_shape; }
    CSkinDescription* GetDescription() const { return m_parser; }

private:
    CDialogSkin(const CDialogSkin&) = delete;
    CDialogSkin& operator=(const CDialogSkin&) = delete;

    CPtrArray m_controls;
    CUIntArray m_ids;
    CSkinDescription* m_parser;
    CDialogShape* m_shape;
};
