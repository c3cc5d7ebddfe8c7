#!/usr/bin/env python3
"""Writes the seed corpora of the host targets (fuzz/corpus/snmp/ and
fuzz/corpus/host_input/). The snmp seeds are real datagrams: answers of
net-snmp's snmpd (started here on a free loopback port) and, with
--responder PORT, of pat-host's simulated agent listening on that loopback
port, to the requests the fuzzer checks answers against (request id
0x2A2A2A2A, community "public"), the device ID's Get and a walk's GetNext
and GetBulk; the requests net-snmp's snmpget, snmpwalk and snmpbulkwalk
send; GetResponses to a walk holding each value type; and cut or edited
copies of an answer. The host_input seeds are the tests'
answer captures and device IDs behind the fuzzer's selector byte.
Run as root on a machine with snmpd and snmpget (scripts/test installs them)."""
import argparse
import os
import socket
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, "..", "tests", "host", "fixtures")
PPM = "1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1"
HP = "1.3.6.1.4.1.11.2.3.9.1.1.7.0"
DEVICE_ID = "MFG:Acme;CMD:PJL,PCL;MDL:Model 1;"


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def tlv(tag, content):
    n = len(content)
    if n < 0x80:
        return bytes([tag, n]) + content
    size = n.to_bytes((n.bit_length() + 7) // 8, "big")
    return bytes([tag, 0x80 | len(size)]) + size + content


def integer(v):
    return tlv(0x02, v.to_bytes(max(1, (v.bit_length() + 8) // 8), "big", signed=True))


def oid(text):
    arcs = [int(a) for a in text.split(".")]
    out = bytes([arcs[0] * 40 + arcs[1]])
    for a in arcs[2:]:
        chunk = [a & 0x7F]
        while a > 0x7F:
            a >>= 7
            chunk.insert(0, 0x80 | (a & 0x7F))
        out += bytes(chunk)
    return tlv(0x06, out)


def message(version, pdu_tag, fields, bindings, request_id=0x2A2A2A2A, community=b"public"):
    """bindings: (name, encoded value) pairs; fields: error status and index (GetBulk: its two numbers)."""
    listed = b"".join(tlv(0x30, oid(name) + value) for name, value in bindings)
    pdu = tlv(pdu_tag, integer(request_id) + integer(fields[0]) + integer(fields[1]) + tlv(0x30, listed))
    return tlv(0x30, integer(version) + tlv(0x04, community) + pdu)


def get_request(version, oids, pdu_tag=0xA0, fields=(0, 0)):
    return message(version, pdu_tag, fields, [(o, b"\x05\x00") for o in oids])


def unsigned(tag, v):
    return tlv(tag, v.to_bytes(max(1, (v.bit_length() + 8) // 8), "big"))


def ask(port, datagram, tries=20):
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.settimeout(0.5)
        for _ in range(tries):
            s.sendto(datagram, ("127.0.0.1", port))
            try:
                return s.recv(65536)
            except socket.timeout:
                continue
    raise SystemExit(f"no answer from 127.0.0.1:{port}")


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


QUESTIONS = {  # name: (version, objects)
    "v2c_device_id": (1, [PPM]),
    "v1_device_id": (0, [PPM]),
    "v2c_absent": (1, [HP]),
    "v1_no_such_name": (0, [HP]),
    "v2c_two_objects": (1, [PPM, HP]),
}

# The fuzzer's walk requests: one column or three, GetNext (0xA1) with either
# version, GetBulk (0xA5, v2c) with 4 and 20 repetitions.
SUPPLY_DESCRIPTION = "1.3.6.1.2.1.43.11.1.1.6"
THREE_COLUMNS = ["1.3.6.1.2.1.25.2.2", "1.3.6.1.2.1.43.11.1.1.9", "1.3.6.1.2.1.43.18.1.1.7"]
WALKS = {  # name: (version, PDU tag, GetBulk's non-repeaters and max-repetitions, columns)
    "getnext_v1": (0, 0xA1, (0, 0), [SUPPLY_DESCRIPTION]),
    "getnext_v2c_three": (1, 0xA1, (0, 0), THREE_COLUMNS),
    "getbulk_v2c": (1, 0xA5, (0, 20), [SUPPLY_DESCRIPTION]),
    "getbulk_v2c_three": (1, 0xA5, (0, 4), THREE_COLUMNS),
    "getbulk_v2c_non_repeater": (1, 0xA5, (1, 4), THREE_COLUMNS),
}

# One value of each type, as an agent answers a walk.
TYPED = {
    "integer_negative": integer(-2),
    "octet_string": tlv(0x04, b"Black Toner Cartridge"),
    "null": b"\x05\x00",
    "oid": oid("1.3.6.1.2.1.43.11.1.1.6.1.1"),
    "ip_address": tlv(0x40, bytes([127, 0, 0, 1])),
    "counter32_max": unsigned(0x41, 2**32 - 1),
    "gauge32": unsigned(0x42, 80),
    "timeticks": unsigned(0x43, 360000),
    "counter64_max": unsigned(0x46, 2**64 - 1),
    "end_of_mib_view": b"\x82\x00",
}


def agent_answers(prefix, port, walks=False):
    answers = {}
    for name, (version, oids) in QUESTIONS.items():
        answers[name] = ask(port, get_request(version, oids))
        write("snmp", f"{prefix}_{name}", answers[name])
    for name, (version, pdu_tag, fields, oids) in WALKS.items() if walks else ():
        write("snmp", f"{prefix}_{name}", ask(port, get_request(version, oids, pdu_tag, fields)))
    return answers


def walk_requests():
    for name, (version, pdu_tag, fields, oids) in WALKS.items():
        write("snmp", f"request_{name}", get_request(version, oids, pdu_tag, fields))


def typed_answers():
    """A GetBulk answer holding every type, and a v1 GetNext answer of each type v1 has."""
    rows = [(f"{SUPPLY_DESCRIPTION}.1.{i + 1}", value) for i, value in enumerate(TYPED.values())]
    write("snmp", "typed_getbulk_v2c_every_type", message(1, 0xA2, (0, 0), rows))
    for name, value in TYPED.items():
        if name not in ("counter64_max", "end_of_mib_view"):
            write("snmp", f"typed_getnext_v1_{name}", message(0, 0xA2, (0, 0), [(f"{SUPPLY_DESCRIPTION}.1.1", value)]))


def snmpd_answers(scratch):
    port = free_port()
    conf = os.path.join(scratch, "snmpd.conf")
    with open(conf, "w") as f:
        f.write(f'agentaddress udp:127.0.0.1:{port}\nrocommunity public 127.0.0.1\n'
                f'override {PPM} octet_str "{DEVICE_ID}"\n')
    agent = subprocess.Popen(["snmpd", "-f", "-Lo", "-C", "-c", conf],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        return agent_answers("snmpd", port)
    finally:
        agent.terminate()
        agent.wait()


def netsnmp_requests():
    clients = {"snmpget_v1_request": ["snmpget", "-v", "1"], "snmpget_v2c_request": ["snmpget", "-v", "2c"],
               "snmpwalk_v1_request": ["snmpwalk", "-v", "1"], "snmpbulkwalk_v2c_request": ["snmpbulkwalk", "-v", "2c"]}
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.bind(("127.0.0.1", 0))
        s.settimeout(5)
        for name, command in clients.items():
            objects = [PPM, HP] if command[0] == "snmpget" else ["1.3.6.1.2.1.43"]
            client = subprocess.Popen(command + ["-c", "public", "-m", "", "-t", "0.3", "-r", "0",
                                                 f"127.0.0.1:{s.getsockname()[1]}"] + objects,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            write("snmp", name, s.recv(65536))
            client.wait()


def edited(good):
    write("snmp", "edit_cut_in_half", good[: len(good) // 2])
    write("snmp", "edit_trailing_byte", good + b"\x00")
    write("snmp", "edit_five_byte_length", good[:1] + b"\x85\x00\x00\x00\x00" + bytes([good[1]]) + good[2:])
    at = good.index(b"\x2A\x2A\x2A\x2A")
    write("snmp", "edit_request_id", good[:at] + b"\x2A\x2A\x2A\x2B" + good[at + 4:])
    at = good.index(b"\x2B\x06\x01\x04\x01")
    write("snmp", "edit_oid_overflow", good[:at + 1] + b"\x90\x80\x80\x80" + good[at + 5:])


def host_inputs():
    def fixture(name):
        with open(os.path.join(FIXTURES, name), "rb") as f:
            return f.read()
    office = fixture("office-a4.pjl")
    write("host_input", "pjl_padding", b"\x00" + b"\x00\x00" + office.replace(b"\f", b"\f\x04\x00\x00"))
    write("host_input", "pjl_plain", b"\x00" + fixture("tandem-trays.pjl"))
    long_id = b"MANUFACTURER:Acme;COMMAND SET:PJL,PCL; MODEL :Acme Model 4200;CLASS:PRINTER;"
    write("host_input", "device_id_big_endian", b"\x01" + (len(long_id) + 2).to_bytes(2, "big") + long_id)
    write("host_input", "device_id_little_endian", b"\x01" + (len(long_id) + 2).to_bytes(2, "little") + long_id)
    write("host_input", "device_id_plain_nul", b"\x01" + DEVICE_ID.encode() + b"\x00tail")
    echo = b"@PJL ECHO PATHOST-1\r\n\f"
    write("host_input", "tracker_whole", b"\x02\xFF\x10" + office + echo)
    write("host_input", "tracker_byte_limit", b"\x02\x04\x03" + office)
    write("host_input", "tracker_cut_off", b"\x02\xFF\x3F" + fixture("cut-off-bins.pjl"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--responder", type=int, help="loopback UDP port of a simulated agent")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as scratch:
        answers = snmpd_answers(scratch)
    if args.responder:
        agent_answers("responder", args.responder, walks=True)
    netsnmp_requests()
    walk_requests()
    typed_answers()
    edited(answers["v2c_device_id"])
    host_inputs()


if __name__ == "__main__":
    main()
