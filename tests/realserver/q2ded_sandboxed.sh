#!/usr/bin/env bash
# The program the live-server test gives the tool in place of q2ded: it runs
# the engine named by $Q2DED with the tool's arguments as the user nobody,
# bound to 127.0.0.1, for a minute at most, and refuses to run in any network
# namespace that holds more than loopback. Standard input and output pass
# through, so the tool's console talks to the engine itself; so does the
# line buffering that the tool asks for through stdbuf.
set -euo pipefail
# /proc/net/dev lists the devices of this process's own namespace.
while read -r device _; do
    if [[ $device != lo: ]]; then
        echo "q2ded_sandboxed: the network namespace holds ${device%:}; only loopback is allowed" >&2
        exit 3
    fi
done < <(tail -n +3 /proc/net/dev)
cd "$(dirname "$Q2DED")"
# The engine dies with timeout, however timeout ends.
exec timeout -k 2 "${Q2_TIME_LIMIT:-60}" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups --pdeathsig KILL \
    env -i HOME="$HOME" PATH=/usr/bin:/bin SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    ${LD_PRELOAD:+LD_PRELOAD="$LD_PRELOAD"} ${_STDBUF_O:+_STDBUF_O="$_STDBUF_O"} \
    ${_STDBUF_E:+_STDBUF_E="$_STDBUF_E"} \
    "$Q2DED" +set ip 127.0.0.1 "$@"
