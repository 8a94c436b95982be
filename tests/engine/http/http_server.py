#!/usr/bin/env python3
"""A small HTTP/1.1 server on 127.0.0.1 for the HTTP client tests.

Usage: http_server.py PORT_FILE [LIFETIME_SECONDS]
Listens on a free port, writes the port number to PORT_FILE and serves until killed or until the
lifetime runs out. Each path shows one behaviour of a server the client must cope with.
"""
import socket
import socketserver
import sys
import threading
import time

BODY = bytes(i % 251 for i in range(5120))


def header(status, fields):
    lines = ["HTTP/1.1 " + status] + ["%s: %s" % f for f in fields]
    return ("\r\n".join(lines) + "\r\n\r\n").encode("ascii")


class Handler(socketserver.BaseRequestHandler):
    def read_request(self):
        data = b""
        self.request.settimeout(10)
        while b"\r\n\r\n" not in data:
            chunk = self.request.recv(4096)
            if not chunk:
                break
            data += chunk
        return data

    def handle(self):
        request = self.read_request()
        try:
            path = request.split(b" ")[1].decode("latin-1")
        except IndexError:
            return
        s = self.request
        if path == "/echo":
            s.sendall(header("200 OK", [("Content-Length", len(request))]) + request)
        elif path == "/file":
            s.sendall(header("200 OK", [("Content-Type", "application/octet-stream"),
                                        ("Content-Length", len(BODY))]) + BODY)
        elif path == "/missing":
            body = b"<html>not here</html>"
            s.sendall(header("404 Not Found", [("Content-Length", len(body))]) + body)
        elif path == "/longheader":
            fields = [("X-Padding", "p" * 1500), ("Content-Length", 10)]
            s.sendall(header("200 OK", fields) + b"0123456789")
        elif path == "/tightfield":
            s.sendall(b"HTTP/1.1 200 OK\r\nContent-Length:64\r\nX-Long: " + b"V" * 200 + b"\r\n\r\n" + b"x" * 64)
        elif path == "/closeearly":
            s.sendall(header("200 OK", [("Content-Length", 5000)]) + BODY[:100])
        elif path == "/closeinheader":
            s.sendall(b"HTTP/1.1 200 OK\r\nContent-Le")
        elif path == "/silent":
            # Accepts and never answers; lets go after a while so no thread stays for ever.
            time.sleep(15)
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
    port_file = sys.argv[1]
    lifetime = float(sys.argv[2]) if len(sys.argv) > 2 else 600
    server = Server(("127.0.0.1", 0), Handler)
    with open(port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    import os
    os.replace(port_file + ".tmp", port_file)
    threading.Timer(lifetime, server.shutdown).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
