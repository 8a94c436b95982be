#pragma once
#include "platform/afx/Time.h"
#include "platform/afx/Wnd.h"

// One run of a window's DoDataExchange: the direction, the window, the control the last exchange
// used, and whether a value failed. After a failure the remaining exchanges do nothing and
// UpdateData answers FALSE.
class CDataExchange {
public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_idLastControl;
  BOOL m_bEditLastControl;
  BOOL m_bFailed;

  // The control with that id, remembered as the last control (NULL when the dialog lacks it).
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Marks the exchange as failed and puts the focus on the last control (its text all selected
  // when it is an edit).
  void Fail();
};

// Text of a control to and from a value. Bad numbers show the framework's validation message.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// Buttons and lists.
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked button of the group that starts at nIDC (-1 when none).
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value);
// Subclasses the control with rControl the first time.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Validation of the last exchanged value (only when saving).
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
// Limits the edit's length when loading; checks it when saving.
void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);

// Sets a window's text only when it differs (no flicker, no needless change notifications).
void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCSTR lpszNew);
// Loads string nIDS and replaces %1 (and %2) by the given texts.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2);
