#pragma once
#include <map>

#include "platform/afx/List.h"
#include "skin/MenuTheme.h"

// Flags of a menu window record.
#define MWR_CAUGHT_BY_1E2 0x0001   // caught when the system reused the window, not at WM_CREATE
#define MWR_STYLES_CHANGED 0x0002  // the style took the system's frame styles off
#define MWR_ESCAPE 0x0004          // Escape was pressed in it

// One caught pop-up menu window.
struct CMenuWindowRecord
{
    DWORD m_dwStyle;    // as it was when caught
    DWORD m_dwExStyle;  // as it was when caught
    CPoint m_Screen;    // last screen position; (0, 0) until the first move
    DWORD m_dwFlags;
    int m_nPaint;
    HMENU m_hMenu;  // the menu announced for it
    // What the screen showed where the window appears, taken just before it was shown: painting
    // the shadow reads the screen beneath, which on some systems is the new window's blank
    // surface by then.
    HBITMAP m_hUnder;
    CRect m_rcUnder;
};

// The menu styles and the hook that gives the system's pop-up menu windows (class "#32768") the
// current style's border and shadow. One object exists, made before any other static object of
// the program (so before the application object and the windows), which builds the styles,
// selects style 2 and hooks the thread that runs the static initialisers; it unhooks at exit.
class CMenuThemes
{
public:
    CMenuThemes();
    ~CMenuThemes();

    static CMenuTheme* FindTheme(int nStyle);
    // Takes the style out of the list (deleted with its last style); NULL when absent.
    static CMenuTheme* RemoveTheme(int nStyle);
    // FALSE when the record is in the list already.
    static BOOL AddTheme(CMenuTheme* pTheme);
    static CMenuTheme* GetCurrentTheme() { return m_pActualTheme; }
    static void SetCurrentTheme(CMenuTheme* pTheme) { m_pActualTheme = pTheme; }

    static LRESULT CALLBACK MenuCallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MenuWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // TRUE when the window was subclassed now.
    static BOOL SubclassMenuWindow(HWND hWnd, BOOL bCaughtBy1E2);
    static void UnsubclassMenuWindow(HWND hWnd);
    // A soft four-pixel shadow along the right and bottom edges, made of the screen beneath.
    static void DrawMenuShadow(HWND hWnd, CDC* pDC, int xOrigin, int yOrigin);
    static CMenuWindowRecord* FindRecord(HWND hWnd);
    // Keeps the screen beneath a window about to be shown at that place and size.
    static void KeepScreenBeneath(CMenuWindowRecord* pRecord, const CRect& rect);
    // The menu of the next menu window to be caught.
    static void AnnounceMenu(HMENU hMenu) { m_hNextMenu = hMenu; }

    static HHOOK GetHook() { return m_hHook; }
    // 0 old Win32 subsystem, 1 other NT, 2 Windows 95, 3 98, 4 Me, 5 NT 4, 6 2000, 7 XP.
    static int GetOsCode() { return m_nOsCode; }
    static BOOL IsRemoteSession() { return m_bRemoteSession; }
    typedef BOOL(WINAPI* PFN_GRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    static PFN_GRADIENTFILL GetGradientFill() { return m_pfnGradientFill; }
    static CPoint GetLastKeyPosition() { return CPoint(m_ptLastKey); }

private:
    static int ReadOsCode();

    static CPtrList* m_pThemeList;
    static CMenuTheme* m_pActualTheme;
    static HMODULE m_hMsimg32;
    static PFN_GRADIENTFILL m_pfnGradientFill;
    static HHOOK m_hHook;
    static std::map<HWND, CMenuWindowRecord*>* m_pRecords;
    static HMENU m_hNextMenu;
    static BOOL m_bRemoteSession;
    static int m_nOsCode;
    // Plain types only: they hold their values before any static object is constructed.
    static POINT m_ptLastKey;
    static int m_nDepth;
};

// The system's text for the calling thread's last error, in a box captioned "Error".
void AFXAPI ShowLastError();
