#pragma once
#include "platform/afx/AfxDefs.h"
#include <cstdarg>
#include <utility>

// ANSI (multi-byte) string in the manner of MFC's CString: one pointer to the characters,
// with the length and capacity kept just before them, so a CString is pointer-sized.
// Searching, trimming and case changes step over double-byte characters of the ANSI code page.
class CString {
public:
  CString();
  CString(const CString& src);
  CString(CString&& src) noexcept;
  CString(LPCSTR psz);
  CString(LPCSTR pch, int nLength);
  CString(const unsigned char* psz);
  CString(LPCWSTR pwsz);
  CString(char ch, int nRepeat = 1);
  ~CString();

  int GetLength() const { return Header()->nDataLength; }
  BOOL IsEmpty() const { return GetLength() == 0; }
  void Empty();

  char GetAt(int nIndex) const { return m_pchData[nIndex]; }
  char operator[](int nIndex) const { return m_pchData[nIndex]; }
  void SetAt(int nIndex, char ch);
  operator LPCSTR() const { return m_pchData; }
  LPCSTR GetString() const { return m_pchData; }

  CString& operator=(const CString& src);
  CString& operator=(CString&& src) noexcept;
  CString& operator=(LPCSTR psz);
  CString& operator=(const unsigned char* psz);
  CString& operator=(LPCWSTR pwsz);
  CString& operator=(char ch);

  CString& operator+=(const CString& src);
  CString& operator+=(LPCSTR psz);
  CString& operator+=(char ch);

  void Append(LPCSTR psz) { *this += psz; }
  void Append(LPCSTR pch, int nLength) { AppendChars(pch, nLength); }
  void AppendChar(char ch) { *this += ch; }

  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, LPCSTR b);
  friend CString operator+(LPCSTR a, const CString& b);
  friend CString operator+(const CString& a, char b);
  friend CString operator+(char a, const CString& b);

  // Byte-wise (multi-byte ordered) comparison; NoCase folds only single-byte letters.
  int Compare(LPCSTR psz) const;
  int CompareNoCase(LPCSTR psz) const;
  // Locale-aware comparison through the system.
  int Collate(LPCSTR psz) const;
  int CollateNoCase(LPCSTR psz) const;

  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCSTR pszCharSet) const;
  CString SpanExcluding(LPCSTR pszCharSet) const;

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();

  CString& TrimRight();
  CString& TrimRight(char chTarget);
  CString& TrimRight(LPCSTR pszTargets);
  CString& TrimLeft();
  CString& TrimLeft(char chTarget);
  CString& TrimLeft(LPCSTR pszTargets);
  CString& Trim() { return TrimRight().TrimLeft(); }
  CString& Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
  CString& Trim(LPCSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

  int Replace(char chOld, char chNew);
  int Replace(LPCSTR pszOld, LPCSTR pszNew);
  int Remove(char chRemove);
  int Insert(int nIndex, char ch);
  int Insert(int nIndex, LPCSTR psz);
  int Delete(int nIndex, int nCount = 1);

  int Find(char ch) const { return Find(ch, 0); }
  int Find(char ch, int nStart) const;
  int Find(LPCSTR pszSub) const { return Find(pszSub, 0); }
  int Find(LPCSTR pszSub, int nStart) const;
  int ReverseFind(char ch) const;
  int FindOneOf(LPCSTR pszCharSet) const;
  // The next token after iStart, skipping leading delimiters; an empty string and iStart = -1 at the end.
  CString Tokenize(LPCSTR pszTokens, int& iStart) const;

  // printf-style; CString arguments may be passed as they are (they are handed on as LPCSTR).
  template <class... Args>
  void Format(LPCSTR pszFormat, Args&&... args);
  template <class... Args>
  void Format(UINT nFormatID, Args&&... args);
  template <class... Args>
  void AppendFormat(LPCSTR pszFormat, Args&&... args);
  void FormatV(LPCSTR pszFormat, va_list args);
  void FormatRaw(LPCSTR pszFormat, ...);
  void FormatRaw(UINT nFormatID, ...);
  void AppendFormatRaw(LPCSTR pszFormat, ...);

  // Reads a string resource of the resource module; FALSE (and an empty string) when absent.
  BOOL LoadString(UINT nID);
  BOOL LoadString(HINSTANCE hInstance, UINT nID);

  LPSTR GetBuffer(int nMinBufLength);
  void ReleaseBuffer(int nNewLength = -1);
  LPSTR GetBufferSetLength(int nNewLength);
  void FreeExtra();
  LPSTR LockBuffer() { return GetBuffer(0); }
  void UnlockBuffer() {}

private:
  struct Data {
    long nRefs;  // unused; kept so the header matches the familiar layout
    int nDataLength;
    int nAllocLength;
    char* chars() { return reinterpret_cast<char*>(this + 1); }
  };

  Data* Header() const { return reinterpret_cast<Data*>(m_pchData) - 1; }
  void Init();
  void Release();
  void AllocBuffer(int nLen);
  void Reserve(int nLen, bool keep);
  void AssignCopy(LPCSTR pch, int nLen);
  void AppendChars(LPCSTR pch, int nLen);
  void SetLength(int nLen);

  char* m_pchData;
};

// Hands a CString to a C variadic function as its text pointer; everything else unchanged. Passing the
// object itself through "..." would hand over a reference to a copy, not the text.
template <class T>
inline T&& AfxFormatArg(T&& value) { return std::forward<T>(value); }
inline LPCSTR AfxFormatArg(const CString& value) { return value; }
inline LPCSTR AfxFormatArg(CString& value) { return value; }
inline LPCSTR AfxFormatArg(CString&& value) { return value; }

template <class... Args>
void CString::Format(LPCSTR pszFormat, Args&&... args) {
  FormatRaw(pszFormat, AfxFormatArg(std::forward<Args>(args))...);
}

template <class... Args>
void CString::Format(UINT nFormatID, Args&&... args) {
  FormatRaw(nFormatID, AfxFormatArg(std::forward<Args>(args))...);
}

template <class... Args>
void CString::AppendFormat(LPCSTR pszFormat, Args&&... args) {
  AppendFormatRaw(pszFormat, AfxFormatArg(std::forward<Args>(args))...);
}

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(LPCSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(LPCSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCSTR b);
bool operator<(LPCSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCSTR b);
bool operator>(LPCSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCSTR b);
bool operator<=(LPCSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCSTR b);
bool operator>=(LPCSTR a, const CString& b);
