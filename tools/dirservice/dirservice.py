#!/usr/bin/env python3
"""Local stand-in for the Lumra directory service, for the tests, the benchmark and scripts/run.

Serves, on 127.0.0.1 only, the station-list and account requests and the service's browser
pages. What the station list answers is a scenario (normal, empty, empty-ws, malformed, badfav,
404, 500, slow, redirect, bom, big) or a reply set through the control requests below; every request is
recorded. A reply set for the account check's path stands for a failing service there (a status
500 or 404, or a captive portal's login page served with 200).

Control requests (tests drive the service with them):
  POST /_control/reset                         back to the start state, record emptied
  POST /_control/account?user=U&password=P     adds an account
  POST /_control/scenario?name=N[&count=&categories=&delay_ms=]
  POST /_control/reply?path=P[&status=S&reason=R&delay_ms=D&drip_ms=T&bom=1&length=L&chunked=1
                         &unterminated=1&type=T&file=F&cut=N&endless=E]
                                               body = the reply; reason is the status line's
                                               text; length declares another Content-Length than
                                               the body's; chunked sends it in chunks, without
                                               the last one if unterminated; type is its content
                                               type (text/xml); file names a file of this
                                               machine whose bytes are the body; cut=N sends N
                                               bytes of the body, then over TLS the start of a
                                               record that never ends, and closes the
                                               connection; endless is a reply that never ends:
                                               "header" (header lines for ever), "drip" (a
                                               header a byte per drip_ms, default 20), "trailer"
                                               (the chunked body, then trailer lines for ever)
                                               or "chunkline" (a chunk-size line for ever)
  GET  /_control/requests                      "METHOD TARGET" per line, in arrival order
  GET  /_control/connections                   how many connections other than this one are open,
                                               on every port of the service
  GET  /_control/secure                        "secure=P untrusted=P silent=P unaccepting=P
                                               expired=P selfsigned=P address=P fetching=P": the
                                               ports of the same service over TLS (certificate for
                                               "localhost" from the test root), of the same with
                                               one from an unknown root that it does not send, of
                                               one that accepts and never answers a TLS greeting,
                                               of one whose queue is full, so no connection to it
                                               completes, and of the service with an expired
                                               certificate, a self-signed one, one for the address
                                               127.0.0.1, and one whose issuer it does not send
                                               but names at the silent port
  GET  /_control/root                          the test root certificate (PEM), made at start
  POST /_control/quit                          stops the service
"""
import argparse
import html
import os
import select
import shutil
import socket
import ssl
import sys
import tempfile
import threading
import time
import xml.etree.ElementTree as ET
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qsl, quote, urlsplit

import certificates

LIST_PATH = "/files/video/radioserver30.html"
ACCOUNT_PATH = "/files/video/recserver20.html"
EDIT_PAGES = ["/video/editradiostations.html", "/video/bestradiostation.html",
              "/video/recentlyadded.html", "/video/myconfig.html"]
LINK_PAGES = ["/", "/qsradio30.html", "/qs-best-radio30.html", "/qs-recent.html",
              "/suggest30.html", "/qs-broken.html", "/lumraradiosubscribe.html"]
ATTRIBUTES = ["Name", "StreamURL", "WebsiteURL", "PlaylistURL", "LogoURL", "FavoriteOrder",
              "Category", "Country"]


# Where the demo stations' streams are served (the local stream server), when not by this service.
STREAM_BASE = None


def station(base, name, category, favorite="-1", country="", **extra):
    streams = STREAM_BASE or base
    s = {"Name": name, "StreamURL": f"{streams}/stream/{quote(name, safe='')}.mp3",
         "WebsiteURL": f"{base}/site.html", "PlaylistURL": f"{base}/playlist.html",
         "LogoURL": f"{base}/logo.png", "FavoriteOrder": favorite, "Category": category,
         "Country": country}
    s.update(extra)
    return {k: v for k, v in s.items() if v is not None}


def normal_stations(base):
    """Categories that are not adjacent, favourites "0", "5" and "-3", a station without a
    category, "Rock" and "rock", non-ASCII letters and every XML special character."""
    return [
        station(base, "Radio Paradise", "Rock", "0", "USA"),
        station(base, "Jazz & Blues <24/7>", "Jazz", "-1", "France"),
        station(base, "Café \"Müller\" 'Öl'", "Rock", "-1", "Deutschland"),
        station(base, "lower rock", "rock", "5", "UK"),
        station(base, "Uncategorised", None, "-1", ""),
        station(base, "Smooth Jazz", "Jazz", "-3", "USA"),
        station(base, "Classic Rock FM", "Rock", "-1", "UK",
                StreamURL=f"{STREAM_BASE or base}/stream/classic.mp3?a=1&b=<2>"),
    ]


def big_stations(base, count, categories):
    out = []
    for i in range(count):
        out.append(station(base, f"Station {i} & <{i % 7}>", f"Category {i % categories}",
                           str(i % 10) if i % 10 < 3 else "-1", "Country"))
    return out


def stations_xml(stations):
    root = ET.Element("Stations")
    for s in stations:
        el = ET.SubElement(root, "Station")
        for name in ATTRIBUTES:
            if name in s:
                el.set(name, s[name])
    return b'<?xml version="1.0" encoding="UTF-8"?>\r\n' + ET.tostring(root, encoding="utf-8",
                                                                        xml_declaration=False)


class Reply:
    def __init__(self, body=b"", status=200, delay_ms=0, drip_ms=0, content_type="text/xml",
                 location=None, length=None, chunked=False, unterminated=False, reason=None,
                 cut=None, endless=None):
        self.body, self.status, self.delay_ms, self.drip_ms = body, status, delay_ms, drip_ms
        self.content_type, self.location = content_type, location
        self.length, self.chunked, self.unterminated = length, chunked, unterminated
        self.reason, self.cut, self.endless = reason, cut, endless


# An endless reply stops here at the latest, whatever the client does.
ENDLESS_SECONDS = 120
ENDLESS_BYTES = 256 * 1024 * 1024


class State:
    def __init__(self, demo):
        self.lock = threading.Lock()
        self.demo = demo
        self.reset()

    def reset(self):
        with self.lock:
            self.accounts = {"demo": "demo"} if self.demo else {}
            self.scenario = ("normal", {})
            self.overrides = {}
            self.requests = []


def scenario_reply(state, base):
    name, params = state.scenario
    delay = int(params.get("delay_ms", "0"))
    if name == "normal":
        return Reply(stations_xml(normal_stations(base)), delay_ms=delay)
    if name == "big":
        # Made once per scenario: the benchmark times the transfer, not this service.
        if "_body" not in params:
            params["_body"] = stations_xml(big_stations(base, int(params.get("count", "10000")),
                                                        int(params.get("categories", "200"))))
        return Reply(params["_body"])
    if name == "empty":
        return Reply(b"0")
    if name == "empty-ws":
        return Reply(b" 0\r\n")
    if name == "malformed":
        return Reply(b'<?xml version="1.0"?><Stations><Station Name="cut')
    if name == "badfav":
        return Reply(stations_xml([station(base, "Bad", "Rock", "abc")]))
    if name == "404":
        return Reply(b"not found", status=404, content_type="text/plain")
    if name == "500":
        return Reply(b"server error", status=500, content_type="text/plain")
    if name == "slow":
        return Reply(stations_xml(normal_stations(base)), delay_ms=delay or 30000)
    if name == "redirect":
        # Sends the client back to where it came from, for ever.
        return Reply(b"moved", status=302, content_type="text/plain", location=LIST_PATH + "?loop=1")
    if name == "bom":
        return Reply(b"\xef\xbb\xbf" + stations_xml(normal_stations(base)))
    return Reply(b"unknown scenario", status=500, content_type="text/plain")


def page(title, body):
    return (f"<html><head><title>{html.escape(title)}</title></head><body>"
            f"<h1>{html.escape(title)}</h1>{body}</body></html>").encode("utf-8")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "LumraTest/1.0"

    def log_message(self, fmt, *args):
        pass

    @property
    def state(self):
        return self.server.state

    def base(self):
        if self.server.secure:
            return f"https://localhost:{self.server.server_address[1]}"
        return f"http://127.0.0.1:{self.server.server_address[1]}"

    def handle(self):
        # Counted while the connection lasts, so that tests see whether a client really let go.
        with self.server.connections:
            try:
                super().handle()
            except (OSError, ssl.SSLError):
                pass  # a client that gave up in the middle of the handshake

    def client_gone(self, seconds):
        """Waits up to seconds; True as soon as the client has closed the connection."""
        end = time.monotonic() + seconds
        while True:
            left = end - time.monotonic()
            if left <= 0:
                return False
            readable, _, _ = select.select([self.connection], [], [], min(left, 0.05))
            if readable:
                try:
                    if not self.connection.recv(1, socket.MSG_PEEK):
                        return True
                except OSError:
                    return True
                time.sleep(min(left, 0.05))

    def do_GET(self):
        self.handle_request("GET")

    def do_POST(self):
        self.handle_request("POST")

    def handle_request(self, method):
        self.server.last_request = time.monotonic()
        try:
            length = int(self.headers.get("Content-Length") or 0)
            body = self.rfile.read(length) if length > 0 else b""
            url = urlsplit(self.path)
            query = dict(parse_qsl(url.query, keep_blank_values=True))
            if url.path.startswith("/_control/"):
                self.send(self.control(url.path, query, body))
                return
            with self.state.lock:
                self.state.requests.append(f"{method} {self.path}")
                override = self.state.overrides.get(url.path)
            self.send(override or self.route(url.path, query))
        except (BrokenPipeError, ConnectionResetError):
            pass

    def control(self, path, query, body):
        st = self.state
        if path == "/_control/reset":
            st.reset()
        elif path == "/_control/account":
            with st.lock:
                st.accounts[query.get("user", "")] = query.get("password", "")
        elif path == "/_control/scenario":
            with st.lock:
                st.scenario = (query.get("name", "normal"), query)
        elif path == "/_control/reply":
            if query.get("bom") == "1":
                body = b"\xef\xbb\xbf" + body
            length = query.get("length")
            if query.get("file"):
                with open(query["file"], "rb") as f:
                    body = f.read()
            with st.lock:
                st.overrides[query.get("path", LIST_PATH)] = Reply(
                    body, int(query.get("status", "200")), int(query.get("delay_ms", "0")),
                    int(query.get("drip_ms", "0")), content_type=query.get("type", "text/xml"),
                    length=int(length) if length else None,
                    chunked=query.get("chunked") == "1",
                    unterminated=query.get("unterminated") == "1", reason=query.get("reason"),
                    cut=int(query["cut"]) if query.get("cut") else None,
                    endless=query.get("endless"))
        elif path == "/_control/quit":
            threading.Thread(target=self.server.shutdown, daemon=True).start()
        elif path == "/_control/connections":
            text = f"{self.server.connections.count() - 1}\n"
            return Reply(text.encode("utf-8"), content_type="text/plain")
        elif path in ("/_control/secure", "/_control/root") and not self.server.secure_ready.wait(60):
            return Reply(b"the test certificates are not made yet", 503, content_type="text/plain")
        elif path in ("/_control/secure", "/_control/root") and self.server.secure_ready.error:
            return Reply(self.server.secure_ready.error.encode("utf-8"), 503, content_type="text/plain")
        elif path == "/_control/secure":
            ports = self.server.secure_ports
            text = " ".join(f"{k}={ports[k]}" for k in SECURE_CASES)
            return Reply(text.encode("utf-8"), content_type="text/plain")
        elif path == "/_control/root":
            return Reply(self.server.secure_ready.root, content_type="text/plain")
        elif path == "/_control/requests":
            with st.lock:
                text = "".join(r + "\n" for r in st.requests)
            return Reply(text.encode("utf-8"), content_type="text/plain")
        else:
            return Reply(b"unknown control", 404, content_type="text/plain")
        return Reply(b"ok", content_type="text/plain")

    def known(self, query, user_key, password_key):
        with self.state.lock:
            user = query.get(user_key)
            return user in self.state.accounts and self.state.accounts[user] == query.get(password_key)

    def route(self, path, query):
        base = self.base()
        if path == LIST_PATH:
            if query.get("loop") == "1":
                with self.state.lock:
                    return scenario_reply(self.state, base)
            if not self.known(query, "user", "password"):
                return Reply(b"0")
            with self.state.lock:
                return scenario_reply(self.state, base)
        if path == ACCOUNT_PATH:
            return Reply(b"1" if self.known(query, "user", "password") else b"0",
                         content_type="text/plain")
        if path == "/qs-rate-radio30.html":
            return Reply(page("Rate a station", "<p id='stream'>" + html.escape(
                query.get("stream_url", "")) + "</p>"), content_type="text/html")
        if path in LINK_PAGES:
            links = "".join(f"<p><a href='{p}'>{p}</a></p>" for p in EDIT_PAGES)
            return Reply(page(path, links), content_type="text/html")
        if path in EDIT_PAGES:
            return Reply(page(path, "<p>Saved.</p>"), content_type="text/html")
        return Reply(b"not found", 404, content_type="text/plain")

    def send(self, reply):
        self.close_connection = True
        if reply.delay_ms and self.client_gone(reply.delay_ms / 1000.0):
            return
        if reply.endless:
            self.send_endless(reply)
            return
        self.send_response(reply.status, reply.reason)
        ctype = reply.content_type
        self.send_header("Content-Type", ctype if ctype.startswith("audio/") else f"{ctype}; charset=utf-8")
        if reply.chunked:
            self.send_header("Transfer-Encoding", "chunked")
        else:
            length = len(reply.body) if reply.length is None else reply.length
            self.send_header("Content-Length", str(length))
        self.send_header("Cache-Control", "no-cache")
        if reply.location:
            self.send_header("Location", reply.location)
        self.send_header("Connection", "close")
        self.end_headers()
        if reply.chunked:
            self.send_chunks(reply.body)
            if not reply.unterminated:
                self.wfile.write(b"0\r\n\r\n")
        elif reply.cut is not None:
            self.wfile.write(reply.body[:reply.cut])
            self.wfile.flush()
            self.cut_record()
        elif reply.drip_ms:
            for i in range(len(reply.body)):
                self.wfile.write(reply.body[i:i + 1])
                self.wfile.flush()
                if self.client_gone(reply.drip_ms / 1000.0):
                    return
        else:
            self.wfile.write(reply.body)

    def send_chunks(self, body):
        for i in range(0, len(body), 100):
            piece = body[i:i + 100]
            self.wfile.write(b"%x\r\n" % len(piece) + piece + b"\r\n")

    def cut_record(self):
        """Over TLS: the header of a record of 16 kB and a little of it, written past the
        secure session onto the connection, which then closes without the session's end."""
        self.wfile.flush()
        if self.server.secure:
            os.write(self.connection.fileno(), b"\x17\x03\x03\x40\x00" + b"\x00" * 100)
        self.connection.shutdown(socket.SHUT_RDWR)

    def send_endless(self, reply):
        """A reply that never ends, until the client goes or the service's own bound."""
        chunked = reply.endless in ("trailer", "chunkline")
        head = b"HTTP/1.1 200 OK\r\nContent-Type: %s\r\n" % reply.content_type.encode()
        if chunked:
            head += b"Transfer-Encoding: chunked\r\n\r\n"
        self.wfile.write(head)
        if reply.endless == "trailer":
            self.send_chunks(reply.body)
            self.wfile.write(b"0\r\n")
        elif reply.endless == "chunkline":
            self.wfile.write(b"5;x=")
        elif reply.endless == "drip":
            self.wfile.write(b"X-Drip: ")
        self.wfile.flush()
        piece = {"header": b"X-Filler: %s\r\n" % (b"h" * 50), "trailer": b"X-Trailer: %s\r\n" % (b"t" * 50),
                 "chunkline": b"x" * 64, "drip": b"d"}[reply.endless]
        end = time.monotonic() + ENDLESS_SECONDS
        sent = 0
        while time.monotonic() < end and sent < ENDLESS_BYTES:
            self.wfile.write(piece)
            self.wfile.flush()
            sent += len(piece)
            if reply.endless == "drip" and self.client_gone((reply.drip_ms or 20) / 1000.0):
                return


# The TLS ports in the order /_control/secure names them; those that serve with a certificate
# are named after it (certificates.py).
SECURE_CASES = ("secure", "untrusted", "silent", "unaccepting", "expired", "selfsigned", "address",
                "fetching")


class Connections:
    """Connections open on every port of the service; entered for the life of one."""

    def __init__(self):
        self.lock = threading.Lock()
        self.open = 0

    def __enter__(self):
        with self.lock:
            self.open += 1

    def __exit__(self, *exc):
        with self.lock:
            self.open -= 1

    def count(self):
        with self.lock:
            return self.open


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    secure = False


class SecureServer(Server):
    """The same service over TLS; the handshake runs in the connection's own thread."""
    secure = True

    def __init__(self, address, handler, certificate):
        super().__init__(address, handler)
        self.context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        self.context.load_cert_chain(certificate)

    def get_request(self):
        sock, address = super().get_request()
        # Not here: the handshake comes with the first read, in the connection's thread.
        return self.context.wrap_socket(sock, server_side=True, do_handshake_on_connect=False), address


def serve_silently(listener, connections):
    """Accepts and reads whatever comes, never answering, until the client closes."""
    def hold(conn):
        with connections, conn:
            try:
                while conn.recv(4096):
                    pass
            except OSError:
                pass

    while True:
        conn, _ = listener.accept()
        threading.Thread(target=hold, args=(conn,), daemon=True).start()


def start_secure(server, ports, ready):
    """The TLS ports, with certificates made for this run: the plain service answers at once,
    and a request for the secure ports or the root waits until they are there. A failure to
    make them is kept and told to those requests at once, instead of a wait and a bare error."""
    ready.error = None
    try:
        make_secure(server, ports, ready)
    except Exception as e:  # told to every request for the secure ports
        ready.error = f"the test certificates could not be made: {e}"
    finally:
        ready.set()


def make_secure(server, ports, ready):
    folder = tempfile.mkdtemp(prefix="dirservice-")
    try:
        paths = certificates.make(folder, f"http://127.0.0.1:{ports['silent']}/issuer.crt")
        with open(paths["root"], "rb") as f:
            ready.root = f.read()
        secures = {case: SecureServer(("127.0.0.1", 0), Handler, paths[case])
                   for case in SECURE_CASES if case in paths}
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    ports.update({case: s.server_address[1] for case, s in secures.items()})
    for s in secures.values():
        s.state, s.connections, s.secure_ports = server.state, server.connections, ports
        s.secure_ready = ready
        s.last_request = time.monotonic()
        threading.Thread(target=s.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True).start()


def unaccepting_port():
    """A listener whose queue its own connections fill: every other connection attempt is
    dropped before it completes, as by a server that never accepts."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(0)
    fillers = []
    for _ in range(3):
        s = socket.socket()
        s.setblocking(False)
        try:
            s.connect(listener.getsockname())
        except BlockingIOError:
            pass
        fillers.append(s)
    return listener, fillers


def watch(server, pid, idle_seconds):
    # Never outlive whoever started us, whatever way it ended: stop when that process is gone,
    # or, for a Windows program under Wine (which cannot tell us its Unix pid), when nobody has
    # asked anything for a while.
    while True:
        time.sleep(0.5)
        gone = False
        if pid is not None:
            try:
                os.kill(pid, 0)
            except OSError:
                gone = True
        if idle_seconds and time.monotonic() - server.last_request > idle_seconds:
            gone = True
        if gone:
            threading.Thread(target=server.shutdown, daemon=True).start()
            return


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--port", type=int, default=0, help="0 picks a free port")
    ap.add_argument("--port-file", help="write the port number here once listening")
    ap.add_argument("--demo", action="store_true", help="known account demo/demo")
    ap.add_argument("--stream-base", help="base address of the server of the stations' streams")
    ap.add_argument("--parent-pid", type=int, help="stop when this process is gone")
    ap.add_argument("--idle-exit", type=float, default=0,
                    help="stop after this many seconds without a request")
    args = ap.parse_args()
    global STREAM_BASE
    STREAM_BASE = args.stream_base

    server = Server(("127.0.0.1", args.port), Handler)
    silent = socket.create_server(("127.0.0.1", 0))
    unaccepting, fillers = unaccepting_port()
    connections = Connections()
    ports = {"silent": silent.getsockname()[1], "unaccepting": unaccepting.getsockname()[1]}
    state = State(args.demo)
    ready = threading.Event()
    ready.error = None
    server.state, server.connections, server.secure_ports = state, connections, ports
    server.secure_ready = ready
    server.last_request = time.monotonic()
    threading.Thread(target=serve_silently, args=(silent, connections), daemon=True).start()
    threading.Thread(target=start_secure, args=(server, ports, ready), daemon=True).start()
    port = server.server_address[1]
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(f"{port}\n")
        os.replace(tmp, args.port_file)
    else:
        print(f"PORT {port}", flush=True)
    if args.parent_pid or args.idle_exit:
        threading.Thread(target=watch, args=(server, args.parent_pid, args.idle_exit),
                         daemon=True).start()
    try:
        server.serve_forever(poll_interval=0.2)
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
