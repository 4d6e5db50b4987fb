#!/usr/bin/env python3
"""A local Internet-radio server for demonstrations: plays each MP3 file of a folder as an
endless station, the ways real radio servers do.

  /<name>.mp3        plain HTTP, no length, the file over and over
  /icy/<name>.mp3    "ICY 200 OK" with icy-* fields, and title metadata when the player asks
                     for it (Icy-MetaData: 1)
  /<name>.pls        a .pls playlist naming /<name>.mp3
  /<name>.m3u        an .m3u playlist naming /icy/<name>.mp3
  /stream/<any>.mp3  one of the files, the same one for the same name, so that a demo station
                     list can give every station an address of its own
  /                  the list of stations (text)

Only 127.0.0.1. Standard library only.
"""
import argparse
import os
import socketserver
import sys
import threading
import time
import zlib
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

META_INTERVAL = 8192
PIECE = 4096
# Like real servers: a few seconds at once so that players start quickly, then real time.
BURST_SECONDS = 3

# kbit/s of MPEG layer III by [MPEG-1 or not][index].
BITRATES = [[0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0],
            [0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0]]


def bytes_per_second(data):
    """The rate of a constant-bitrate MP3 file, from its first frame header."""
    for i in range(len(data) - 3):
        if data[i] == 0xFF and (data[i + 1] & 0xE6) == 0xE2:
            mpeg1 = (data[i + 1] >> 3) & 3 == 3
            kbps = BITRATES[0 if mpeg1 else 1][data[i + 2] >> 4]
            if kbps:
                return kbps * 1000 // 8
    return 16000


class Stations:
    def __init__(self, folder):
        self.files = {}
        for entry in sorted(os.listdir(folder)):
            if entry.lower().endswith(".mp3"):
                with open(os.path.join(folder, entry), "rb") as f:
                    data = f.read()
                if data:
                    self.files[entry[:-4]] = (data, bytes_per_second(data))


class Handler(BaseHTTPRequestHandler):
    server_version = "TrebanixStreamServer/1"
    protocol_version = "HTTP/1.0"

    def log_message(self, fmt, *args):
        if self.server.verbose:
            sys.stderr.write("%s %s\n" % (self.address_string(), fmt % args))

    def base(self):
        host = self.headers.get("Host") or "127.0.0.1:%d" % self.server.server_address[1]
        return "http://" + host

    def do_GET(self):
        path = self.path.split("?", 1)[0]
        stations = self.server.stations.files
        icy = path.startswith("/icy/")
        name, _, ext = path[5 if icy else 1:].rpartition(".")
        if path == "/":
            return self.reply(200, "text/plain", "".join(
                "%s/%s.mp3\n%s/icy/%s.mp3\n" % (self.base(), n, self.base(), n) for n in stations))
        if path.startswith("/stream/") and ext == "mp3":
            names = sorted(stations)
            chosen = names[zlib.crc32(name.encode("utf-8")) % len(names)]
            return self.stream(chosen, *stations[chosen], False)
        if name not in stations:
            return self.reply(404, "text/plain", "No such station\n")
        if ext == "pls" and not icy:
            return self.reply(200, "audio/x-scpls", "[playlist]\r\nNumberOfEntries=1\r\n"
                              "File1=%s/%s.mp3\r\nTitle1=%s\r\nLength1=-1\r\nVersion=2\r\n"
                              % (self.base(), name, name))
        if ext == "m3u" and not icy:
            return self.reply(200, "audio/x-mpegurl", "#EXTM3U\r\n#EXTINF:-1,%s\r\n%s/icy/%s.mp3\r\n"
                              % (name, self.base(), name))
        if ext == "mp3":
            return self.stream(name, *stations[name], icy)
        return self.reply(404, "text/plain", "No such station\n")

    def reply(self, status, content_type, text):
        body = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def stream(self, name, data, rate, icy):
        metadata = icy and self.headers.get("Icy-MetaData", "").strip() == "1"
        if icy:
            head = "ICY 200 OK\r\nicy-name: %s\r\nicy-genre: Test\r\nicy-br: 128\r\n" % name
            head += "content-type: audio/mpeg\r\n"
            if metadata:
                head += "icy-metaint: %d\r\n" % META_INTERVAL
            self.wfile.write((head + "\r\n").encode("latin-1"))
        else:
            self.send_response(200)
            self.send_header("Content-Type", "audio/mpeg")
            self.send_header("Cache-Control", "no-cache")
            self.end_headers()
        at = 0
        blocks = 0
        piece = META_INTERVAL if metadata else PIECE
        start = time.monotonic()
        sent = 0
        try:
            while not self.server.stopping.is_set():
                ahead = sent / rate - BURST_SECONDS - (time.monotonic() - start)
                if ahead > 0:
                    time.sleep(ahead)
                out = bytearray()
                while len(out) < piece:
                    take = min(piece - len(out), len(data) - at)
                    out += data[at:at + take]
                    at = (at + take) % len(data)
                if metadata:
                    blocks += 1
                    if blocks % 4 == 1:
                        text = ("StreamTitle='%s, block %d';" % (name, blocks)).encode("utf-8")
                        text += b"\0" * (-len(text) % 16)
                        out += bytes([len(text) // 16]) + text
                    else:
                        out += b"\0"
                self.wfile.write(out)
                sent += piece
        except (BrokenPipeError, ConnectionResetError, ConnectionAbortedError):
            pass


def watch_parent(pid, server):
    # Ends with the script that started it, even when that one is killed.
    while True:
        time.sleep(1)
        try:
            os.kill(pid, 0)
        except OSError:
            server.stopping.set()
            server.shutdown()
            return


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--port", type=int, default=0, help="port on 127.0.0.1 (0: a free one)")
    ap.add_argument("--port-file", help="write the port here once listening")
    ap.add_argument("--parent-pid", type=int, help="stop when this process ends")
    ap.add_argument("--dir", default=os.path.join(here, "..", "..", "tests", "data", "audio"),
                    help="folder of the MP3 files to play")
    ap.add_argument("--verbose", action="store_true")
    args = ap.parse_args()

    ThreadingHTTPServer.daemon_threads = True
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.stations = Stations(args.dir)
    server.stopping = threading.Event()
    server.verbose = args.verbose
    if not server.stations.files:
        sys.exit("streamserver: no .mp3 file in " + args.dir)
    port = server.server_address[1]
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write("%d\n" % port)
        os.replace(tmp, args.port_file)
    if args.parent_pid:
        threading.Thread(target=watch_parent, args=(args.parent_pid, server), daemon=True).start()
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.stopping.set()
        server.server_close()


if __name__ == "__main__":
    main()
