#!/usr/bin/env python3
"""Local HTTP or HTTPS server for the update tests.

Usage: update_server.py ROUTES [CERT KEY]

Listens on 127.0.0.1 on a free port, which it prints as the first line of its output. A request
for /a/b?query answers from the route file ROUTES/a_b.json (missing: 404 with no body):

  status   HTTP status (default 200)
  text     the body as text, or
  body     the name of a file in ROUTES holding the body
  length   the Content-Length announced (default: the body's size; null: no Content-Length, the
           body ends when the connection closes)
  send     how many bytes of the body are sent (default: all)
  then     after sending: "close" (default) or "stall" (keep the connection open, send nothing)
  delay    seconds to wait before answering
  pace     seconds to wait after every 4096 bytes of the body

Every request is appended to ROUTES/requests.log as one JSON line: method, path, content_type, body.
"""
import http.server
import json
import os
import socketserver
import ssl
import sys
import threading
import time

ROUTES = sys.argv[1]
LOG_LOCK = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def record(self, body):
        entry = {"method": self.command, "path": self.path,
                 "content_type": self.headers.get("Content-Type", ""),
                 "body": body.decode("latin-1")}
        with LOG_LOCK, open(os.path.join(ROUTES, "requests.log"), "a") as log:
            log.write(json.dumps(entry) + "\n")

    def answer(self, body_in):
        self.record(body_in)
        name = self.path.split("?")[0].strip("/").replace("/", "_")
        route_file = os.path.join(ROUTES, name + ".json")
        if not name or not os.path.isfile(route_file):
            self.send_response(404)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        with open(route_file) as f:
            route = json.load(f)
        if "body" in route:
            with open(os.path.join(ROUTES, route["body"]), "rb") as f:
                body = f.read()
        else:
            body = route.get("text", "").encode("latin-1")
        time.sleep(route.get("delay", 0))
        self.send_response(route.get("status", 200))
        length = route.get("length", len(body))
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.end_headers()
        body = body[:route.get("send", len(body))]
        pace = route.get("pace", 0)
        for start in range(0, len(body), 4096):
            self.wfile.write(body[start:start + 4096])
            self.wfile.flush()
            time.sleep(pace)
        if route.get("then") == "stall":
            time.sleep(3600)

    def do_GET(self):
        self.answer(b"")

    def do_POST(self):
        size = int(self.headers.get("Content-Length", "0"))
        self.answer(self.rfile.read(size))


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    server = Server(("127.0.0.1", 0), Handler)
    if len(sys.argv) == 4:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(sys.argv[2], sys.argv[3])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
