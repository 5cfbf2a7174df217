#!/usr/bin/env python3
# The server that the external link check's tests ask: fixed answers per path; /stats tells
# the requests per path and the most served at once. Prints its port.
import json, threading, time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

Lock = threading.Lock()
Stats = {"requests": {}, "most": 0}  # requests per path with query
Serving = 0
Page = '<h2 id="part">Part</h2><p><a name="caf\u00e9">old name</a>'


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        global Serving
        if self.path == "/stats":
            return self.reply(200, {}, json.dumps(Stats))
        with Lock:
            Seen = Stats["requests"][self.path] = Stats["requests"].get(self.path, 0) + 1
            Serving += 1
            Stats["most"] = max(Stats["most"], Serving)
        Path = self.path.split("?")[0]
        time.sleep({"/slow": 3, "/delay": 0.2}.get(Path, 0))
        with Lock:
            Serving -= 1  # before the client hears the answer and may start another request
        self.reply(*{
            "/ok": (200, {}), "/slow": (200, {}), "/delay": (200, {}),
            "/moved": (301, {"Location": "/ok"}), "/found": (302, {"Location": "/ok"}),
            "/loop": (302, {"Location": "/loop"}),
            "/nohead": (405 if self.command == "HEAD" else 200, {}),
            "/busy": (429, {"Retry-After": "1"}) if Seen == 1 else (200, {}),
            "/page": (200, {"Content-Type": "text/html"}, Page),
        }.get(Path, (404, {})))

    do_HEAD = do_GET

    def reply(self, Status, Headers, Body="x" * 100000):
        try:
            self.send_response(Status)
            Body = Body.encode()
            for Name, Value in {**Headers, "Content-Length": str(len(Body))}.items():
                self.send_header(Name, Value)
            self.end_headers()
            if self.command == "GET":
                self.wfile.write(Body)
        except OSError:
            pass  # the client gave up


Server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(Server.server_address[1], flush=True)
Server.serve_forever()
