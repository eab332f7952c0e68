#!/usr/bin/env bash
# A private PulseAudio server with one null sink, for measuring or trying Quavix's sound where there is no
# sound device, or without disturbing the desktop's: nothing reaches a speaker, and `parec -d quavix.monitor`
# records what was played. What is played also comes back as the default input, quavix_mic, so listening
# hears it as it would a microphone.
#   scripts/sound-server.sh start FOLDER [MS]  start it in FOLDER (created); prints the PULSE_SERVER address
#   scripts/sound-server.sh stop FOLDER        stop it
# MS is the latency of the stream of silence that keeps the sink awake (default 5). The sink renders in
# pieces of about a seventh of it, and its monitor hands a recording the same pieces: 5 ms keeps playback as
# prompt as a sound card (what the sound tests and benchmarks need), but gives a recording pieces under a
# millisecond, which no microphone does. A sound card's own source, asked for 10 ms as listening asks, wakes
# when half of that has filled (the rest is its safety margin) and hands on pieces of about 5 ms: 34 ms here
# gives the same (measured with a libpulse recorder: 0.8 ms pieces at 5, 1.6 at 10, 3 at 20, 5 at 34).
set -euo pipefail
action=${1:-}
folder=${2:-}
keeper_ms=${3:-5}
if [ -z "$folder" ] || { [ "$action" != start ] && [ "$action" != stop ]; } || ! [[ $keeper_ms =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 start FOLDER [MS] | stop FOLDER" >&2
  exit 2
fi

if [ "$action" = stop ]; then
  # Returns once each has ended (within 5 s): a server still shutting down removes its socket and runtime
  # files while the caller removes the folder, which then fails and is left behind, or under a server started
  # anew in the same folder. A server paused with SIGSTOP takes the signal only once it runs again; one that
  # has ended may linger as a zombie until whoever adopted it reaps it, with nothing of it left to clean up.
  for name in silence server; do
    if [ -f "$folder/$name.pid" ]; then
      pid=$(cat "$folder/$name.pid")
      kill "$pid" 2>/dev/null && kill -CONT "$pid" 2>/dev/null || true
      for _ in $(seq 100); do
        state=$(ps -o stat= -p "$pid" | tr -d ' ') || break
        [ -z "$state" ] || [ "${state#Z}" != "$state" ] && break
        sleep 0.05
      done
    fi
    rm -f "$folder/$name.pid"
  done
  exit 0
fi

command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed" >&2; exit 1; }
mkdir -p "$folder/runtime"
chmod 700 "$folder/runtime"
folder=$(cd "$folder" && pwd)
address=unix:$folder/native
cat >"$folder/server.pa" <<PA
load-module module-native-protocol-unix socket=$folder/native auth-anonymous=1
load-module module-null-sink sink_name=quavix rate=48000 norewinds=1
set-default-sink quavix
load-module module-remap-source master=quavix.monitor source_name=quavix_mic source_properties=device.description=Quavix-microphone
set-default-source quavix_mic
PA
HOME=$folder XDG_RUNTIME_DIR=$folder/runtime XDG_CONFIG_HOME=$folder/config \
  pulseaudio -n -F "$folder/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  --disallow-exit=yes --realtime=no --high-priority=no --log-level=error >"$folder/server.log" 2>&1 &
echo $! >"$folder/server.pid"
for _ in $(seq 100); do
  pactl --server="$address" info >/dev/null 2>&1 && break
  sleep 0.05
done
pactl --server="$address" info >/dev/null 2>&1 || { echo "pulseaudio did not start: $(cat "$folder/server.log")" >&2; exit 1; }
# Qt lists no monitor sources, so the sink's monitor is offered as an ordinary input through a remapped
# source above; norewinds keeps the first milliseconds of each stream played into the sink.
# An idle null sink wakes only every two seconds; a steady stream of silence keeps it as prompt as a card.
pacat --server="$address" --playback --raw --format=s16le --channels=2 --rate=48000 --latency-msec="$keeper_ms" \
  </dev/zero >/dev/null 2>&1 &
echo $! >"$folder/silence.pid"
echo "$address"
