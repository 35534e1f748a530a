#!/usr/bin/env python3
"""The demo service on localhost: the public site the connectivity probe opens (HTTP), and over
HTTPS (self-signed certificate made on first start) the web application the program shows under
/Quirel/ and the update service that offers a newer version and hands out the demo installer."""
import argparse
import http.server
import os
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

WEBAPP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "webapp")
CONTENT_TYPES = {".html": "text/html; charset=utf-8", ".csv": "text/csv; charset=utf-8"}
# Pages the service is slow to answer, so the loading indicators can be watched.
SLOW_PAGES = {"lenta.html": 3.0}


def parse_version(text):
    try:
        return tuple(int(part) for part in text.split("."))
    except ValueError:
        return ()


def make_certificate(state_dir):
    cert = os.path.join(state_dir, "demo-cert.pem")
    key = os.path.join(state_dir, "demo-key.pem")
    if not (os.path.exists(cert) and os.path.exists(key)):
        subprocess.run(
            ["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
             "-out", cert, "-days", "3650", "-subj", "/CN=localhost",
             "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1",
             "-addext", "basicConstraints=critical,CA:TRUE"],
            check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    options = None

    def log_message(self, fmt, *args):
        sys.stderr.write("demo: %s %s\n" % (self.address_string(), fmt % args))

    def answer(self, status, body, content_type="text/plain; charset=utf-8"):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/Quirel/update/update-exe.php":
            self.update_check(urllib.parse.parse_qs(url.query).get("localver", [""])[0])
        elif url.path.startswith("/Quirel/update/download/"):
            self.download(url.path.rsplit("/", 1)[1])
        elif url.path.startswith("/Quirel/"):
            self.webapp(url.path[len("/Quirel/"):])
        elif url.path == "/":
            self.answer(200, b"<!doctype html><title>Quirel demo</title><p>Quirel demo service</p>",
                        "text/html; charset=utf-8")
        else:
            self.answer(404, b"not found")

    def webapp(self, relative):
        relative = urllib.parse.unquote(relative)
        if relative == "" or relative.endswith("/"):
            relative += "index.html"
        root = self.options.webapp
        path = os.path.realpath(os.path.join(root, relative))
        if not path.startswith(root + os.sep) or not os.path.isfile(path):
            self.answer(404, b"not found")
            return
        time.sleep(SLOW_PAGES.get(relative, 0))
        with open(path, "rb") as f:
            body = f.read()
        extension = os.path.splitext(path)[1]
        self.send_response(200)
        self.send_header("Content-Type", CONTENT_TYPES.get(extension, "application/octet-stream"))
        if relative.startswith("files/"):
            self.send_header("Content-Disposition",
                             'attachment; filename="%s"' % os.path.basename(path))
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def update_check(self, local_version):
        offer = self.options.offer
        if offer and parse_version(offer) > parse_version(local_version):
            body = "SI\r\n%s\r\n%s\r\n" % (offer, self.installer_name())
        else:
            body = "NO\r\n"
        self.answer(200, body.encode("ascii"))

    def installer_name(self):
        return "QuirelSetup-%s.exe" % self.options.offer

    def download(self, name):
        if not self.options.offer or name != self.installer_name():
            self.answer(404, b"not found")
            return
        with open(self.options.installer, "rb") as f:
            data = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        # Slow enough that the progress window can be watched.
        step = max(1, len(data) // 40)
        for start in range(0, len(data), step):
            self.wfile.write(data[start:start + step])
            self.wfile.flush()
            time.sleep(self.options.download_seconds / 40)


def serve(server):
    server.serve_forever()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--http-port", type=int, default=47080)
    parser.add_argument("--https-port", type=int, default=47443)
    parser.add_argument("--state-dir", required=True)
    parser.add_argument("--installer", required=True, help="the demo installer to hand out")
    parser.add_argument("--offer", default="2.2.0.0",
                        help="version the update service offers; empty offers none")
    parser.add_argument("--download-seconds", type=float, default=4.0)
    parser.add_argument("--webapp", default=WEBAPP,
                        help="folder of the web application's pages, served under /Quirel/")
    options = parser.parse_args()
    options.webapp = os.path.realpath(options.webapp)
    os.makedirs(options.state_dir, exist_ok=True)
    Handler.options = options

    cert, key = make_certificate(options.state_dir)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.minimum_version = ssl.TLSVersion.TLSv1_2
    context.load_cert_chain(cert, key)

    plain = http.server.ThreadingHTTPServer(("127.0.0.1", options.http_port), Handler)
    secure = http.server.ThreadingHTTPServer(("127.0.0.1", options.https_port), Handler)
    secure.socket = context.wrap_socket(secure.socket, server_side=True)
    for server in (plain, secure):
        threading.Thread(target=serve, args=(server,), daemon=True).start()
    print("demo: http://localhost:%d/ and https://localhost:%d/Quirel/ (certificate %s), offering %s"
          % (options.http_port, options.https_port, cert, options.offer or "no update"),
          flush=True)
    try:
        while True:
            time.sleep(3600)
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
