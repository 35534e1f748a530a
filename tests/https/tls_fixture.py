#!/usr/bin/env python3
"""TLS servers on 127.0.0.1 for the HTTPS client's tests.

Prints one line "ready tls12=P tls13=P tls10=P silent=P full=P ..." once every listener is up, and
runs until its standard input ends (the starting script holds it open) or a time limit passes.
An optional argument names a folder to remove when standard input ends.

tls12/tls13/tls10: HTTPS limited to that one protocol version, self-signed certificate made
with the openssl command at start. Answers by the request target:
  /echo...                 200, body = the request exactly as received
  /sni                     200, body = the server name the client indicated ("" when none)
  /raw/<hex>[?split=N&delay=MS&at=K&abrupt=1]
                           sends the bytes <hex> as they stand (status line and all), N bytes
                           per TLS record with MS milliseconds between records (the first K
                           bytes in one record), then closes with close_notify, or without it
                           when abrupt=1
  /interim-flood           "100 Continue" answers without end (for FLOOD_SECONDS, then closes)
  /big/<n>?framing=length|chunked|close
                           200 with n bytes of the pattern (i * 7 + 3) % 251
  /hang                    reads the request and never answers
silent: accepts TCP connections and never sends a byte.
full:   a listener whose accept queue is kept full, so new connections are never accepted.
plain:  answers the ClientHello with a plain-text HTTP 400, then keeps the connection open.
slowtls: the tls12 server behind a relay that passes the server's bytes on one at a time,
        TRICKLE_SECONDS apart, for at most TRICKLE_LIFETIME seconds (handshake included).
"""

import os
import shutil
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import warnings

LIFETIME_SECONDS = 600
CONNECTION_SECONDS = 30
FLOOD_SECONDS = 10
TRICKLE_SECONDS = 0.25
TRICKLE_LIFETIME = 20


def pattern(n):
    return bytes((i * 7 + 3) % 251 for i in range(n))


def make_certificate(folder):
    cert = os.path.join(folder, "cert.pem")
    key = os.path.join(folder, "key.pem")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
         "-subj", "/CN=localhost", "-keyout", key, "-out", cert],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def context(cert, key, version, sni_names):
    ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    ctx.minimum_version = version
    ctx.maximum_version = version
    if version == ssl.TLSVersion.TLSv1:
        # OpenSSL 3 offers TLS 1.0 only at security level 0.
        ctx.set_ciphers("DEFAULT:@SECLEVEL=0")
    ctx.load_cert_chain(cert, key)

    def remember(sock, name, _ctx):
        sni_names[id(sock)] = name or ""

    ctx.sni_callback = remember
    return ctx


def listener():
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    s.bind(("127.0.0.1", 0))
    return s


def respond(tls, body, content_type="application/octet-stream"):
    head = ("HTTP/1.1 200 OK\r\nContent-Type: %s\r\nContent-Length: %d\r\n\r\n"
            % (content_type, len(body))).encode("ascii")
    tls.sendall(head + body)


def close_tls(tls, notify):
    """close_notify, then the connection stays open until the client closes it, so a client
    that misses close_notify as the end of a body waits into its read time-out."""
    try:
        if notify:
            tls.settimeout(CONNECTION_SECONDS)
            tls.unwrap().close()
            return
    except (OSError, ssl.SSLError):
        pass
    tls.close()


def serve_https(ctx, conn, sni_names):
    conn.settimeout(CONNECTION_SECONDS)
    try:
        tls = ctx.wrap_socket(conn, server_side=True)
    except (OSError, ssl.SSLError):
        conn.close()
        return
    notify = True
    try:
        request = b""
        while b"\r\n\r\n" not in request:
            data = tls.recv(65536)
            if not data or len(request) > 65536:
                return
            request += data
        target = request.split(b"\r\n", 1)[0].split(b" ")[1].decode("latin-1")
        url = urllib.parse.urlsplit(target)
        query = dict(urllib.parse.parse_qsl(url.query))
        if url.path.startswith("/echo"):
            respond(tls, request)
        elif url.path == "/sni":
            respond(tls, sni_names.get(id(tls), "").encode("utf-8"), "text/plain; charset=utf-8")
        elif url.path.startswith("/raw/"):
            data = bytes.fromhex(url.path[len("/raw/"):])
            split = int(query.get("split", "0")) or len(data) or 1
            delay = int(query.get("delay", "0")) / 1000.0
            at = int(query.get("at", "0"))
            if at:
                tls.sendall(data[:at])
            for i in range(at, len(data), split):
                if i and delay:
                    time.sleep(delay)
                tls.sendall(data[i:i + split])
            notify = query.get("abrupt") != "1"
        elif url.path.startswith("/big/"):
            body = pattern(int(url.path[len("/big/"):]))
            framing = query.get("framing", "length")
            if framing == "length":
                respond(tls, body)
            elif framing == "chunked":
                out = [b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"]
                size, i = 1, 0
                while i < len(body):
                    piece = body[i:i + size]
                    out.append(b"%x\r\n" % len(piece) + piece + b"\r\n")
                    i += len(piece)
                    size = size * 3 + 1
                out.append(b"0\r\n\r\n")
                tls.sendall(b"".join(out))
            else:
                tls.sendall(b"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body)
        elif url.path == "/interim-flood":
            interim = b"HTTP/1.1 100 Continue\r\n\r\n" * 64
            end = time.monotonic() + FLOOD_SECONDS
            while time.monotonic() < end:
                tls.sendall(interim)
            notify = False
        elif url.path == "/hang":
            while tls.recv(65536):
                pass
        else:
            tls.sendall(b"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n")
    except (OSError, ssl.SSLError, ValueError, IndexError):
        notify = False
    finally:
        sni_names.pop(id(tls), None)
        close_tls(tls, notify)


def serve_silent(conn):
    conn.settimeout(CONNECTION_SECONDS)
    try:
        while conn.recv(65536):
            pass
    except OSError:
        pass
    finally:
        conn.close()


def serve_plain(conn):
    """What an HTTP server says to a ClientHello; the connection then stays open."""
    conn.settimeout(CONNECTION_SECONDS)
    try:
        conn.recv(65536)
        body = b"<html><body>Bad Request</body></html>"
        conn.sendall(b"HTTP/1.1 400 Bad Request\r\nContent-Type: text/html\r\n"
                     b"Content-Length: %d\r\n\r\n" % len(body) + body)
        while conn.recv(65536):
            pass
    except OSError:
        pass
    finally:
        conn.close()


def serve_trickle(conn, port):
    """Relays to the server at port; its bytes go back one at a time."""
    conn.settimeout(CONNECTION_SECONDS)
    end = time.monotonic() + TRICKLE_LIFETIME
    try:
        upstream = socket.create_connection(("127.0.0.1", port), timeout=CONNECTION_SECONDS)
    except OSError:
        conn.close()
        return

    def forward_requests():
        try:
            while True:
                data = conn.recv(65536)
                if not data:
                    break
                upstream.sendall(data)
        except OSError:
            pass

    threading.Thread(target=forward_requests, daemon=True).start()
    try:
        pending = b""
        while time.monotonic() < end:
            if not pending:
                pending = upstream.recv(65536)
                if not pending:
                    break
            conn.sendall(pending[:1])
            pending = pending[1:]
            time.sleep(TRICKLE_SECONDS)
    except OSError:
        pass
    finally:
        # shutdown first: the relay thread still blocked in recv would keep the connection open.
        for s in (upstream, conn):
            try:
                s.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            s.close()


def accept_loop(sock, handler):
    while True:
        conn, _ = sock.accept()
        threading.Thread(target=handler, args=(conn,), daemon=True).start()


def fill_accept_queue(sock):
    """Listens with a zero backlog and fills the queue with our own connections, so the
    kernel drops every further connection attempt (no answer, no refusal)."""
    sock.listen(0)
    port = sock.getsockname()[1]
    fillers = []
    for _ in range(4):
        s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        s.setblocking(False)
        try:
            s.connect(("127.0.0.1", port))
        except BlockingIOError:
            pass
        fillers.append(s)
    time.sleep(0.2)
    return fillers


def main():
    warnings.simplefilter("ignore", DeprecationWarning)  # TLS 1.0 is offered on purpose
    # The starting script's scratch folder, removed here too in case the script was killed.
    scratch = sys.argv[1] if len(sys.argv) > 1 else None

    def end_with_stdin():
        while sys.stdin.buffer.read(4096):
            pass
        if scratch:
            shutil.rmtree(scratch, ignore_errors=True)
        os._exit(0)

    threading.Thread(target=end_with_stdin, daemon=True).start()
    threading.Timer(LIFETIME_SECONDS, lambda: os._exit(3)).start()

    # The key pair lives on disk only until the contexts have loaded it.
    folder = tempfile.mkdtemp(prefix="quirel-tls-")
    try:
        cert, key = make_certificate(folder)
        if scratch:
            # Tests that go through the system's own HTTPS clients make the prefix trust it.
            shutil.copyfile(cert, os.path.join(scratch, "cert.pem"))
        sni_names = {}
        contexts = {name: context(cert, key, version, sni_names)
                    for name, version in (("tls12", ssl.TLSVersion.TLSv1_2),
                                          ("tls13", ssl.TLSVersion.TLSv1_3),
                                          ("tls10", ssl.TLSVersion.TLSv1))}
    finally:
        shutil.rmtree(folder, ignore_errors=True)

    ports = {}
    keep = []
    for name, ctx in contexts.items():
        sock = listener()
        sock.listen(32)
        ports[name] = sock.getsockname()[1]
        handler = (lambda c, ctx=ctx: serve_https(ctx, c, sni_names))
        threading.Thread(target=accept_loop, args=(sock, handler), daemon=True).start()
        keep.append(sock)
    silent = listener()
    silent.listen(32)
    ports["silent"] = silent.getsockname()[1]
    threading.Thread(target=accept_loop, args=(silent, serve_silent), daemon=True).start()
    plain = listener()
    plain.listen(32)
    ports["plain"] = plain.getsockname()[1]
    threading.Thread(target=accept_loop, args=(plain, serve_plain), daemon=True).start()
    slow = listener()
    slow.listen(32)
    ports["slowtls"] = slow.getsockname()[1]
    threading.Thread(target=accept_loop,
                     args=(slow, lambda c: serve_trickle(c, ports["tls12"])),
                     daemon=True).start()
    full = listener()
    keep.append(fill_accept_queue(full))
    ports["full"] = full.getsockname()[1]

    print("ready " + " ".join("%s=%d" % item for item in ports.items()), flush=True)
    while True:
        time.sleep(3600)


if __name__ == "__main__":
    main()
