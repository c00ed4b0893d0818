#!/usr/bin/env bash
# Start-up with the update check against a server that never answers, against
# addresses that refuse at once, and with the check turned off, in one run.
# Each case is a whole start of build/corvane without /cli (which ends after
# the update step today; later the main window opens there), under the
# offscreen platform. Cases alternate run after run, so drift of the machine
# spreads over all of them; the medians and their differences to "off" are
# printed. The silent server is a loopback port whose accept queue is full:
# the kernel drops further connection requests, as a firewall that drops
# packets would, so only the connect timeout ends the wait.
#   bench/update_check_startup.sh           RUNS=5
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS="${RUNS:-5}"
BUILD_DIR="${BUILD_DIR:-build}"

scripts/setup.sh
scripts/build.sh >/dev/null
corvane="$PWD/$BUILD_DIR/corvane"

work="$(mktemp -d "${TMPDIR:-/tmp}/corvane-update-bench.XXXXXX")"
export APPDATA="$work/appdata" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen

python3 - >"$work/port" <<'PY' &
import socket, time
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen(0)
fillers = []
for _ in range(4):
    s = socket.socket()
    s.setblocking(False)
    try:
        s.connect(server.getsockname())
    except BlockingIOError:
        pass
    fillers.append(s)
print(server.getsockname()[1], flush=True)
time.sleep(3600)
PY
hole=$!
trap 'kill "$hole" 2>/dev/null; rm -rf "$work"' EXIT
while [ ! -s "$work/port" ]; do sleep 0.1; done
silent="http://127.0.0.1:$(cat "$work/port")"
refused="http://127.0.0.1:$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')"

names=(off silent refused unroutable)
servers=("" "$silent" "$refused" "http://192.0.2.1")
declare -A times
for ((run = 1; run <= RUNS; run++)); do
  for i in "${!names[@]}"; do
    start=$(date +%s%N)
    CORVANE_UPDATE_SERVER="${servers[$i]}" "$corvane" >/dev/null 2>&1
    end=$(date +%s%N)
    times[${names[$i]}]+="$(((end - start) / 1000000)) "
  done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
off=$(echo "${times[off]}" | median)
printf '%-11s %8s %12s   %s\n' case "median" "minus off" "runs (ms)"
for name in "${names[@]}"; do
  m=$(echo "${times[$name]}" | median)
  printf '%-11s %6s ms %9s ms   %s\n' "$name" "$m" "$((m - off))" "${times[$name]}"
done
