#!/usr/bin/env python3
"""The programme-guide web server of the download wizard's tests, on 127.0.0.1.

Usage: epg_server.py STATE_DIR [LIFETIME_SECONDS]
Builds the guide archive (a real zip, entries stored) as STATE_DIR/showtime.zip, listens on a free
port, writes the port to STATE_DIR/port and serves until killed or the lifetime runs out:
  /download/showtime.zip  the archive, with its length
  /missing.zip            404 with a body
  /nolength.zip           200 with a body but no length, then the connection closes
  /early.zip              200 with a length of 40000, 3000 bytes, then the connection closes
  /stall.zip              200 with a length of 40000, 2048 bytes, then nothing until the client goes
"""
import os
import socket
import socketserver
import sys
import time
import zipfile

GUIDE = "Channel Five\r\n"
for day in ["星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"]:
    GUIDE += day + "\r\n08:00 Morning News\r\n20:00 Evening Film\r\n"


def header(status, fields):
    lines = ["HTTP/1.1 " + status] + ["%s: %s" % f for f in fields]
    return ("\r\n".join(lines) + "\r\n\r\n").encode("ascii")


class Handler(socketserver.BaseRequestHandler):
    archive = b""

    def handle(self):
        s = self.request
        s.settimeout(10)
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = s.recv(4096)
            if not chunk:
                return
            data += chunk
        path = data.split(b" ")[1].decode("latin-1")
        if path == "/download/showtime.zip":
            s.sendall(header("200 OK", [("Content-Type", "application/zip"),
                                        ("Content-Length", len(self.archive))]) + self.archive)
        elif path == "/missing.zip":
            body = b"<html><body>404 Not Found</body></html>"
            s.sendall(header("404 Not Found", [("Content-Length", len(body))]) + body)
        elif path == "/nolength.zip":
            s.sendall(header("200 OK", [("Content-Type", "application/zip")]) + self.archive)
        elif path == "/early.zip":
            s.sendall(header("200 OK", [("Content-Length", 40000)]) + self.archive[:3000])
        elif path == "/stall.zip":
            s.sendall(header("200 OK", [("Content-Length", 40000)]) + self.archive[:2048])
            s.settimeout(60)
            try:
                s.recv(1)
            except OSError:
                pass
            return
        else:
            s.sendall(header("400 Bad Request", [("Content-Length", 0)]))
        try:
            s.shutdown(socket.SHUT_WR)
        except OSError:
            pass


class Server(socketserver.ThreadingMixIn, socketserver.TCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    state = sys.argv[1]
    lifetime = float(sys.argv[2]) if len(sys.argv) > 2 else 600
    os.makedirs(state, exist_ok=True)
    archive_path = os.path.join(state, "showtime.zip")
    with zipfile.ZipFile(archive_path, "w", zipfile.ZIP_STORED) as z:
        z.writestr("节目单/five.txt", GUIDE.encode("gbk"))
        # Filler so the download takes some blocks and the progress shows.
        z.writestr("节目单/notes.dat", bytes((i * 7) % 256 for i in range(40000)))
    with open(archive_path, "rb") as f:
        Handler.archive = f.read()
    server = Server(("127.0.0.1", 0), Handler)
    port_file = os.path.join(state, "port")
    with open(port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(port_file + ".tmp", port_file)
    server.timeout = 1
    end = time.time() + lifetime
    while time.time() < end:
        server.handle_request()


if __name__ == "__main__":
    main()
