#include "platform/afx/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdlib>

#include "platform/afx/WinApp.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate),
      m_pDlgWnd(pDlgWnd),
      m_idLastControl(nullptr),
      m_bEditLastControl(FALSE),
      m_bFailed(FALSE) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
  if (!hWndCtrl) {
    // A control the template lacks: nothing can be exchanged.
    m_bFailed = TRUE;
    return nullptr;
  }
  m_idLastControl = hWndCtrl;
  m_bEditLastControl = FALSE;
  return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWndCtrl = PrepareCtrl(nIDC);
  m_bEditLastControl = hWndCtrl != nullptr;
  return hWndCtrl;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_idLastControl) {
    ::SetFocus(m_idLastControl);
    if (m_bEditLastControl)
      ::SendMessageA(m_idLastControl, EM_SETSEL, 0, -1);
  }
  m_bFailed = TRUE;
}

void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCSTR lpszNew) {
  const int nNewLen = lstrlenA(lpszNew);
  char szOld[256];
  if (nNewLen >= static_cast<int>(sizeof szOld) || ::GetWindowTextA(hWndCtrl, szOld, sizeof szOld) != nNewLen ||
      lstrcmpA(szOld, lpszNew) != 0)
    ::SetWindowTextA(hWndCtrl, lpszNew);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2) {
  CString format;
  AfxLoadString(nIDS, format);
  rString.Empty();
  for (int i = 0; i < format.GetLength(); ++i) {
    if (format[i] == '%' && i + 1 < format.GetLength() && (format[i + 1] == '1' || format[i + 1] == '2')) {
      LPCSTR arg = format[i + 1] == '1' ? lpsz1 : lpsz2;
      rString += arg ? arg : "";
      ++i;
    } else {
      rString += format[i];
      // The trail byte of a double-byte character is never a '%'.
      if (IsDBCSLeadByte(static_cast<BYTE>(format[i])) && i + 1 < format.GetLength())
        rString += format[++i];
    }
  }
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1) { AfxFormatString2(rString, nIDS, lpsz1, nullptr); }

namespace {

// The control of an exchange that is to run: NULL once the exchange failed or without the control.
HWND PrepareIfRunning(CDataExchange* pDX, int nIDC, BOOL bEdit) {
  if (pDX->m_bFailed)
    return nullptr;
  return bEdit ? pDX->PrepareEditCtrl(nIDC) : pDX->PrepareCtrl(nIDC);
}

// An int kept by the control itself: read with one message, written with another (value in wParam).
void ExchangeByMessages(CDataExchange* pDX, int nIDC, int& value, UINT nGetMsg, UINT nSetMsg) {
  HWND hWndCtrl = PrepareIfRunning(pDX, nIDC, FALSE);
  if (!hWndCtrl)
    return;
  if (pDX->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageA(hWndCtrl, nGetMsg, 0, 0));
  else
    ::SendMessageA(hWndCtrl, nSetMsg, static_cast<WPARAM>(value), 0);
}

void FailWithMessage(CDataExchange* pDX, UINT nIDPrompt) {
  AfxMessageBox(nIDPrompt);
  pDX->Fail();
}

void FailWithRange(CDataExchange* pDX, UINT nIDPrompt, LPCSTR lpszMin, LPCSTR lpszMax) {
  CString prompt;
  AfxFormatString2(prompt, nIDPrompt, lpszMin, lpszMax);
  AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPrompt);
  pDX->Fail();
}

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t')
    ++p;
  return p;
}

// A whole number with optional blanks around it; FALSE for anything else or a value out of range.
BOOL ParseSigned(const char* text, long long minVal, long long maxVal, long long* pValue) {
  const char* p = SkipBlanks(text);
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(p, &end, 10);
  if (end == p || errno == ERANGE || *SkipBlanks(end) != '\0' || value < minVal || value > maxVal)
    return FALSE;
  *pValue = value;
  return TRUE;
}

BOOL ParseUnsigned(const char* text, unsigned long long maxVal, unsigned long long* pValue) {
  const char* p = SkipBlanks(text);
  if (*p == '-')
    return FALSE;
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(p, &end, 10);
  if (end == p || errno == ERANGE || *SkipBlanks(end) != '\0' || value > maxVal)
    return FALSE;
  *pValue = value;
  return TRUE;
}

// A number in an edit: parsed with parse (FALSE: the message nIDPrompt), shown with format.
template <class T, class Parsed>
void TextNumber(CDataExchange* pDX, int nIDC, T& value, BOOL (*parse)(const char*, Parsed*), LPCSTR format,
                UINT nIDPrompt) {
  HWND hWndCtrl = PrepareIfRunning(pDX, nIDC, TRUE);
  if (!hWndCtrl)
    return;
  if (pDX->m_bSaveAndValidate) {
    char text[64];
    ::GetWindowTextA(hWndCtrl, text, sizeof text);
    Parsed parsed = 0;
    if (!parse(text, &parsed)) {
      FailWithMessage(pDX, nIDPrompt);
      return;
    }
    value = static_cast<T>(parsed);
  } else {
    CString text;
    text.Format(format, value);
    AfxSetWindowText(hWndCtrl, text);
  }
}

template <long long minVal, long long maxVal>
BOOL ParseSignedIn(const char* text, long long* pValue) {
  return ParseSigned(text, minVal, maxVal, pValue);
}

template <unsigned long long maxVal>
BOOL ParseUnsignedIn(const char* text, unsigned long long* pValue) {
  return ParseUnsigned(text, maxVal, pValue);
}

BOOL ParseReal(const char* text, double* pValue) {
  const char* p = SkipBlanks(text);
  char* end = nullptr;
  *pValue = std::strtod(p, &end);
  return end != p && *SkipBlanks(end) == '\0';
}

}  // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = PrepareIfRunning(pDX, nIDC, TRUE);
  if (!hWndCtrl)
    return;
  if (pDX->m_bSaveAndValidate) {
    const int nLen = ::GetWindowTextLengthA(hWndCtrl);
    ::GetWindowTextA(hWndCtrl, value.GetBufferSetLength(nLen), nLen + 1);
    value.ReleaseBuffer();
  } else {
    AfxSetWindowText(hWndCtrl, value);
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  TextNumber(pDX, nIDC, value, &ParseSignedIn<INT_MIN, INT_MAX>, "%d", AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
  TextNumber(pDX, nIDC, value, &ParseSignedIn<LONG_MIN, LONG_MAX>, "%ld", AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
  TextNumber(pDX, nIDC, value, &ParseUnsignedIn<UINT_MAX>, "%u", AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) {
  TextNumber(pDX, nIDC, value, &ParseUnsignedIn<ULONG_MAX>, "%lu", AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) {
  UINT wide = value;
  TextNumber(pDX, nIDC, wide, &ParseUnsignedIn<255>, "%u", AFX_IDP_PARSE_BYTE);
  value = static_cast<BYTE>(wide);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
  CString format;
  format.Format("%%.%dg", DBL_DIG);
  TextNumber(pDX, nIDC, value, &ParseReal, format, AFX_IDP_PARSE_REAL);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  ExchangeByMessages(pDX, nIDC, value, BM_GETCHECK, BM_SETCHECK);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = PrepareIfRunning(pDX, nIDC, FALSE);
  if (!hWndCtrl)
    return;
  if (pDX->m_bSaveAndValidate)
    value = -1;
  int iButton = 0;
  do {
    if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
          value = iButton;
      } else {
        ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value, 0);
      }
      ++iButton;
    }
    hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
  } while (hWndCtrl && !(::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  ExchangeByMessages(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = PrepareIfRunning(pDX, nIDC, FALSE);
  if (!hWndCtrl)
    return;
  if (pDX->m_bSaveAndValidate) {
    int nLen = ::GetWindowTextLengthA(hWndCtrl);
    // A drop-down list reports no length; its text is the selected item's, at most 255 characters.
    if (nLen <= 0)
      nLen = 255;
    ::GetWindowTextA(hWndCtrl, value.GetBufferSetLength(nLen), nLen + 1);
    value.ReleaseBuffer();
  } else if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(
                                                                                   static_cast<LPCSTR>(value))) == CB_ERR) {
    AfxSetWindowText(hWndCtrl, value);
  }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  ExchangeByMessages(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = PrepareIfRunning(pDX, nIDC, FALSE);
  if (!hWndCtrl)
    return;
  if (pDX->m_bSaveAndValidate) {
    const int nIndex = static_cast<int>(::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0));
    if (nIndex < 0) {
      value.Empty();
      return;
    }
    const int nLen = static_cast<int>(::SendMessageA(hWndCtrl, LB_GETTEXTLEN, nIndex, 0));
    ::SendMessageA(hWndCtrl, LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(value.GetBufferSetLength(nLen)));
    value.ReleaseBuffer();
  } else {
    ::SendMessageA(hWndCtrl, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
  }
}

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = PrepareIfRunning(pDX, nIDC, FALSE);
  if (!hWndCtrl)
    return;
  if (pDX->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageA(hWndCtrl, TBM_GETPOS, 0, 0));
  else
    ::SendMessageA(hWndCtrl, TBM_SETPOS, TRUE, value);
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value) {
  HWND hWndCtrl = PrepareIfRunning(pDX, nIDC, FALSE);
  if (!hWndCtrl)
    return;
  SYSTEMTIME st = {};
  if (pDX->m_bSaveAndValidate) {
    if (::SendMessageA(hWndCtrl, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
      value = CTime(st);
  } else if (value.GetAsSystemTime(st)) {
    ::SendMessageA(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
  }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (pDX->m_bFailed || rControl.m_hWnd)
    return;
  if (HWND hWndCtrl = pDX->PrepareCtrl(nIDC))
    rControl.SubclassWindow(hWndCtrl);
}

namespace {

template <class T>
void MinMax(CDataExchange* pDX, T value, T minVal, T maxVal, LPCSTR format, UINT nIDPrompt) {
  if (!pDX->m_bSaveAndValidate || pDX->m_bFailed)
    return;
  if (value < minVal || value > maxVal) {
    CString szMin, szMax;
    szMin.Format(format, minVal);
    szMax.Format(format, maxVal);
    FailWithRange(pDX, nIDPrompt, szMin, szMax);
  }
}

}  // namespace

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  MinMax(pDX, value, minVal, maxVal, "%d", AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  MinMax(pDX, value, minVal, maxVal, "%u", AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  MinMax(pDX, value, minVal, maxVal, "%ld", AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  MinMax(pDX, value, minVal, maxVal, "%lu", AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
  MinMax<int>(pDX, value, minVal, maxVal, "%d", AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
  if (!pDX->m_bSaveAndValidate || pDX->m_bFailed)
    return;
  if (value < minVal || value > maxVal) {
    CString szMin, szMax;
    szMin.Format("%.*g", DBL_DIG, minVal);
    szMax.Format("%.*g", DBL_DIG, maxVal);
    FailWithRange(pDX, AFX_IDP_PARSE_REAL_RANGE, szMin, szMax);
  }
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (pDX->m_bFailed)
    return;
  if (!pDX->m_bSaveAndValidate) {
    if (pDX->m_idLastControl && pDX->m_bEditLastControl)
      ::SendMessageA(pDX->m_idLastControl, EM_LIMITTEXT, nChars, 0);
    return;
  }
  if (value.GetLength() > nChars) {
    CString szMax;
    szMax.Format("%d", nChars);
    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, szMax);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
    pDX->Fail();
  }
}
