#!/usr/bin/python3
# velmora-sim as a child process and Debian's pymodbus as its client, for the
# tests and the package checks. As a program it checks one program folder:
#   sim_client.py [EMULATOR] PROGRAM FOLDER NAME
# starts PROGRAM (velmora-sim, or velmora-sim.exe through EMULATOR) from
# FOLDER for the configuration NAME, which holds Set Communication's defaults,
# reads its read data (input registers 1-8), stops it with Ctrl+C (SIGINT)
# and exits 0 when all went as it should.
import logging
import os
import random
import selectors
import signal
import socket
import subprocess
import sys
import time

from pymodbus.client import ModbusTcpClient
from pymodbus.pdu import ExceptionResponse

logging.getLogger("pymodbus").setLevel(logging.CRITICAL)


def free_ports(count):
    """count consecutive ports free on 127.0.0.0/8 now."""
    while True:
        base = random.randint(20000, 60000)
        try:
            for port in range(base, base + count):
                for host in ("127.0.0.1", "127.0.0.2", "127.0.0.3"):
                    with socket.socket() as s:
                        s.bind((host, port))
            return base
        except OSError:
            continue


def ask(host, port, request):
    """One request on a connection of its own: the registers read, "ok" for a
    write, "exception N", or "no answer"."""
    kind, address, what = request
    client = ModbusTcpClient(host, port=port, timeout=1, retries=0)
    try:
        if not client.connect():
            return "refused"
        call = {"r3": client.read_holding_registers, "r4": client.read_input_registers,
                "r1": client.read_coils, "w6": client.write_register,
                "w16": client.write_registers}[kind]
        reply = call(address, what, slave=1)
    finally:
        client.close()
    if isinstance(reply, ExceptionResponse):
        return "exception %d" % reply.exception_code
    if reply.isError():
        return "no answer"
    return list(reply.registers) if kind in ("r3", "r4") else "ok"


class Sim:
    """A running velmora-sim: its standard output up to the line that says it
    serves, and the rest when it has ended."""

    def __init__(self, command, folder, arguments):
        """command: the program, after its emulator if it has one."""
        if command[-1].lower().endswith(".exe"):
            folder = "Z:" + folder.replace("/", "\\")
        self.process = subprocess.Popen(command + ["--folder", folder] + arguments,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.output = b""
        self.result = None
        # Unbuffered reads: a line read ahead into a buffer would wait in vain.
        with selectors.DefaultSelector() as waiting:
            waiting.register(self.process.stdout, selectors.EVENT_READ)
            deadline = time.monotonic() + 60
            while b"velmora-sim: serving" not in self.output and time.monotonic() < deadline:
                if waiting.select(deadline - time.monotonic()):
                    bytes_read = os.read(self.process.stdout.fileno(), 4096)
                    if not bytes_read:
                        break
                    self.output += bytes_read

    def stop(self, how=signal.SIGINT):
        """Exit status, standard output and standard error after the signal
        ("hung" when it did not end within 30 s)."""
        if self.result:
            return self.result
        if self.process.poll() is None:
            self.process.send_signal(how)
        try:
            out, err = self.process.communicate(timeout=30)
            code = self.process.returncode
        except subprocess.TimeoutExpired:
            self.process.kill()
            out, err = self.process.communicate()
            code = "hung"
        self.result = (code, (self.output + out).decode(), err.decode())
        return self.result



if __name__ == "__main__":
    *command, folder, name = sys.argv[1:]
    port = free_ports(1)
    sim = Sim(command, folder, [name, "--port", str(port)])
    read = ask("127.0.0.1", port, ("r4", 1, 8))
    code, out, err = sim.stop()
    if read != [0] * 8 or code != 0:
        sys.exit("velmora-sim from %s: read %s, exit status %s\n%s%s" % (folder, read, code, out, err))
    print("velmora-sim from %s serves %s at 127.0.0.1:%d and stops on Ctrl+C" % (folder, name, port))
