#!/usr/bin/env python3
# A slow web server on many loopback addresses, for the external link check's benchmark.
#
# ExternalServer.py [PORT] [HOSTS]: listens on 127.0.0.2 ... 127.0.0.(HOSTS + 1) (HOSTS default
# 50), all on the same port (PORT, or a free one when 0 or not given), and prints the port on
# standard output once every address listens. It speaks a minimal HTTP/1.1 with keep-alive:
# each request (HEAD or GET, any path) is answered 200 with an empty body after 50 ms.
#
# It counts, per address, the connections open at once and the requests in flight at once, and
# keeps their maxima. On SIGTERM it prints them as one line of JSON on standard output and ends;
# a request for /stats is answered with the same JSON, with "open" the connections open now
# (a connection that asks only for /stats is not counted).

import asyncio
import json
import signal
import sys

DELAY = 0.05
FIRST = 2  # 127.0.0.2: 127.0.0.1 is left to everything else


class THostStats:
    def __init__(self):
        self.Open = 0
        self.MaxOpen = 0
        self.InFlight = 0
        self.MaxInFlight = 0
        self.Connections = 0
        self.Requests = 0


Stats = {}


def StatsJson():
    return json.dumps({
        "hosts": len(Stats),
        "maxOpenPerHost": max((S.MaxOpen for S in Stats.values()), default=0),
        "maxInFlightPerHost": max((S.MaxInFlight for S in Stats.values()), default=0),
        "open": sum(S.Open for S in Stats.values()),
        "connections": sum(S.Connections for S in Stats.values()),
        "requests": sum(S.Requests for S in Stats.values()),
        "perHost": {Host: {"maxOpen": S.MaxOpen, "maxInFlight": S.MaxInFlight,
                           "connections": S.Connections, "requests": S.Requests}
                    for Host, S in sorted(Stats.items())},
    }, sort_keys=False)


async def Serve(Host, Reader, Writer):
    S = Stats[Host]
    Counted = False  # a connection that only asks for /stats is not counted
    try:
        while True:
            try:
                Head = await Reader.readuntil(b"\r\n\r\n")
            except (asyncio.IncompleteReadError, asyncio.LimitOverrunError, ConnectionError):
                return
            Lines = Head.decode("latin-1").split("\r\n")
            Parts = Lines[0].split(" ")
            Path = Parts[1] if len(Parts) > 1 else "/"
            Close = any(L.lower().replace(" ", "") == "connection:close" for L in Lines[1:])
            if Path == "/stats":
                Body = StatsJson().encode()
                Writer.write(b"HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                             b"Content-Length: %d\r\n\r\n%s" % (len(Body), Body))
            else:
                if not Counted:
                    Counted = True
                    S.Open += 1
                    S.Connections += 1
                    S.MaxOpen = max(S.MaxOpen, S.Open)
                S.InFlight += 1
                S.Requests += 1
                S.MaxInFlight = max(S.MaxInFlight, S.InFlight)
                try:
                    await asyncio.sleep(DELAY)
                finally:
                    S.InFlight -= 1
                Writer.write(b"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n"
                             + (b"Connection: close\r\n" if Close else b"") + b"\r\n")
            await Writer.drain()
            if Close:
                return
    except ConnectionError:
        pass
    finally:
        if Counted:
            S.Open -= 1
        Writer.close()


async def Main():
    Port = int(sys.argv[1]) if len(sys.argv) > 1 else 0
    Hosts = int(sys.argv[2]) if len(sys.argv) > 2 else 50
    Addresses = ["127.0.0.%d" % (FIRST + I) for I in range(Hosts)]
    for Host in Addresses:
        Stats[Host] = THostStats()
    # The first address picks the port when none is given; the others take the same.
    for Attempt in range(20):
        Servers = []
        try:
            for Host in Addresses:
                Server = await asyncio.start_server(
                    lambda R, W, H=Host: Serve(H, R, W), Host, Port, backlog=256)
                Port = Server.sockets[0].getsockname()[1]
                Servers.append(Server)
            break
        except OSError:
            for Server in Servers:
                Server.close()
            if len(sys.argv) > 1 and int(sys.argv[1]) != 0:
                raise
            Port = 0
    else:
        sys.exit("ExternalServer.py: no port free on every address")
    Stop = asyncio.Event()
    asyncio.get_running_loop().add_signal_handler(signal.SIGTERM, Stop.set)
    asyncio.get_running_loop().add_signal_handler(signal.SIGINT, Stop.set)
    print(Port, flush=True)
    await Stop.wait()
    for Server in Servers:
        Server.close()
    print(StatsJson(), flush=True)


if __name__ == "__main__":
    asyncio.run(Main())
