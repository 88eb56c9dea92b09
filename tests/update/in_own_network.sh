#!/usr/bin/env bash
# Runs a test program under Wine inside a network namespace of its own: only
# the loopback is up and 127.0.0.2 is made unreachable there, so an echo to it
# cannot be sent and nothing can leave the machine. Wine's network calls run
# in helper processes of its server, so the server of the prefix is stopped
# first, one is started inside the namespace for the run and stopped after it.
#   in_own_network.sh WINE TEST_PROGRAM [TEST_FUNCTION...]
set -uo pipefail
wine=$1
shift
export VELMORA_WINESERVER=$(dirname "$wine")/wineserver
"$VELMORA_WINESERVER" -k 2>/dev/null
"$VELMORA_WINESERVER" -w
if ! unshare -n true 2>/dev/null; then
    echo "SKIP: cannot make a network namespace here (needs root)"
    exit 0
fi
exec unshare -n bash -c '
    ip link set lo up && ip route add unreachable 127.0.0.2/32 table local || exit 1
    VELMORA_UNREACHABLE_ADDRESS=127.0.0.2 "$@"
    status=$?
    "$VELMORA_WINESERVER" -k 2>/dev/null
    exit $status' bash "$wine" "$@"
