#!/usr/bin/env bash
# Starts or stops a private PipeWire with its pulse server and session manager
# (on a private D-Bus, which the session manager needs to stay up), and one null
# sink ("tessaly_null"), its runtime folder the given one: the benchmarks' second
# sound server. The pulse socket is <folder>/pulse/native.
set -u
action=$1 dir=$2
export XDG_RUNTIME_DIR=$dir PULSE_SERVER=unix:$dir/pulse/native DBUS_SESSION_BUS_ADDRESS=unix:path=$dir/bus
stop() {
  for program in pipewire-pulse wireplumber pipewire dbus-daemon; do
    [ -f "$dir/$program.pid" ] && kill "$(cat "$dir/$program.pid")" 2>/dev/null
  done
  sleep 0.3
  rm -rf "$dir"
}
case $action in
  start)
    stop
    mkdir -p "$dir" && chmod 700 "$dir"
    dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --nofork --nopidfile > "$dir/dbus-daemon.log" 2>&1 &
    echo $! > "$dir/dbus-daemon.pid"
    for program in pipewire wireplumber pipewire-pulse; do
      "$program" > "$dir/$program.log" 2>&1 &
      echo $! > "$dir/$program.pid"
      sleep 0.3
    done
    for _ in $(seq 100); do
      if pactl info >/dev/null 2>&1; then
        pactl load-module module-null-sink sink_name=tessaly_null >/dev/null || break
        # The only sink is the default one; naming it so needs the session
        # manager, which may still be starting.
        for _ in $(seq 20); do pactl set-default-sink tessaly_null 2>/dev/null && break; sleep 0.1; done
        exit 0
      fi
      sleep 0.1
    done
    echo "PipeWire did not start in $dir" >&2; tail -n 5 "$dir"/*.log >&2; exit 1 ;;
  stop) stop ;;
  pids) cat "$dir"/pipewire*.pid "$dir"/wireplumber.pid ;;
esac
