#!/usr/bin/env python3
"""A STUN responder for the router test's "internet": it answers every
binding request from the socket it came to, with the address and port the
request came from. miniupnpd forwards ports only for an external address it
believes public; the documentation ranges the test uses are not, unless a
STUN server on the outside confirms the address is reached unfiltered.

stun_responder.py ADDRESS LIFETIME-SECONDS"""
import socket
import struct
import sys
import time

MAGIC_COOKIE = 0x2112A442

server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
server.bind((sys.argv[1], 3478))
end = time.monotonic() + float(sys.argv[2])
print("STUN ready", flush=True)
while time.monotonic() < end:
    server.settimeout(max(0.1, end - time.monotonic()))
    try:
        request, (host, port) = server.recvfrom(2048)
    except socket.timeout:
        break
    if len(request) < 20 or request[0:2] != b"\x00\x01":
        continue
    address = struct.unpack("!I", socket.inet_aton(host))[0] ^ MAGIC_COOKIE
    xor_mapped = struct.pack("!HHBBHI", 0x0020, 8, 0, 1, port ^ (MAGIC_COOKIE >> 16), address)
    answer = struct.pack("!HH", 0x0101, len(xor_mapped)) + request[4:20] + xor_mapped
    server.sendto(answer, (host, port))
