#!/usr/bin/env bash
# Runs a Quake II command line the way the real-server test needs it: in a
# network namespace of its own with only loopback, as the unprivileged user
# nobody, for a few seconds at most. Standard input holds console commands;
# they go to the server once it is up: at once, or, with a probe port, after
# the server loaded its map and answered a status query on that port, or
# ended without loading one; from then on standard input is passed on as it
# comes, until it ends. With Q2_SANDBOXED set the server shares the caller's
# network namespace, which must then be a loopback-only one of its own.
#   q2sandbox.sh HOME PROBE_PORT COMMAND_LINE
# HOME becomes the server's home (its .yq2 folder holds the game folders).
# Prints the server's output, then "== status ==" with the answer to the
# status query and "== udp ==" with the namespace's UDP sockets.
set -euo pipefail
if [[ -z ${Q2_SANDBOXED:-} ]]; then
    exec env Q2_SANDBOXED=1 unshare --net -- "$0" "$@"
fi
home=$1 port=$2 line=$3
ip link set lo up
chown -R nobody "$home"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkfifo "$work/input"
chmod 755 "$work"
chmod 666 "$work/input"

setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i HOME="$home" PATH=/usr/bin:/bin SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    timeout -k 2 8 sh -c "$line" < "$work/input" > "$work/output" 2>&1 &
server=$!
exec {input}> "$work/input"

status=
if [[ $port != 0 ]]; then
    # The engine opens its port in its first frames after loading the map:
    # ask every quarter of a second until it answers or ends, 6 s at most.
    for _ in $(seq 24); do
        kill -0 "$server" 2> /dev/null || break
        status=$(
            exec 3<> "/dev/udp/127.0.0.1/$port"
            printf '\xff\xff\xff\xffstatus\n' >&3
            timeout 0.25 dd bs=4096 count=1 status=none <&3 2> /dev/null | tr -d '\377'
        ) || true
        [[ -n $status ]] && break
        sleep 0.25
    done
    udp=$(cat /proc/net/udp)
fi
cat >&"$input" 2> /dev/null || true
exec {input}>&-
wait "$server" || true
cat "$work/output"
echo "== status =="
printf '%s\n' "$status"
echo "== udp =="
printf '%s\n' "${udp:-$(cat /proc/net/udp)}"
