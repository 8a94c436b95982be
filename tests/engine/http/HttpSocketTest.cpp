#include "engine/HttpSocket.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string>
#include <vector>

namespace {

class WinsockEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    WSADATA data;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 0), &data));
  }
  void TearDown() override { WSACleanup(); }
};
::testing::Environment* const g_winsock = ::testing::AddGlobalTestEnvironment(new WinsockEnvironment);

int ServerPort() {
  static int port = 0;
  if (!port) {
    FILE* f = fopen(HTTP_PORT_FILE, "r");
    if (f) {
      if (fscanf(f, "%d", &port) != 1)
        port = 0;
      fclose(f);
    }
  }
  return port;
}

// The client with its waits shortened for the tests.
class TestSocket : public CHttpSocket {
public:
  explicit TestSocket(int headerTimeoutMs = 3000) { SetWaits(0, headerTimeoutMs); }
  using CHttpSocket::SetWaits;
};

char* Text(const char* s) { return const_cast<char*>(s); }

const char kBasicRequest[] =
    "GET /file HTTP/1.1\r\n"
    "Host:127.0.0.1\r\n"
    "Accept:*/*\r\n"
    "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
    "Connection:Keep-Alive\r\n"
    "\r\n";

class HttpSocketTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(0, ServerPort()) << "the test HTTP server is not running (" HTTP_PORT_FILE ")"; }

  // Socket, connect and send a GET for path; the reply header is read by SendRequest.
  void Get(CHttpSocket& http, const char* path) {
    long length = 0;
    http.FormatRequestHeader(Text("127.0.0.1"), Text(path), length, NULL, NULL, 0, 0, 0);
    ASSERT_EQ(1, http.Socket());
    ASSERT_EQ(1, http.Connect(Text("127.0.0.1"), ServerPort()));
    ASSERT_EQ(1, http.SendRequest(NULL, 0));
  }

  // The guide download's loop: 1024-byte blocks until the Content-Length is reached.
  static std::string Download(CHttpSocket& http, long expected, long* last) {
    std::string body;
    char block[1024];
    *last = 1;
    while ((long)body.size() < expected) {
      const long got = http.Receive(block, sizeof block);
      *last = got;
      if (got <= 0)
        break;
      body.append(block, got);
    }
    return body;
  }

  static std::string FileBody() {
    std::string body;
    for (int i = 0; i < 5120; ++i)
      body += char(i % 251);
    return body;
  }
};

}  // namespace

struct RequestRow {
  const char* cookie;
  const char* referer;
  long from, to;
  const char* expected;
};

TEST(HttpRequestText, LinesTable) {
  const RequestRow rows[] = {
      {NULL, NULL, 0, 0, kBasicRequest},
      {NULL, NULL, 0, 500, kBasicRequest},
      {NULL, NULL, 100, 200,
       "GET /file HTTP/1.1\r\nHost:127.0.0.1\r\nAccept:*/*\r\n"
       "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\nConnection:Keep-Alive\r\n"
       "Range: bytes=100-200\r\n\r\n"},
      {NULL, NULL, 100, 100,
       "GET /file HTTP/1.1\r\nHost:127.0.0.1\r\nAccept:*/*\r\n"
       "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\nConnection:Keep-Alive\r\n"
       "Range: bytes=100-\r\n\r\n"},
      {NULL, NULL, 100, 50,
       "GET /file HTTP/1.1\r\nHost:127.0.0.1\r\nAccept:*/*\r\n"
       "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\nConnection:Keep-Alive\r\n"
       "Range: bytes=100-\r\n\r\n"},
      {"id=7", "http://guide/", 1, 0,
       "GET /file HTTP/1.1\r\nHost:127.0.0.1\r\nReferer:http://guide/\r\nAccept:*/*\r\n"
       "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\nConnection:Keep-Alive\r\n"
       "Set Cookie:0id=7\r\nRange: bytes=1-\r\n\r\n"},
  };
  for (const RequestRow& row : rows) {
    CHttpSocket http;
    long length = -1;
    const char* text = http.FormatRequestHeader(Text("127.0.0.1"), Text("/file"), length, Text(row.cookie),
                                                Text(row.referer), row.from, row.to, 0);
    EXPECT_STREQ(row.expected, text);
    EXPECT_EQ((long)strlen(row.expected), length);
  }
}

TEST(HttpRequestText, GetRequestHeaderCopiesWithoutTerminator) {
  CHttpSocket http;
  long length = 0;
  http.FormatRequestHeader(Text("127.0.0.1"), Text("/file"), length, NULL, NULL, 0, 0, 0);
  char buffer[8];
  memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(5, http.GetRequestHeader(buffer, 5));
  EXPECT_EQ(0, memcmp(buffer, "GET /#", 6));
  std::vector<char> all(2000, '#');
  EXPECT_EQ(length, http.GetRequestHeader(all.data(), (int)all.size()));
  EXPECT_EQ('#', all[length]);
}

// Lines that do not fit the 1023 characters of the request buffer give no request at all.
TEST(HttpRequestText, OverlongRequestIsRefused) {
  CHttpSocket http;
  long length = -1;
  const long fixedPart = (long)strlen(kBasicRequest) - 5;  // without "/file"
  const std::string fits(1023 - fixedPart, 'a');
  const std::string tooLong(1024 - fixedPart, 'a');
  http.FormatRequestHeader(Text("127.0.0.1"), Text(fits.c_str()), length, NULL, NULL, 0, 0, 0);
  EXPECT_EQ(1023, length);
  const char* text = http.FormatRequestHeader(Text("127.0.0.1"), Text(tooLong.c_str()), length, NULL, NULL, 0, 0, 0);
  EXPECT_EQ(0, length);
  EXPECT_STREQ("", text);
}

TEST(HttpStateBeforeRequest, AnswersNothing) {
  CHttpSocket http;
  char value[32];
  char line[32];
  EXPECT_EQ(-1, http.GetServerState());
  EXPECT_EQ(-1, http.GetField("content-length", value, sizeof value));
  EXPECT_EQ(-1, http.GetResponseLine(line, sizeof line));
  EXPECT_EQ(0, http.SendRequest(NULL, 0));
  EXPECT_EQ(0, http.Receive(line, sizeof line));
  EXPECT_EQ(0, http.Connect(NULL, 80));
  EXPECT_EQ(1, http.CloseSocket());
}

TEST_F(HttpSocketTest, RequestReachesTheServerByteForByte) {
  TestSocket http;
  Get(http, "/echo");
  EXPECT_EQ(200, http.GetServerState());
  char value[30];
  ASSERT_GT(http.GetField("Content-Length", value, sizeof value), 0);
  long last = 0;
  const std::string body = Download(http, atol(value), &last);
  const std::string expected = std::string(kBasicRequest).replace(4, 5, "/echo");
  EXPECT_EQ(expected, body);
}

TEST_F(HttpSocketTest, DownloadWithContentLength) {
  TestSocket http;
  Get(http, "/file");
  EXPECT_EQ(200, http.GetServerState());
  char value[30];
  EXPECT_EQ(4, http.GetField("content-length", value, 30));
  EXPECT_STREQ("5120", value);
  EXPECT_EQ(24, http.GetField("Content-Type", value, 30));
  EXPECT_STREQ("application/octet-stream", value);
  EXPECT_EQ(-1, http.GetField("Set-Cookie", value, 30));
  long last = 0;
  const std::string body = Download(http, 5120, &last);
  EXPECT_EQ(FileBody(), body);
  int length = 0;
  const char* header = http.GetResponseHeader(length);
  ASSERT_GT(length, 4);
  EXPECT_EQ(0, memcmp(header + length - 4, "\r\n\r\n", 4));
  EXPECT_EQ(0, memcmp(header, "HTTP/1.1 200 OK\r\n", 17));
}

TEST_F(HttpSocketTest, ResponseLinesWalkTheHeader) {
  TestSocket http;
  Get(http, "/missing");
  char line[64];
  int n = http.GetResponseLine(line, sizeof line);
  ASSERT_EQ(24, n);
  EXPECT_EQ(0, memcmp(line, "HTTP/1.1 404 Not Found\r\n", 24));
  n = http.GetResponseLine(line, 4);
  EXPECT_EQ(4, n);
  EXPECT_EQ(0, memcmp(line, "Cont", 4));
  int lines = 0;
  while (http.GetResponseLine(line, sizeof line) > 0)
    ++lines;
  EXPECT_EQ(2, lines);  // the rest of "Content-Length: 21" and the empty line
  // After -1 the cursor starts again at the status line.
  EXPECT_EQ(24, http.GetResponseLine(line, sizeof line));
}

TEST_F(HttpSocketTest, NotFound) {
  TestSocket http;
  Get(http, "/missing");
  EXPECT_EQ(404, http.GetServerState());
}

TEST_F(HttpSocketTest, HeaderLongerThanItsBuffer) {
  TestSocket http;
  Get(http, "/longheader");
  int length = 0;
  http.GetResponseHeader(length);
  EXPECT_EQ(1024, length);
  EXPECT_EQ(200, http.GetServerState());
  // The rest of the header and the body are left for Receive.
  std::string rest;
  char block[1024];
  long got;
  while ((got = http.Receive(block, sizeof block)) > 0)
    rest.append(block, got);
  ASSERT_GE(rest.size(), 14u);
  EXPECT_EQ("\r\n\r\n0123456789", rest.substr(rest.size() - 14));
  EXPECT_NE(std::string::npos, rest.find("Content-Length: 10"));
}

// A server's field value is cut to the caller's buffer instead of running past it.
TEST_F(HttpSocketTest, FieldValueIsBoundedByTheBuffer) {
  TestSocket http;
  Get(http, "/tightfield");
  char value[17];
  memset(value, '#', sizeof value);
  EXPECT_EQ(15, http.GetField("X-Long", value, 16));
  EXPECT_STREQ("vvvvvvvvvvvvvvv", value);
  EXPECT_EQ('#', value[16]);
  EXPECT_EQ(0, http.GetField("x-long", value, 1));
  EXPECT_STREQ("", value);
  EXPECT_EQ(-1, http.GetField("x-long", value, 0));
  // Written without a blank after the colon, the value loses its first character.
  EXPECT_EQ(1, http.GetField("content-length", value, 16));
  EXPECT_STREQ("4", value);
}

TEST_F(HttpSocketTest, ServerClosingEarlyEndsTheDownload) {
  TestSocket http;
  Get(http, "/closeearly");
  char value[30];
  ASSERT_EQ(4, http.GetField("content-length", value, 30));
  long last = 1;
  const std::string body = Download(http, atol(value), &last);
  EXPECT_EQ(100u, body.size());
  EXPECT_EQ(0, last);
  // Closed now: no further receive touches the socket.
  char block[16];
  EXPECT_EQ(0, http.Receive(block, sizeof block));
  EXPECT_EQ(0, http.SendRequest(NULL, 0));
}

TEST_F(HttpSocketTest, ServerClosingInsideTheHeader) {
  TestSocket http;
  const DWORD start = GetTickCount();
  Get(http, "/closeinheader");
  EXPECT_LT(GetTickCount() - start, 2000u);
  int length = 0;
  http.GetResponseHeader(length);
  EXPECT_EQ(27, length);
  EXPECT_EQ(200, http.GetServerState());
  char value[30];
  EXPECT_EQ(-1, http.GetField("content-length", value, 30));
}

// A server that accepts and never answers must not hold the header read for ever.
TEST_F(HttpSocketTest, SilentServerEndsAtTheHeaderTimeout) {
  TestSocket http(300);
  const DWORD start = GetTickCount();
  Get(http, "/silent");
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 250u);
  EXPECT_LT(took, 3000u);
  int length = -1;
  http.GetResponseHeader(length);
  EXPECT_EQ(0, length);
  EXPECT_EQ(-1, http.GetServerState());
}

TEST_F(HttpSocketTest, ReceiveTimeoutSetBeforeSendingBoundsTheHeader) {
  TestSocket http(60000);
  long length = 0;
  http.FormatRequestHeader(Text("127.0.0.1"), Text("/silent"), length, NULL, NULL, 0, 0, 0);
  ASSERT_EQ(1, http.Socket());
  ASSERT_EQ(1, http.Connect(Text("127.0.0.1"), ServerPort()));
  ASSERT_EQ(1, http.SetTimeout(300, 0));
  ASSERT_EQ(1, http.SetTimeout(300, 1));
  const DWORD start = GetTickCount();
  EXPECT_EQ(1, http.SendRequest(NULL, 0));
  EXPECT_LT(GetTickCount() - start, 3000u);
  char block[16];
  EXPECT_EQ(-1, http.Receive(block, sizeof block));
  EXPECT_EQ(0, http.Receive(block, sizeof block));
}

TEST_F(HttpSocketTest, SendWaitsBeforeReadingTheReply) {
  CHttpSocket http;
  const DWORD start = GetTickCount();
  Get(http, "/missing");
  EXPECT_GE(GetTickCount() - start, 290u);
  EXPECT_EQ(404, http.GetServerState());
}

TEST_F(HttpSocketTest, SocketOnConnectedObjectKeepsTheConnection) {
  TestSocket http;
  long length = 0;
  http.FormatRequestHeader(Text("127.0.0.1"), Text("/file"), length, NULL, NULL, 0, 0, 0);
  ASSERT_EQ(1, http.Socket());
  ASSERT_EQ(1, http.Connect(Text("127.0.0.1"), ServerPort()));
  EXPECT_EQ(0, http.Socket());
  ASSERT_EQ(1, http.SendRequest(NULL, 0));
  EXPECT_EQ(200, http.GetServerState());
}

TEST_F(HttpSocketTest, ConnectFailures) {
  TestSocket http;
  // No socket made yet.
  EXPECT_EQ(0, http.Connect(Text("127.0.0.1"), ServerPort()));
  ASSERT_EQ(1, http.Socket());
  // A port nobody listens on: the test server's own port, closed again right away.
  SOCKET probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in any = {};
  any.sin_family = AF_INET;
  any.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(0, bind(probe, (sockaddr*)&any, sizeof any));
  int size = sizeof any;
  getsockname(probe, (sockaddr*)&any, &size);
  closesocket(probe);
  EXPECT_EQ(0, http.Connect(Text("127.0.0.1"), ntohs(any.sin_port)));
}

TEST_F(HttpSocketTest, ReconnectNeedsANewSocket) {
  TestSocket http;
  Get(http, "/missing");
  // Connect on a connected object closes it and has no socket left to connect.
  EXPECT_EQ(0, http.Connect(Text("127.0.0.1"), ServerPort()));
  ASSERT_EQ(1, http.Socket());
  EXPECT_EQ(1, http.Connect(Text("127.0.0.1"), ServerPort()));
  // The header is read once in the object's life.
  EXPECT_EQ(1, http.SendRequest(NULL, 0));
  EXPECT_EQ(404, http.GetServerState());
}

// A copy shares the connection; destroying it must not close the original's socket.
TEST_F(HttpSocketTest, CopyNeverClosesTheOriginalsSocket) {
  TestSocket http;
  Get(http, "/file");
  {
    CHttpSocket copy(http);
    EXPECT_EQ(200, copy.GetServerState());
    char block[10];
    EXPECT_EQ(10, copy.Receive(block, sizeof block));
    EXPECT_EQ(0, block[0]);
  }
  {
    CHttpSocket assigned;
    assigned = http;
    EXPECT_EQ(200, assigned.GetServerState());
  }
  long last = 0;
  const std::string body = Download(http, 5120 - 10, &last);
  EXPECT_EQ(FileBody().substr(10), body);
}

TEST_F(HttpSocketTest, AssignmentClosesTheTargetsOwnSocket) {
  TestSocket first;
  Get(first, "/missing");
  TestSocket second;
  Get(second, "/file");
  second = first;
  EXPECT_EQ(404, second.GetServerState());
  // second's own connection was closed by the assignment, first's is untouched.
  EXPECT_EQ(1, second.CloseSocket());
  char block[64];
  EXPECT_GT(first.Receive(block, sizeof block), 0);
}
