#!/usr/bin/python3
# velmora-sim run as a child process over a temporary program folder and asked by pymodbus, a Modbus TCP client no one here wrote: registers by function, 02 elsewhere, writes kept, status counting, where it listens, --offset, --count, --silent, misbehaving clients, signals, usage errors, a taken port. Raw sockets send what no client library would: frames that lie about their length, odd functions, requests a byte at a time, more connections than it keeps.
#
#   test_sim.py [EMULATOR] PROGRAM     (EMULATOR: Wine for velmora-sim.exe)
#
# The Windows build runs the same rows under Wine: Ctrl+C reaches its console
# handler as SIGINT; SIGTERM, which Windows lacks, is a Linux row only.
import os
import signal
import socket
import struct
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from sim_client import ModbusTcpClient, Sim, ask, free_ports  # noqa: E402

COMMAND = sys.argv[1:]
WINDOWS = COMMAND[-1].lower().endswith(".exe")

# "Pump" listens at its own loopback address; read data 100-107 with its byte
# count next to it at 108 (one stretch of input registers), status word 300
# (input) beside control word 301 (holding), write data 200-207.
PUMP = {"IP1": 127, "IP2": 0, "IP3": 0, "IP4": 2, "Start_Read": 100, "Start_Write": 200,
        "Status_Word": 300, "Control_Word": 301, "Enable_NumByteRX": 1, "NumByteRX": 108}
# "Plant" is at a plant address no test may reach: it listens at --listen.
PLANT = {"IP1": 192, "IP2": 168, "IP3": 0, "IP4": 10, "Port": 502}


# Input register 100 of Pump read, and its answer.
READ = bytes.fromhex("0400640001")
READ_ANSWER = bytes.fromhex("04020000")
CLOSED = "closed"


def frame(tid, pdu, protocol=0, length=None):
    """A Modbus TCP frame for unit 1; length: what its header says instead."""
    return struct.pack(">HHHB", tid, protocol, len(pdu) + 1 if length is None else length, 1) + pdu


def refused(function, code):
    return bytes([function | 0x80, code])


def reply(sock, size, wait=2.0):
    """The next size bytes from sock, what came of them within wait, or CLOSED."""
    sock.settimeout(wait)
    got = b""
    try:
        while len(got) < size:
            more = sock.recv(size - len(got))
            if not more:
                return CLOSED
            got += more
    except ConnectionResetError:
        return CLOSED
    except socket.timeout:
        pass
    return got


def pargen(values):
    return "<Par_Gen>%s</Par_Gen>" % "".join(
        "<ModbusTCPSlave_{0}>{1}</ModbusTCPSlave_{0}>".format(k, v) for k, v in values.items())


class TestSim(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name
        self.port = free_ports(3)
        self.write("Pump", pargen(dict(PUMP, Port=self.port)))
        self.write("Plant", pargen(PLANT))
        self.sims = []

    def tearDown(self):
        for sim in self.sims:
            sim.stop(signal.SIGKILL)
        self.dir.cleanup()

    def write(self, name, text):
        os.makedirs(os.path.join(self.folder, "PROJECTS", name, "bin"), exist_ok=True)
        with open(os.path.join(self.folder, "PROJECTS", name, "ParGen.xml"), "w") as f:
            f.write(text)

    def start(self, *arguments):
        sim = Sim(COMMAND, self.folder, list(arguments))
        self.sims.append(sim)
        return sim

    def check_rows(self, host, port, rows):
        for request, expected in rows:
            with self.subTest(request=request):
                self.assertEqual(ask(host, port, request), expected)

    def test_registers_by_function(self):
        sim = self.start("Pump")
        zeros = lambda n: [0] * n
        self.check_rows("127.0.0.2", self.port, [
            (("r4", 100, 9), zeros(9)),            # read data and byte count, one read
            (("r3", 200, 8), zeros(8)),            # write data
            (("r3", 301, 1), zeros(1)),            # control word
            (("r4", 99, 1), "exception 2"),        # before read data
            (("r4", 100, 10), "exception 2"),      # one past the byte count
            (("r4", 300, 2), "exception 2"),       # 301 is a holding register
            (("r3", 100, 1), "exception 2"),       # an input register by function 03
            (("r4", 200, 1), "exception 2"),       # a holding register by function 04
            (("r3", 208, 1), "exception 2"),       # one past write data
            (("r1", 100, 1), "exception 2"),       # no coils
            (("w6", 100, 5), "exception 2"),       # input registers cannot be written
            (("w16", 207, [1, 2]), "exception 2"), # reaches past write data
            (("r4", 100, 126), "exception 3"),     # more than one read may ask for
            # Writes are kept, also for the next connection.
            (("w16", 200, [11, 12, 13]), "ok"),
            (("w6", 301, 0xBEEF), "ok"),
            (("r3", 200, 4), [11, 12, 13, 0]),
            (("r3", 301, 1), [0xBEEF]),
        ])
        self.assertEqual(ask("127.0.0.1", self.port, ("r4", 100, 1)), "refused",
                         "listens at its own loopback address only")
        code, out, err = sim.stop()
        self.assertEqual(code, 0, err)
        self.assertIn("Pump: listening at 127.0.0.2:%d;" % self.port, out)
        self.assertIn("read data 100-107, status word 300, byte count 108 (input registers); "
                      "write data 200-207, control word 301 (holding registers)", out)
        self.assertTrue(out.endswith("velmora-sim: stopped\n"), out)

    def test_status_word_counts_once_a_second(self):
        self.start("Pump")
        first = ask("127.0.0.2", self.port, ("r4", 300, 1))
        time.sleep(2.5)
        second = ask("127.0.0.2", self.port, ("r4", 300, 1))
        self.assertIn(second[0] - first[0], (2, 3), (first, second))

    def test_options(self):
        # Plant's registers are the defaults: input 0-8, holding 0-8.
        rows = [
            # arguments, where, requests and their answers
            (["Pump", "--offset", "10"], ("127.0.0.2", 0),
             [(("r4", 100, 1), "exception 2"), (("r4", 110, 9), [0] * 9),
              (("r3", 210, 8), [0] * 8), (("r4", 310, 1), [0]), (("r3", 311, 1), [0])]),
            # The control word at 65535, the last address, as the map allows.
            (["Pump", "--offset", "65234"], ("127.0.0.2", 0),
             [(("w6", 65535, 7), "ok"), (("r3", 65535, 1), [7])]),
            (["Pump", "--offset", "-100"], ("127.0.0.2", 0),
             [(("r4", 0, 9), [0] * 9), (("r3", 100, 8), [0] * 8), (("r3", 201, 1), [0])]),
            (["Pump", "--count", "20"], ("127.0.0.2", 0),
             [(("r4", 100, 20), [0] * 20), (("r4", 120, 1), "exception 2"),
              (("r3", 219, 1), [0])]),
            (["Plant", "--port", str(self.port + 1)], ("127.0.0.1", 1),
             [(("r4", 0, 9), [0] * 9), (("r3", 0, 9), [0] * 9), (("r4", 9, 1), "exception 2")]),
            (["--all", "--port", str(self.port), "--listen", "127.0.0.3"], ("127.0.0.3", 0),
             [(("r4", 0, 9), [0] * 9)]),      # Plant, first by name
            (["Pump", "--silent"], ("127.0.0.2", 0), [(("r4", 100, 1), "no answer")]),
        ]
        for arguments, (host, step), requests in rows:
            with self.subTest(arguments=arguments):
                sim = self.start(*arguments)
                self.check_rows(host, self.port + step, requests)
                code, out, err = sim.stop()
                self.assertEqual(code, 0, out + err)
        code, out, err = self.start("--all", "--port", str(self.port)).stop()
        self.assertIn("Pump: listening at 127.0.0.2:%d (configured: 127.0.0.2:%d); "
                      % (self.port + 1, self.port), out)
        self.assertIn("Plant: listening at 127.0.0.1:%d (configured: 192.168.0.10:502); "
                      % self.port, out)

    def test_damaged_or_missing_pargen_serves_defaults(self):
        self.write("Broken", "<Par_Gen><ModbusTCPSlave_Port>")
        os.makedirs(os.path.join(self.folder, "PROJECTS", "New", "bin"))
        self.write("Typed", pargen(dict(PLANT, Start_Read="abc")))
        self.write("Zero", pargen(dict(PLANT, Port=0)))
        sim = self.start("Broken", "New", "Typed", "Zero", "--port", str(self.port))
        for step in range(4):
            self.check_rows("127.0.0.1", self.port + step, [(("r4", 1, 8), [0] * 8)])
        code, out, err = sim.stop()
        self.assertEqual(code, 0, err)
        for name, why in (("Broken", "ParGen.xml"), ("New", "no ParGen.xml"),
                          ("Typed", "ModbusTCPSlave_Start_Read"), ("Zero", "ModbusTCPSlave_Port")):
            self.assertRegex(err, "%s: .*%s.*; serving Set Communication's defaults" % (name, why))

    def test_clients_that_misbehave_stop_no_one(self):
        sim = self.start("Pump", "--count", "125")
        address = ("127.0.0.2", self.port)
        held = ModbusTcpClient(*address, timeout=1, retries=0)
        held.connect()
        vanished = socket.create_connection(address)
        vanished.close()
        garbage = socket.create_connection(address)
        garbage.sendall(bytes(range(256)) * 4)
        half = socket.create_connection(address)     # half a request, then nothing
        half.sendall(b"\x00\x01\x00\x00\x00\x06\x01\x04")
        # Asks for 10 MB of answers and reads none: more than the system
        # buffers hold, so a server that waited to send them would stop.
        deaf = socket.socket()
        deaf.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
        deaf.connect(address)
        deaf.settimeout(20)
        try:
            deaf.sendall(b"\x00\x01\x00\x00\x00\x06\x01\x04\x00\x64\x00\x7d" * 40000)
        except OSError:
            pass    # dropped by the server
        time.sleep(2)   # for the server to come to the answers that do not fit
        started = time.monotonic()
        self.check_rows(*address, [(("r4", 100, 2), [0, 0])])
        self.assertLess(time.monotonic() - started, 1.0)
        self.assertEqual(held.read_holding_registers(200, 1, slave=1).registers, [0])
        for client in (garbage, half, deaf, held):
            client.close()
        code, _, err = sim.stop()
        self.assertEqual(code, 0, err)

    def test_hostile_clients(self):
        self.start("Pump")
        address = ("127.0.0.2", self.port)
        rows = [
            # what, bytes sent at once, the answer (CLOSED: the connection is closed)
            ("another protocol's frame", frame(1, READ, protocol=1) + frame(2, READ),
             frame(2, READ_ANSWER)),
            ("a request inside the length", frame(3, READ + frame(4, READ)), frame(3, refused(4, 3))),
            ("function 07", frame(5, b"\x07"), frame(5, refused(7, 1))),
            ("function 0x81", frame(6, b"\x81" + READ[1:]), frame(6, refused(0x81, 1))),
            ("refused, then one answered", frame(7, b"\x2b\x0e\x01\x00") + frame(8, READ),
             frame(7, refused(0x2b, 1)) + frame(8, READ_ANSWER)),
            ("124 registers written", frame(9, bytes.fromhex("1000c8007cf8") + bytes(248)),
             frame(9, refused(0x10, 3))),
            ("byte count past the frame", frame(10, bytes.fromhex("1000c800020400")),
             frame(10, refused(0x10, 3))),
            ("no function", frame(11, b""), CLOSED),
            ("longer than any request", frame(12, READ, length=2000), CLOSED),
        ]
        for what, sent, answer in rows:
            with self.subTest(what), socket.create_connection(address) as client:
                client.sendall(sent)
                if answer == CLOSED:
                    self.assertEqual(reply(client, 1), CLOSED)
                    continue
                self.assertEqual(reply(client, len(answer)), answer)
                client.sendall(frame(99, READ))
                self.assertEqual(reply(client, 11), frame(99, READ_ANSWER), "kept")

    def test_slow_client_delays_only_itself(self):
        self.start("Pump")
        address = ("127.0.0.2", self.port)
        write = frame(20, bytes.fromhex("1000c8000810") + bytes(range(16)))
        slow = socket.create_connection(address)
        slow.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)

        def trickle():
            for byte in write:
                slow.send(bytes([byte]))
                time.sleep(0.15)
        thread = threading.Thread(target=trickle, daemon=True)
        thread.start()
        while thread.is_alive():
            started = time.monotonic()
            self.assertEqual(ask(*address, ("r4", 100, 1)), [0])
            self.assertLess(time.monotonic() - started, 0.5)
            time.sleep(0.3)
        self.assertEqual(reply(slow, 12), frame(20, bytes.fromhex("1000c80008")))
        slow.close()

    def test_clients_past_the_limit(self):
        self.start("Pump")
        address = ("127.0.0.2", self.port)
        idle = [socket.create_connection(address) for _ in range(16)]
        for client in idle:
            self.addCleanup(client.close)
        time.sleep(0.3)
        with socket.create_connection(address) as newcomer:
            newcomer.sendall(frame(1, READ))
            self.assertEqual(reply(newcomer, 11), frame(1, READ_ANSWER))
        self.assertEqual(reply(idle[0], 1), CLOSED, "the one idle longest gives way")
        idle[1].sendall(frame(2, READ))
        self.assertEqual(reply(idle[1], 11), frame(2, READ_ANSWER))

    @unittest.skipIf(WINDOWS, "Wine's server holds the sockets, not the program")
    def test_out_of_descriptors(self):
        # Its standard streams, Qt's event descriptor and the listener leave
        # room for 11 clients.
        sim = Sim(["bash", "-c", 'ulimit -n 16 && exec "$@"', "bash"] + COMMAND, self.folder, ["Pump"])
        self.sims.append(sim)
        address = ("127.0.0.2", self.port)
        held = [socket.create_connection(address) for _ in range(20)]

        def cpu_seconds():
            with open("/proc/%d/stat" % sim.process.pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        time.sleep(1)
        before = cpu_seconds()
        time.sleep(2)
        self.assertLess(cpu_seconds() - before, 0.2, "spins while it cannot accept")
        for client in held:
            client.close()
        with socket.create_connection(address) as late:
            late.sendall(frame(1, READ))
            self.assertEqual(reply(late, 11, wait=5), frame(1, READ_ANSWER))

    def test_stop_and_failures(self):
        taken = socket.socket()
        taken.bind(("127.0.0.2", self.port))
        taken.listen()
        rows = [
            # arguments, signal (None: ends by itself), exit status, text on standard error
            (["Plant", "--port", str(self.port + 1)], signal.SIGINT, 0, ""),
            (["Pump"], None, 1, "Pump: cannot listen at 127.0.0.2:%d: the port is taken" % self.port),
            (["Nowhere"], None, 1, "Nowhere: no configuration of that name"),
            (["Plant", "Nope", "--port", str(self.port + 1)], None, 1,
             "Nope: no configuration of that name"),
            ([], None, 2, "configuration names or --all"),
            (["Pump", "--all"], None, 2, "configuration names or --all"),
            (["Pump", "--port", "0"], None, 2, "--port takes a number from 1 to 65535"),
            (["Pump", "--count", "126"], None, 2, "--count takes a number from 1 to 125"),
            (["Pump", "--offset", "x"], None, 2, "--offset takes a number"),
            (["Pump", "--listen", "localhost"], None, 2, "--listen takes an IPv4 address"),
            (["--all", "--port", "65535"], None, 2, "goes past port 65535"),
            (["Pump", "--unknown"], None, 2, "velmora-sim --help tells more"),
            (["Pump", "--offset", "65500"], None, 1, "Pump: not served: --offset 65500 moves"),
        ]
        if not WINDOWS:
            rows.append((["Plant", "--port", str(self.port + 1)], signal.SIGTERM, 0, ""))
        for arguments, how, status, said in rows:
            with self.subTest(arguments=arguments, signal=how):
                sim = self.start(*arguments)
                if how is None:
                    sim.process.wait(timeout=60)
                code, out, err = sim.stop(how or signal.SIGINT)
                self.assertEqual(code, status, out + err)
                self.assertIn(said, err)
                if status:
                    self.assertNotIn("listening", out)
        taken.close()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
