#include "engine/HttpSocket.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string LowerCopy(const char* text, size_t length) {
  std::string s(text, length);
  for (char& c : s)
    c = Lower(c);
  return s;
}

}  // namespace

CHttpSocket::CHttpSocket()
    : m_port(80),
      m_connected(FALSE),
      m_socket(0),
      m_hostEntry(NULL),
      m_lineCursor(0),
      m_headerRead(FALSE),
      m_headerLength(-1),
      m_ownsSocket(FALSE),
      m_settleMs(kDefaultSettleMs),
      m_headerTimeoutMs(kDefaultHeaderTimeoutMs) {
  memset(m_request, 0, sizeof(m_request));
  memset(m_header, 0, sizeof(m_header));
  memset(m_address, 0, sizeof(m_address));
}

CHttpSocket::CHttpSocket(const CHttpSocket& other) {
  CopyFrom(other);
  m_ownsSocket = FALSE;
}

CHttpSocket::~CHttpSocket() { CloseSocket(); }

CHttpSocket& CHttpSocket::operator=(const CHttpSocket& other) {
  if (this == &other)
    return *this;
  const BOOL sameSocket = m_ownsSocket && m_socket == other.m_socket;
  if (!sameSocket)
    CloseSocket();
  CopyFrom(other);
  m_ownsSocket = sameSocket;
  return *this;
}

void CHttpSocket::CopyFrom(const CHttpSocket& other) {
  memcpy(m_request, other.m_request, sizeof(m_request));
  memcpy(m_header, other.m_header, sizeof(m_header));
  m_port = other.m_port;
  memcpy(m_address, other.m_address, sizeof(m_address));
  m_connected = other.m_connected;
  m_socket = other.m_socket;
  m_hostEntry = other.m_hostEntry;
  m_lineCursor = other.m_lineCursor;
  m_headerRead = other.m_headerRead;
  m_headerLength = other.m_headerLength;
  m_settleMs = other.m_settleMs;
  m_headerTimeoutMs = other.m_headerTimeoutMs;
}

int CHttpSocket::Socket() {
  if (m_connected)
    return 0;
  // A socket made earlier and never connected would otherwise be lost.
  if (HoldsSocket() && m_ownsSocket)
    closesocket(m_socket);
  const protoent* protocol = getprotobyname("tcp");
  m_socket = socket(AF_INET, SOCK_STREAM, protocol ? protocol->p_proto : IPPROTO_TCP);
  m_ownsSocket = m_socket != INVALID_SOCKET;
  return m_socket != INVALID_SOCKET ? 1 : 0;
}

int CHttpSocket::Connect(char* host, int port) {
  if (!host)
    return 0;
  if (m_connected)
    CloseSocket();
  m_port = port;
  m_hostEntry = gethostbyname(host);
  if (!m_hostEntry || !m_hostEntry->h_addr_list || !m_hostEntry->h_addr_list[0])
    return 0;
  const unsigned char* a = (const unsigned char*)m_hostEntry->h_addr_list[0];
  snprintf(m_address, sizeof(m_address), "%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
  if (!HoldsSocket())
    return 0;
  sockaddr_in target;
  memset(&target, 0, sizeof(target));
  target.sin_family = AF_INET;
  target.sin_port = htons((u_short)m_port);
  memcpy(&target.sin_addr, a, 4);
  if (connect(m_socket, (const sockaddr*)&target, sizeof(target)) != 0)
    return 0;
  m_connected = TRUE;
  return 1;
}

const char* CHttpSocket::FormatRequestHeader(char* host, char* path, long& length, char* cookie, char* referer,
                                             long rangeFrom, long rangeTo, int) {
  memset(m_request, 0, sizeof(m_request));
  std::string text;
  text += "GET ";
  text += path ? path : "";
  text += " HTTP/1.1\r\n";
  text += "Host:";
  text += host ? host : "";
  text += "\r\n";
  if (referer) {
    text += "Referer:";
    text += referer;
    text += "\r\n";
  }
  text += "Accept:*/*\r\n";
  text += "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n";
  text += "Connection:Keep-Alive\r\n";
  if (cookie) {
    text += "Set Cookie:0";
    text += cookie;
    text += "\r\n";
  }
  if (rangeFrom > 0) {
    char range[64];
    if (rangeTo > rangeFrom)
      snprintf(range, sizeof(range), "Range: bytes=%ld-%ld\r\n", rangeFrom, rangeTo);
    else
      snprintf(range, sizeof(range), "Range: bytes=%ld-\r\n", rangeFrom);
    text += range;
  }
  text += "\r\n";
  // A cut request would ask the server for something else: send nothing rather than that.
  if (text.size() < sizeof(m_request))
    memcpy(m_request, text.data(), text.size());
  length = (long)strlen(m_request);
  return m_request;
}

int CHttpSocket::SendRequest(const char* data, long length) {
  if (!m_connected)
    return 0;
  if (!data)
    data = m_request;
  if (length == 0)
    length = (long)strlen(m_request);
  if (length <= 0)
    return 0;
  if (send(m_socket, data, (int)length, 0) == SOCKET_ERROR)
    return 0;
  if (m_settleMs > 0)
    Sleep(m_settleMs);
  int headerLength = 0;
  GetResponseHeader(headerLength);
  return 1;
}

// The whole header must come within the header time-out: a server that accepts and stays silent
// must not hold the caller (the guide download) for ever. A close or a failure ends the header
// with what arrived.
void CHttpSocket::ReadHeader() {
  int stored = 0;
  const DWORD start = GetTickCount();
  while (stored < kHeaderBytes) {
    const long waited = (long)(GetTickCount() - start);
    const long left = m_headerTimeoutMs - waited;
    if (left <= 0)
      break;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(m_socket, &readable);
    timeval limit;
    limit.tv_sec = left / 1000;
    limit.tv_usec = (left % 1000) * 1000;
    if (select(0, &readable, NULL, NULL, &limit) <= 0)
      break;
    char c;
    if (recv(m_socket, &c, 1, 0) != 1)
      break;
    m_header[stored++] = c;
    if (stored >= 4 && memcmp(m_header + stored - 4, "\r\n\r\n", 4) == 0)
      break;
  }
  m_headerLength = stored;
  m_headerRead = TRUE;
}

const char* CHttpSocket::GetResponseHeader(int& length) {
  if (!m_headerRead && m_connected)
    ReadHeader();
  length = m_headerLength;
  return m_header;
}

int CHttpSocket::GetResponseLine(char* buffer, int size) {
  if (m_lineCursor >= m_headerLength) {
    m_lineCursor = 0;
    return -1;
  }
  int copied = 0;
  while (m_lineCursor < m_headerLength && copied < size) {
    const char c = m_header[m_lineCursor++];
    buffer[copied++] = c;
    if (c == '\n')
      break;
  }
  return copied;
}

int CHttpSocket::GetField(const char* name, char* value, int size) {
  if (!m_headerRead || m_headerLength <= 0)
    return -1;
  if (!name || !*name || !value || size <= 0)
    return -1;
  const std::string header = LowerCopy(m_header, m_headerLength);
  const std::string key = LowerCopy(name, strlen(name));
  const size_t at = header.find(key);
  if (at == std::string::npos)
    return -1;
  // The colon and one blank are skipped, as the servers of the guide write them.
  const size_t begin = std::min(at + key.size() + 2, header.size());
  size_t end = header.find("\r\n", begin);
  if (end == std::string::npos)
    end = header.size();
  // The value comes from the server: it is cut to the caller's buffer.
  const size_t count = std::min(end - begin, (size_t)(size - 1));
  memcpy(value, header.data() + begin, count);
  value[count] = 0;
  return (int)count;
}

int CHttpSocket::GetServerState() {
  if (!m_headerRead || m_headerLength < 12)
    return -1;
  int code = 0;
  for (int i = 9; i < 12; ++i) {
    if (m_header[i] < '0' || m_header[i] > '9')
      return -1;
    code = code * 10 + (m_header[i] - '0');
  }
  return code;
}

long CHttpSocket::Receive(char* buffer, long size) {
  if (!m_connected)
    return 0;
  const int got = recv(m_socket, buffer, (int)size, 0);
  if (got > 0)
    return got;
  CloseSocket();
  return got == 0 ? 0 : -1;
}

int CHttpSocket::SetTimeout(int milliseconds, int kind) {
  DWORD value = (DWORD)milliseconds;
  const int option = kind ? SO_SNDTIMEO : SO_RCVTIMEO;
  if (setsockopt(m_socket, SOL_SOCKET, option, (const char*)&value, sizeof(value)) != 0)
    return 0;
  if (!kind && milliseconds > 0)
    m_headerTimeoutMs = milliseconds;
  return 1;
}

int CHttpSocket::CloseSocket() {
  if (HoldsSocket() && m_ownsSocket) {
    if (closesocket(m_socket) != 0) {
      MessageBoxA(NULL, "closesocket()函数执行失败!", "错误", MB_OK);
      return 0;
    }
  }
  m_socket = 0;
  m_connected = FALSE;
  m_ownsSocket = FALSE;
  return 1;
}

int CHttpSocket::GetRequestHeader(char* buffer, int size) const {
  if (!buffer || size <= 0)
    return 0;
  const int count = std::min((int)strlen(m_request), size);
  memcpy(buffer, m_request, count);
  return count;
}
