#!/usr/bin/env bash
# Runs a test program beside the independent Modbus TCP peer (modbus_peer.py,
# Debian's pymodbus) and tells it where the peer listens: VELMORA_MODBUS_PEER
# ("127.0.0.1:PORT") and VELMORA_FULL_PORT (a port where a connect times out).
# A Windows test program under Wine cannot start the Linux peer itself, so the
# same wrapper serves both systems. Where a network namespace can be made
# (root), everything runs inside one of its own: only the loopback is up,
# 127.0.0.2 is unreachable (VELMORA_UNREACHABLE_ADDRESS), and
# VELMORA_OWN_NETWORK=1 lets the test switch echo replies off there. Without
# pymodbus the test runs without VELMORA_MODBUS_PEER and skips what needs it.
#   with_modbus_peer.sh [--wine WINE] TEST_PROGRAM [ARGS...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [[ ${1:-} == --inside ]]; then
    shift
    wine=$1
    shift
    if [[ -n ${VELMORA_OWN_NETWORK:-} ]]; then
        ip link set lo up && ip route add unreachable 127.0.0.2/32 table local || exit 1
        export VELMORA_UNREACHABLE_ADDRESS=127.0.0.2
    fi
    coproc PEER { exec /usr/bin/python3 "$here/modbus_peer.py" 2>&1; }
    if read -r -t 30 peer_port full_port <&"${PEER[0]}" && [[ $peer_port =~ ^[0-9]+$ ]]; then
        export VELMORA_MODBUS_PEER=127.0.0.1:$peer_port VELMORA_FULL_PORT=$full_port
    else
        echo "no Modbus peer: /usr/bin/python3 with pymodbus (python3-pymodbus) could not serve: $peer_port"
    fi
    if [[ -n $wine ]]; then
        "$wine" "$@"
    else
        "$@"
    fi
    status=$?
    [[ -n $wine ]] && "$(dirname "$wine")/wineserver" -k 2>/dev/null
    [[ -n ${PEER_PID:-} ]] && kill "$PEER_PID" 2>/dev/null
    wait
    exit $status
fi

wine=
if [[ ${1:-} == --wine ]]; then
    wine=$2
    shift 2
    # Wine's network calls run in helper processes of its server: the prefix's
    # server is stopped so that one starts inside the namespace for the run.
    "$(dirname "$wine")/wineserver" -k 2>/dev/null
    "$(dirname "$wine")/wineserver" -w
fi
if unshare -n true 2>/dev/null; then
    VELMORA_OWN_NETWORK=1 exec unshare -n bash "$0" --inside "$wine" "$@"
fi
exec bash "$0" --inside "$wine" "$@"
