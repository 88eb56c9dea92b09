#!/usr/bin/python3
# velmora-sim run as a child process over a temporary program folder and asked by pymodbus, a Modbus TCP client no one here wrote: registers by function, 02 elsewhere, writes kept, status counting, where it listens, --offset, --count, --silent, misbehaving clients, signals, usage errors, a taken port.
#
#   test_sim.py [EMULATOR] PROGRAM     (EMULATOR: Wine for velmora-sim.exe)
#
# The Windows build runs the same rows under Wine: Ctrl+C reaches its console
# handler as SIGINT; SIGTERM, which Windows lacks, is a Linux row only.
import os
import signal
import socket
import sys
import tempfile
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
        sim = self.start("Broken", "New", "Typed", "--port", str(self.port))
        for step in range(3):
            self.check_rows("127.0.0.1", self.port + step, [(("r4", 1, 8), [0] * 8)])
        code, out, err = sim.stop()
        self.assertEqual(code, 0, err)
        for name, why in (("Broken", "ParGen.xml"), ("New", "no ParGen.xml"),
                          ("Typed", "ModbusTCPSlave_Start_Read")):
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

    def test_stop_and_failures(self):
        taken = socket.socket()
        taken.bind(("127.0.0.2", self.port))
        taken.listen()
        rows = [
            # arguments, signal (None: ends by itself), exit status, text on standard error
            (["Plant", "--port", str(self.port + 1)], signal.SIGINT, 0, ""),
            (["Pump"], None, 1, "Pump: cannot listen at 127.0.0.2:%d: the port is taken" % self.port),
            (["Nowhere"], None, 1, "nothing could be served"),
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
        taken.close()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
