#!/usr/bin/env bash
# Builds Quavix in Release and measures it against an empty Qt main window of the same size, measures it
# again with sound on (through a private PulseAudio null sink, with the small SoundFont), then runs the
# drawing, quiz, MIDI, sound, history and mastery micro-benchmarks. Prints one table, then the figures of
# the simulated learner. Usage: scripts/bench.sh [build-folder]
#   BENCH_RUNS   start-ups timed per program (default 20)
#   BENCH_LONG   idle and quiz runs per program, 11 s each (default 3)
#   BENCH_LISTEN listening runs for each size of input piece, 11 s each (default 5: they move by a tenth)
# Everything runs under its own Xvfb server (24-bit screen) on the xcb platform, as on a desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build/bench}
runs=${BENCH_RUNS:-20}
long=${BENCH_LONG:-3}
listen_runs=${BENCH_LISTEN:-5}

if [ -z "${QUAVIX_BENCH_INNER:-}" ]; then
  scripts/install-deps.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUAVIX_BUILD_TESTS=OFF -DQUAVIX_BUILD_BENCH=ON >/dev/null
  cmake --build "$build" --target quavix_bench empty_window bench_views bench_quiz bench_answer bench_midi bench_progress \
    bench_mastery >/dev/null
  # The sound module and its benchmark exist only where FluidSynth was found.
  if ninja -C "$build" -t targets all | grep -q '^bench_sound:'; then
    cmake --build "$build" --target quavix_sound bench_sound >/dev/null
  fi
  # The listening corpus: notes rendered with both SoundFonts into the build folder. The larger one is
  # downloaded and unpacked there rather than installed, since an installed one would change what the
  # sound tests hear.
  if ninja -C "$build" -t targets all | grep -q '^listen_corpus:'; then
    cmake --build "$build" --target listen_corpus bench_listen >/dev/null
    if ninja -C "$build" -t targets all | grep -q '^bench_listen_cpu:'; then
      cmake --build "$build" --target bench_listen_cpu >/dev/null
    fi
    corpus=$build/listen-corpus
    fonts=$build/listen-soundfonts
    if [ ! -f "$corpus/manifest.tsv" ]; then
      mkdir -p "$fonts"
      if [ ! -f "$fonts/usr/share/sounds/sf2/FluidR3_GM.sf2" ]; then
        (cd "$fonts" && apt-get download fluid-soundfont-gm >/dev/null 2>&1 && dpkg-deb -x fluid-soundfont-gm_*.deb .) ||
          echo "fluid-soundfont-gm could not be downloaded: the listening corpus uses TimGM6mb only" >&2
      fi
      sf=(timgm=/usr/share/sounds/sf2/TimGM6mb.sf2)
      [ -f "$fonts/usr/share/sounds/sf2/FluidR3_GM.sf2" ] && sf+=(fluid="$fonts/usr/share/sounds/sf2/FluidR3_GM.sf2")
      "$build/bench/listen_corpus" "$corpus" "${sf[@]}" >/dev/null
    fi
  fi
  QUAVIX_BENCH_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb
# The single-instance lock and socket go to a folder of this run, away from any copy the user has open.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

# The benchmark build of the trainer: the installed program itself carries no probe.
quavix=$root/$build/src/app/quavix_bench
empty=$root/$build/bench/empty_window

now_us() { local t=$EPOCHREALTIME; echo $((${t/./} + 0)); }
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }
field() { awk -v k="$1" '$1 == k {print $2}'; }

# Wall time from just before the program is started to the end of its first paint, in microseconds; the
# second argument is the device pixel ratio of the screen (Qt's scale factor, 1 by default).
startup_us() {
  local t0 out painted
  t0=$(now_us)
  out=$(QT_SCALE_FACTOR=${2:-1} QUAVIX_BENCH=paint timeout 30 "$1") ||
    { echo "$1 did not start and paint within 30 s" >&2; exit 1; }
  painted=$(field first-paint-us <<<"$out")
  [ -n "$painted" ] || { echo "no first paint from $1" >&2; exit 1; }
  echo $((painted - t0))
}

for _ in 1 2; do startup_us "$quavix" >/dev/null; startup_us "$empty" >/dev/null; done # warm the caches
q_start=() e_start=()
for ((i = 0; i < runs; i++)); do # interleaved, so a busy moment of the machine hits both alike
  q_start+=("$(startup_us "$quavix")")
  e_start+=("$(startup_us "$empty")")
done
q_start_med=$(printf '%s\n' "${q_start[@]}" | median)

# The same start with progress kept: a history of 100,000 answers in the data folder of a home of its own,
# so the start opens it (and reads the remembered settings).
kept_home=$XDG_RUNTIME_DIR/kept-home
"$root/$build/bench/bench_progress" --fill "$kept_home/.local/share/Quavix 2" 100000
k_start=()
for ((i = 0; i < runs; i++)); do
  k_start+=("$(HOME=$kept_home XDG_DATA_HOME= startup_us "$quavix")")
done
k_start_med=$(printf '%s\n' "${k_start[@]}" | median)
e_start_med=$(printf '%s\n' "${e_start[@]}" | median)
# The same on a screen at 200 %, where every picture and canvas has four times the pixels.
q2_start=() e2_start=()
for ((i = 0; i < runs; i++)); do
  q2_start+=("$(startup_us "$quavix" 2)")
  e2_start+=("$(startup_us "$empty" 2)")
done
q2_start_med=$(printf '%s\n' "${q2_start[@]}" | median)
e2_start_med=$(printf '%s\n' "${e2_start[@]}" | median)

# Resident memory 1 s after the first paint, then processor time over the next 10 s.
long_run() { # program mode [scale factor] -> "rss cpu"
  local out
  out=$(QT_SCALE_FACTOR=${3:-1} QUAVIX_BENCH=$2 timeout 60 "$1") || { echo "$1 failed in its $2 run" >&2; exit 1; }
  if [ "$2" = quiz ] && ! grep -q quiz-started <<<"$out"; then
    echo "could not start a quiz in $1" >&2
    exit 1
  fi
  echo "$(field rss-kib <<<"$out") $(field cpu-us <<<"$out")"
}
q_rss=() e_rss=() q_idle=() e_idle=() q_quiz=() q2_rss=() e2_rss=()
for ((i = 0; i < long; i++)); do
  r=$(long_run "$quavix" idle); read -r rss cpu <<<"$r"; q_rss+=("$rss"); q_idle+=("$cpu")
  r=$(long_run "$empty" idle); read -r rss cpu <<<"$r"; e_rss+=("$rss"); e_idle+=("$cpu")
  r=$(long_run "$quavix" quiz); read -r _ cpu <<<"$r"; q_quiz+=("$cpu")
  r=$(long_run "$quavix" idle 2); read -r rss _ <<<"$r"; q2_rss+=("$rss")
  r=$(long_run "$empty" idle 2); read -r rss _ <<<"$r"; e2_rss+=("$rss")
done
q2_rss_med=$(printf '%s\n' "${q2_rss[@]}" | median)
e2_rss_med=$(printf '%s\n' "${e2_rss[@]}" | median)
q_rss_med=$(printf '%s\n' "${q_rss[@]}" | median)
e_rss_med=$(printf '%s\n' "${e_rss[@]}" | median)
q_idle_med=$(printf '%s\n' "${q_idle[@]}" | median)
e_idle_med=$(printf '%s\n' "${e_idle[@]}" | median)
q_quiz_med=$(printf '%s\n' "${q_quiz[@]}" | median)

# Sound on: the same long run after the probe has chosen Options > Sound, playing into a private null sink
# with the small SoundFont. Needs the sound module and PulseAudio.
sound_note="not measured: no sound module"
if [ -e "$root/$build/src/app/quavix_sound.so" ]; then
  sound_note="not measured: no PulseAudio server could be started"
  sound_dir=$(mktemp -d)
  trap 'scripts/sound-server.sh stop "$sound_dir" >/dev/null 2>&1; rm -rf "$XDG_RUNTIME_DIR" "$sound_dir"' EXIT
  if PULSE_SERVER=$(scripts/sound-server.sh start "$sound_dir" 2>/dev/null); then
    export PULSE_SERVER
    small=$(find /usr/share/sounds/sf2 -name TimGM6mb.sf2 2>/dev/null | head -1)
    export QUAVIX_SOUNDFONT=${small:-}
    s_rss=() s_idle=()
    sound_note=""
    for ((i = 0; i < long; i++)); do
      out=$(QUAVIX_BENCH=sound timeout 60 "$quavix" 2>/dev/null) || { echo "$quavix failed in its sound run" >&2; exit 1; }
      grep -q sound-on <<<"$out" || { sound_note="not measured: sound did not come on"; break; }
      s_rss+=("$(field rss-kib <<<"$out")")
      s_idle+=("$(field cpu-us <<<"$out")")
    done
    unset PULSE_SERVER QUAVIX_SOUNDFONT
    scripts/sound-server.sh stop "$sound_dir"
  fi
fi
if [ -z "$sound_note" ]; then
  s_rss_med=$(printf '%s\n' "${s_rss[@]}" | median)
  s_idle_med=$(printf '%s\n' "${s_idle[@]}" | median)
fi

# Listening on: the same long run after the probe has chosen Options > Listen, the program hearing notes of
# the listening corpus played over and over into a private null sink, whose monitor is the default input. Run
# twice: with the sink handing the input pieces of about 5 ms, as a sound card's source does for what
# listening asks (the row the target is for), and with the pieces of under a millisecond it hands on when
# its silence keeps it as prompt as the sound benchmarks need (see scripts/sound-server.sh).
microphone_keeper_ms=34
small_keeper_ms=5
listen_note="not measured: no listening module"
if [ -e "$root/$build/src/app/quavix_listen.so" ]; then
  listen_note="not measured: no PulseAudio server could be started"
  mapfile -t notes < <(find "$root/$build/listen-corpus" -name '*.wav' 2>/dev/null | sort | head -20)
  heard="silence"
  [ "${#notes[@]}" -gt 0 ] && heard="notes"
  for keeper in "$microphone_keeper_ms" "$small_keeper_ms"; do
    listen_dir=$(mktemp -d)
    trap 'scripts/sound-server.sh stop "$listen_dir" >/dev/null 2>&1; rm -rf "$XDG_RUNTIME_DIR" "$listen_dir"' EXIT
    PULSE_SERVER=$(scripts/sound-server.sh start "$listen_dir" "$keeper" 2>/dev/null) || break
    export PULSE_SERVER
    player=
    if [ "${#notes[@]}" -gt 0 ]; then
      (while :; do for n in "${notes[@]}"; do paplay "$n" || exit 0; done; done) &
      player=$!
    fi
    l_rss=() l_idle=()
    listen_note=""
    for ((i = 0; i < listen_runs; i++)); do
      out=$(QUAVIX_BENCH=listen timeout 60 "$quavix" 2>/dev/null) || { echo "$quavix failed in its listen run" >&2; exit 1; }
      grep -q listen-on <<<"$out" || { listen_note="not measured: listening did not come on"; break; }
      l_rss+=("$(field rss-kib <<<"$out")")
      l_idle+=("$(field cpu-us <<<"$out")")
    done
    [ -n "$player" ] && kill "$player" 2>/dev/null
    unset PULSE_SERVER
    scripts/sound-server.sh stop "$listen_dir"
    rm -rf "$listen_dir"
    [ -n "$listen_note" ] && break
    if [ "$keeper" = "$microphone_keeper_ms" ]; then
      l_rss_med=$(printf '%s\n' "${l_rss[@]}" | median)
      l_idle_med=$(printf '%s\n' "${l_idle[@]}" | median)
    else
      l_small_med=$(printf '%s\n' "${l_idle[@]}" | median)
    fi
  done
fi

# Micro-benchmarks: Google Benchmark's CSV, name and time per operation in nanoseconds. CPU time, except for
# benchmarks measured in real time (the history's, which wait for the disk too): those give the median of
# their repetitions in real time.
micro=$(
  for b in bench_views bench_quiz bench_answer bench_midi bench_sound bench_progress bench_mastery; do
    [ -x "$root/$build/bench/$b" ] || continue
    QT_QPA_PLATFORM=offscreen "$root/$build/bench/$b" --benchmark_format=csv --benchmark_time_unit=ns 2>/dev/null |
      awk -F, 'NR > 1 && $1 != "" {
        gsub(/"/, "", $1); name = $1
        if (name ~ /_(mean|stddev|cv)$/) next
        t = (name ~ /\/real_time/) ? $3 : $4
        scale = ($5 == "ms") ? 1000000 : ($5 == "us") ? 1000 : ($5 == "s") ? 1000000000 : 1
        sub(/\/repeats:[0-9]+/, "", name); sub(/\/real_time(_median)?$/, "", name)
        printf "%s %.0f\n", name, t * scale
      }'
  done
)

# Listening: the detector over the rendered corpus, and its processor time fed at the real rate.
listen_summary=
listen_audible=
if [ -x "$root/$build/bench/bench_listen" ] && [ -f "$root/$build/listen-corpus/manifest.tsv" ]; then
  listen_out=$("$root/$build/bench/bench_listen" "$root/$build/listen-corpus" --paced 10)
  listen_summary=$(awk '$1 == "summary"' <<<"$listen_out")
  listen_audible=$(awk '$1 == "audible"' <<<"$listen_out")
fi
# Listening through the real capture path: the corpus played into a private null sink whose monitor is the
# default input, the process's processor time with listening off and on, with pieces like a microphone's and
# then with the sink's small ones.
listen_cpu= listen_cpu_small= listen_threads= listen_open=
if [ -x "$root/$build/bench/bench_listen_cpu" ] && [ -n "$listen_summary" ]; then
  for keeper in "$microphone_keeper_ms" "$small_keeper_ms"; do
    listen_dir=$(mktemp -d)
    if listen_server=$(scripts/sound-server.sh start "$listen_dir" "$keeper" 2>/dev/null); then
      find "$root/$build/listen-corpus" -name '*.wav' ! -name '*-after.wav' | sort | head -200 >"$listen_dir/playlist"
      (while read -r clip; do paplay --server="$listen_server" "$clip" 2>/dev/null || break; done <"$listen_dir/playlist") &
      player=$!
      listen_out=$(PULSE_SERVER=$listen_server "$root/$build/bench/bench_listen_cpu" 10)
      if [ "$keeper" = "$microphone_keeper_ms" ]; then
        listen_cpu=$(awk '$1 == "listen-cpu"' <<<"$listen_out")
        listen_threads=$(awk '$1 == "listen-cpu-threads" {$1 = ""; print substr($0, 2)}' <<<"$listen_out")
        listen_open=$(awk '$1 == "listen-open"' <<<"$listen_out")
      else
        listen_cpu_small=$(awk '$1 == "listen-cpu"' <<<"$listen_out")
      fi
      kill "$player" 2>/dev/null || true
      wait "$player" 2>/dev/null || true
      scripts/sound-server.sh stop "$listen_dir"
    fi
    rm -rf "$listen_dir"
  done
fi

ms() { awk -v v="$1" 'BEGIN {printf "%.1f ms", v / 1000}'; }
mib() { awk -v v="$1" 'BEGIN {printf "%.1f MiB", v / 1024}'; }
verdict() { awk -v ok="$1" 'BEGIN {print (ok ? "met" : "MISSED")}'; }
ratio=$(awk -v q="$q_start_med" -v e="$e_start_med" 'BEGIN {printf "%.2fx", q / e}')
extra=$(awk -v q="$q_rss_med" -v e="$e_rss_med" 'BEGIN {printf "%+.1f MiB", (q - e) / 1024}')
ratio2=$(awk -v q="$q2_start_med" -v e="$e2_start_med" 'BEGIN {printf "%.2fx", q / e}')
extra2=$(awk -v q="$q2_rss_med" -v e="$e2_rss_med" 'BEGIN {printf "%+.1f MiB", (q - e) / 1024}')

printf '\nQuavix %s on %s, %s core(s), %s; Xvfb 24-bit, xcb; medians of %d start-ups and %d long runs\n\n' \
  "$(git describe --always --dirty 2>/dev/null || echo '?')" \
  "$(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)" "$(nproc)" "$(uname -r)" "$runs" "$long"
{
  echo "measure|Quavix|empty window|difference|target|result"
  echo "start-up to first paint|$(ms "$q_start_med")|$(ms "$e_start_med")|$ratio|<= 1.15x|$(verdict "$((q_start_med * 100 <= e_start_med * 115))")"
  echo "start-up, progress kept (100,000 answers)|$(ms "$k_start_med")||$(ms "$((k_start_med - q_start_med))") more|opening the history|-"
  echo "resident memory 1 s after|$(mib "$q_rss_med")|$(mib "$e_rss_med")|$extra|<= +12 MiB|$(verdict "$((q_rss_med - e_rss_med <= 12 * 1024))")"
  echo "start-up at 200 %|$(ms "$q2_start_med")|$(ms "$e2_start_med")|$ratio2|<= 1.25x|$(verdict "$((q2_start_med * 100 <= e2_start_med * 125))")"
  echo "resident memory at 200 %|$(mib "$q2_rss_med")|$(mib "$e2_rss_med")|$extra2|<= +16 MiB|$(verdict "$((q2_rss_med - e2_rss_med <= 16 * 1024))")"
  echo "CPU in 10 s idle|$(ms "$q_idle_med")|$(ms "$e_idle_med")|$(ms "$((q_idle_med - e_idle_med))")|idle timers only (<= 20 ms)|$(verdict "$((q_idle_med <= 20000))")"
  echo "CPU in 10 s of a quiz|$(ms "$q_quiz_med")|||<= 100 ms|$(verdict "$((q_quiz_med <= 100000))")"
  if [ -z "$sound_note" ]; then
    echo "memory, sound on (TimGM6mb)|$(mib "$s_rss_med")|$(mib "$q_rss_med") silent|$(awk -v s="$s_rss_med" -v q="$q_rss_med" 'BEGIN {printf "%+.1f MiB", (s - q) / 1024}')|<= +24 MiB|$(verdict "$((s_rss_med - q_rss_med <= 24 * 1024))")"
    echo "CPU in 10 s idle, sound on|$(ms "$s_idle_med")||||"
  else
    echo "sound on|$sound_note||||"
  fi
  if [ -z "$listen_note" ]; then
    echo "memory, listening on|$(mib "$l_rss_med")|$(mib "$q_rss_med") not listening|$(awk -v s="$l_rss_med" -v q="$q_rss_med" 'BEGIN {printf "%+.1f MiB", (s - q) / 1024}')||-"
    echo "CPU in 10 s listening to $heard, the whole program, 5 ms pieces as from a microphone|$(ms "$l_idle_med")|||<= 300 ms (3 %)|$(verdict "$((l_idle_med <= 300000))")"
    [ -n "${l_small_med:-}" ] &&
      echo "CPU in 10 s listening to $heard, the whole program, the test sink's 1 ms pieces|$(ms "$l_small_med")||||-"
  else
    echo "listening on|$listen_note||||"
  fi
  if [ -n "$listen_summary" ]; then
    read -r _ l_clean l_noisy l_median l_p90 l_wrong l_twice l_cpu <<<"$listen_summary"
    echo "listening: notes recognised, clean|$l_clean %|||>= 99 %|$(verdict "$(awk -v v="$l_clean" 'BEGIN {print (v >= 99)}')")"
    echo "listening: notes recognised, 20 dB noise|$l_noisy %|||>= 97 %|$(verdict "$(awk -v v="$l_noisy" 'BEGIN {print (v >= 97)}')")"
    echo "listening: delay to the answer, median / p90|$l_median / $l_p90 ms|||<= 70 / 100 ms|$(verdict "$(awk -v m="$l_median" -v p="$l_p90" 'BEGIN {print m <= 70 && p <= 100}')")"
    if [ -n "$listen_audible" ]; then
      read -r _ la_median la_p90 <<<"$listen_audible"
      echo "listening: delay from the note becoming audible, median / p90|$la_median / $la_p90 ms|||<= 70 / 100 ms|$(verdict "$(awk -v m="$la_median" -v p="$la_p90" 'BEGIN {print m <= 70 && p <= 100}')")"
    fi
    echo "listening: wrong accepts (semitone, octave)|$l_wrong|||none|$(verdict "$((l_wrong == 0))")"
    echo "listening: notes answered twice|$l_twice|||none|$(verdict "$((l_twice == 0))")"
    echo "listening: detector CPU at the real rate|$l_cpu % of a core||||-"
    if [ -n "$listen_cpu" ]; then
      read -r _ _ lc_off _ _ _ _ _ lc_on _ <<<"$listen_cpu"
      echo "listening: CPU through the capture path, on, 5 ms pieces|$lc_on % of a core|$lc_off % off||<= 3 %|$(verdict "$(awk -v v="$lc_on" 'BEGIN {print v <= 3}')")"
      if [ -n "$listen_cpu_small" ]; then
        read -r _ _ _ _ _ _ _ _ lcs_on _ <<<"$listen_cpu_small"
        echo "listening: CPU through the capture path, on, 1 ms pieces|$lcs_on % of a core||||-"
      fi
      echo "listening: each thread's share and wake-ups, on|$listen_threads||||-"
      if [ -n "$listen_open" ]; then
        # Switching on only asks the server: the window is held while the module loads (the first time),
        # never while the server answers.
        read -r _ _ lo_held1 _ lo_start1 _ lo_held2 _ lo_start2 <<<"$listen_open"
        echo "listening: switching on holds the window, first / again|$lo_held1 / $lo_held2 ms|hears after $lo_start1 / $lo_start2 ms||<= 50 ms again|$(verdict "$(awk -v v="$lo_held2" 'BEGIN {print v <= 50}')")"
      fi
    else
      echo "listening: CPU through the capture path|not measured: no PulseAudio server||||"
    fi
  else
    echo "listening|not measured: no corpus||||"
  fi
  while read -r name ns; do
    [ -n "$name" ] || continue
    # Reading a long history (opening the results, opening the file, rebuilding the notes' mastery from it)
    # may take up to 100 ms; a key press to its judged answer 20 us; all else 1 ms. Drawing the pictures at
    # start-up is what baking them saves: a figure to compare, with no target.
    case $name in
      ResultsData* | OpenStore* | RebuildMastery*) limit=100000000 target="< 100 ms" ;;
      KeyPressToJudgedAnswer*) limit=20000 target="< 20 us" ;;
      DrawStartUpPictures*) limit= target="(baked instead)" ;;
      *) limit=1000000 target="< 1 ms" ;;
    esac
    result=-
    [ -z "$limit" ] || result=$(verdict "$((ns < limit))")
    echo "$name|$(awk -v v="$ns" 'BEGIN {printf (v < 10000 ? "%.2f us" : v < 10000000 ? "%.1f us" : "%.1f ms"), v < 10000000 ? v / 1000 : v / 1000000}')|||$target|$result"
  done <<<"$micro"
  # A note with a sign must draw as fast as one without: the slowest sign against no sign, at each ratio.
  for r in 100 200; do
    signs=$(awk -v r="$r" '$1 ~ "^StaffNoteSign/sign:[0-3]/ratio:" r "$" {split($1, p, /[:\/]/); t[p[3]] = $2}
      END {if (0 in t) {w = 0; for (k in t) if (k > 0 && t[k] > w) w = t[k]; printf "%.2f", w / t[0]}}' <<<"$micro")
    [ -z "$signs" ] || echo "note with a sign against one without, ratio $r %|${signs}x|||<= 1.25x|$(verdict "$(awk -v v="$signs" 'BEGIN {print v <= 1.25}')")"
  done
} | column -t -s '|'

# What the adaptive practice does for a simulated learner (fixed seeds, so the same on every machine).
echo
"$root/$build/bench/bench_mastery" --simulate
