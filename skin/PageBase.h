#pragma once
#include "platform/afx/PropertySheet.h"

// The base of every page of the settings sheet and of the programme-guide wizard. A page fills its
// controls in LoadData, says whether the sheet may be cancelled in CanCancel and stores its
// controls in SaveData; the base turns the sheet's activation, apply and cancel into those calls,
// keeps the sheet's title at the active page's caption, sets a wizard's buttons from the page's
// place and keeps Enter and Escape from closing the sheet.
class CPageBase : public CPropertyPage
{
    DECLARE_DYNAMIC(CPageBase)
public:
    // The caption always comes from the template; the second argument is not used.
    explicit CPageBase(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CPageBase() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void OnReset() override;
    BOOL OnSetActive() override;
    BOOL OnQueryCancel() override;

    // Fills the controls from the system's state. Base: nothing.
    virtual void LoadData();
    // Whether Cancel may close the sheet. Base: TRUE.
    virtual BOOL CanCancel();
    // Stores the controls; FALSE refuses the apply. Base: clears the modified state, TRUE.
    virtual BOOL SaveData();

    // The page sits in a wizard-shaped sheet.
    BOOL IsWizard() const;

protected:
    void OnDestroy();
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

// The wizard buttons of page i of n (PSWIZB_*).
DWORD WizardButtonsFor(int nIndex, int nCount);
