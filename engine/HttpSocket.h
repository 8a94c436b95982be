#pragma once
#include <winsock2.h>
#include <windows.h>

#include "engine/OndrixApi.h"

// A minimal blocking HTTP/1.1 GET client over one TCP connection. The reply header is read byte by
// byte, once in the object's life; the body is then taken with plain receives. The application
// must have started WinSock 2.
class ONDRIX_API CHttpSocket {
public:
  enum { kRequestBytes = 1024, kHeaderBytes = 1024, kAddressBytes = 256 };

  CHttpSocket();
  // A copy refers to the same connection but never closes it: only the object that made the
  // socket closes it.
  CHttpSocket(const CHttpSocket& other);
  virtual ~CHttpSocket();
  CHttpSocket& operator=(const CHttpSocket& other);

  int Socket();
  int Connect(char* host, int port);
  // An empty request text (length 0) when the lines would not fit the 1023 characters of the buffer.
  const char* FormatRequestHeader(char* host, char* path, long& length, char* cookie, char* referer,
                                  long rangeFrom, long rangeTo, int unused);
  int SendRequest(const char* data, long length);
  const char* GetResponseHeader(int& length);
  int GetResponseLine(char* buffer, int size);
  int GetField(const char* name, char* value, int size);
  int GetServerState();
  long Receive(char* buffer, long size);
  int SetTimeout(int milliseconds, int kind);
  int CloseSocket();
  int GetRequestHeader(char* buffer, int size) const;

protected:
  enum { kDefaultHeaderTimeoutMs = 20000, kDefaultSettleMs = 300 };
  // settle: the pause between sending and reading the reply; header time-out: how long the whole
  // reply header may take (a receive time-out set with SetTimeout replaces it).
  void SetWaits(int settleMs, int headerTimeoutMs) {
    m_settleMs = settleMs;
    m_headerTimeoutMs = headerTimeoutMs;
  }

private:
  void CopyFrom(const CHttpSocket& other);
  BOOL HoldsSocket() const { return m_socket != 0 && m_socket != INVALID_SOCKET; }
  void ReadHeader();

  char m_request[kRequestBytes];
  char m_header[kHeaderBytes];
  int m_port;
  char m_address[kAddressBytes];
  BOOL m_connected;
  SOCKET m_socket;
  hostent* m_hostEntry;
  int m_lineCursor;
  BOOL m_headerRead;
  int m_headerLength;

  BOOL m_ownsSocket;
  int m_settleMs;
  int m_headerTimeoutMs;
};
