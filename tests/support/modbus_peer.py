#!/usr/bin/python3
"""The tests' independent Modbus TCP slave: Debian's pymodbus on 127.0.0.1 at
a free port. Unit 1 serves input registers 0..99 holding 0xA000 + address and
holding registers 0..99 holding 0x5000 + address; any other address answers
exception 02, and a request to another unit gets no answer at all.
Beside it, a port whose queue of connections is full, so that a connect there
times out. Prints "PEER_PORT FULL_PORT" once both listen, then serves until it
is terminated or the program that started it ends."""

import asyncio
import logging
import os
import socket
import sys

from pymodbus.datastore import (ModbusSequentialDataBlock, ModbusServerContext,
                                ModbusSlaveContext)
from pymodbus.server.async_io import ModbusTcpServer

REGISTERS = 100
INPUT_BASE = 0xA000
HOLDING_BASE = 0x5000


def full_port():
    """A listening port that takes no more connections: its backlog is one,
    it never accepts, and connects are made until the kernel drops the next."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(0)
    port = listener.getsockname()[1]
    fillers = []
    for _ in range(16):
        filler = socket.socket()
        filler.settimeout(0.3)
        try:
            filler.connect(("127.0.0.1", port))
        except OSError:
            break
        fillers.append(filler)
    return port, [listener] + fillers


async def serve():
    slave = ModbusSlaveContext(
        ir=ModbusSequentialDataBlock(0, [INPUT_BASE + a for a in range(REGISTERS)]),
        hr=ModbusSequentialDataBlock(0, [HOLDING_BASE + a for a in range(REGISTERS)]),
        zero_mode=True)
    context = ModbusServerContext(slaves={1: slave}, single=False)
    server = ModbusTcpServer(context, address=("127.0.0.1", 0), allow_reuse_address=True)
    task = asyncio.create_task(server.serve_forever())
    await server.serving
    port, kept = full_port()
    print(server.server.sockets[0].getsockname()[1], port, flush=True)
    parent = os.getppid()
    while os.getppid() == parent and not task.done():
        await asyncio.sleep(0.2)
    del kept


logging.disable(logging.CRITICAL)
try:
    asyncio.run(serve())
except KeyboardInterrupt:
    sys.exit(0)
