#!/usr/bin/env python3
"""The demo service on localhost: the public site the connectivity probe opens (HTTP), and over
HTTPS (self-signed certificate made on first start) the web application the program shows under
/Quirel/ and the update service that offers a newer version and hands out the demo installer.

For the tests, GET /control?offer=V&fault=F on the plain port changes the offer and makes the
service misbehave as a broken or hostile network would (see FAULTS); GET /control/events returns
what the service saw of the program's connections, one line each."""
import argparse
import http.server
import os
import socket
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

FAULTS = {
    "": "none",
    "probe-silent": "the probe site accepts and never answers",
    # The check's faults spare the connectivity probe, which asks the service's address first.
    "check-trickle-head": "the update answer's head arrives one byte every TRICKLE_SECONDS",
    "check-trickle-body": "the update answer's body arrives one byte every TRICKLE_SECONDS",
    "check-interim-flood": "the update service answers with 100 Continue without end",
    "check-garbage-tls": "after the probe, the secure port answers the TLS greeting in plain HTTP",
    "download-stall": "the installer's first 64 KiB of 1 MiB arrive, then nothing",
    "download-cut": "the installer's first 64 KiB of 1 MiB arrive, then the connection closes",
    "download-empty": "the installer is an empty body",
    "download-late": "the installer's answer starts after LATE_SECONDS",
}
TRICKLE_SECONDS = 2.0
LATE_SECONDS = 3.0
# How long a misbehaving answer holds its connection at most.
HOLD_SECONDS = 300.0
FAULT_BODY_LENGTH = 1024 * 1024
FAULT_BODY_SENT = 64 * 1024

state_lock = threading.Lock()
# What the service saw since the last change of fault: (generation, text).
events = []
generation = 0
# The connectivity probe has asked the update service's address since the fault was set.
probe_served = threading.Event()


def current_generation():
    with state_lock:
        return generation


def record(text, since=None):
    """Records an event of the fault set at `since` (a generation; default: the current one);
    events of an earlier fault, such as a connection given up late, are dropped."""
    with state_lock:
        if since is None or since == generation:
            events.append(text)
    sys.stderr.write("demo: event: %s\n" % text)


def hold(connection, started, what, since):
    """Keeps a connection open without answering until the client gives up (or HOLD_SECONDS);
    records how long the client waited."""
    connection.settimeout(1.0)
    while time.monotonic() - started < HOLD_SECONDS:
        try:
            if not connection.recv(4096):
                break
        except socket.timeout:
            continue
        except (OSError, ssl.SSLError):
            break
    record("%s: the client closed after %.1f s" % (what, time.monotonic() - started), since)


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

    def fault(self):
        return self.options.fault

    def control(self, url):
        if url.path == "/control/events":
            with state_lock:
                body = "".join(line + "\n" for line in events)
            self.answer(200, body.encode("utf-8"))
            return
        query = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        fault = query.get("fault", [""])[0]
        if fault not in FAULTS:
            self.answer(400, ("unknown fault %r\n" % fault).encode("utf-8"))
            return
        global generation
        with state_lock:
            self.options.offer = query.get("offer", [self.options.offer])[0]
            self.options.fault = fault
            generation += 1
            events.clear()
            probe_served.clear()
        self.answer(200, b"ok\n")

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        secure = isinstance(self.connection, ssl.SSLSocket)
        if url.path.startswith("/control") and not secure:
            self.control(url)
        elif url.path == "/" and not secure and self.fault() == "probe-silent":
            hold(self.connection, time.monotonic(), "probe", current_generation())
            self.close_connection = True
        elif url.path == "/Quirel/update/update-exe.php":
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
        fault = self.fault()
        if not local_version:
            # The connectivity probe (no query): it must pass for the check to go on.
            probe_served.set()
            self.answer(200, body.encode("ascii"))
        elif fault in ("check-trickle-head", "check-trickle-body", "check-interim-flood"):
            self.misbehave(fault, body.encode("ascii"))
        else:
            self.answer(200, body.encode("ascii"))

    def misbehave(self, fault, body):
        """Answers the update check as a broken server would; records when the client gave up."""
        started = time.monotonic()
        since = current_generation()
        self.close_connection = True
        head = ("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: %d\r\n\r\n"
                % len(body)).encode("ascii")
        try:
            if fault == "check-trickle-head":
                self.trickle(head + body, started)
            elif fault == "check-trickle-body":
                head = head.replace(b"Content-Length: %d" % len(body), b"Content-Length: 100000")
                self.wfile.write(head)
                self.trickle(body + b"x" * 100000, started)
            elif fault == "check-interim-flood":
                while time.monotonic() - started < HOLD_SECONDS:
                    self.wfile.write(b"HTTP/1.1 100 Continue\r\n\r\n" * 64)
        except (OSError, ssl.SSLError):
            pass
        record("check: the client closed after %.1f s" % (time.monotonic() - started), since)

    def trickle(self, data, started):
        for i in range(len(data)):
            if time.monotonic() - started > HOLD_SECONDS:
                return
            self.wfile.write(data[i:i + 1])
            self.wfile.flush()
            time.sleep(TRICKLE_SECONDS)

    def installer_name(self):
        return "QuirelSetup-%s.exe" % self.options.offer

    def download(self, name):
        if not self.options.offer or name != self.installer_name():
            self.answer(404, b"not found")
            return
        fault = self.fault()
        if fault == "download-late":
            time.sleep(LATE_SECONDS)
        elif fault == "download-empty":
            self.answer(200, b"", "application/octet-stream")
            record("download: sent 0 bytes")
            return
        elif fault in ("download-stall", "download-cut"):
            started = time.monotonic()
            since = current_generation()
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(FAULT_BODY_LENGTH))
            self.end_headers()
            self.wfile.write(bytes(i % 251 for i in range(FAULT_BODY_SENT)))
            self.wfile.flush()
            self.close_connection = True
            if fault == "download-stall":
                hold(self.connection, started, "download", since)
            else:
                record("download: sent %d bytes" % FAULT_BODY_SENT)
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
        record("download: sent %d bytes" % len(data))


class SecureServer(http.server.ThreadingHTTPServer):
    """HTTPS whose handshakes run in each connection's thread, so a client that stalls in its
    handshake holds up no one else; with the fault check-garbage-tls it answers in plain text."""
    context = None

    def finish_request(self, request, client_address):
        # The connectivity probe asks the update service's address first: what comes after it
        # is the check's own connection.
        if Handler.options.fault == "check-garbage-tls" and probe_served.is_set():
            started = time.monotonic()
            since = current_generation()
            try:
                request.settimeout(10)
                request.recv(4096)
                request.sendall(b"HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n")
            except OSError:
                pass
            hold(request, started, "check", since)
            return
        try:
            request.settimeout(60)
            secure = self.context.wrap_socket(request, server_side=True)
            secure.settimeout(None)
        except (OSError, ssl.SSLError):
            return
        try:
            super().finish_request(secure, client_address)
        finally:
            secure.close()


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
    options.fault = ""
    options.webapp = os.path.realpath(options.webapp)
    os.makedirs(options.state_dir, exist_ok=True)
    Handler.options = options

    cert, key = make_certificate(options.state_dir)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.minimum_version = ssl.TLSVersion.TLSv1_2
    context.load_cert_chain(cert, key)

    plain = http.server.ThreadingHTTPServer(("127.0.0.1", options.http_port), Handler)
    SecureServer.context = context
    secure = SecureServer(("127.0.0.1", options.https_port), Handler)
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
