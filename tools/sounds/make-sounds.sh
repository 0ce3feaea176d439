#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates every sound asset and the starting quote list from scratch.
# Output is deterministic: same tools and voice give byte-identical files.
#
# Needs: sox, and either festival + festvox-us-slt-hts (default voice)
# or espeak-ng (VOICE=espeak). On Debian:
#   apt-get install sox festival festvox-us-slt-hts espeak-ng
set -euo pipefail
export LC_ALL=C

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
ASSETS="$ROOT/assets"
WAVE="$ASSETS/wave"
VOICE="${VOICE:-slt}"   # slt = festival HTS voice (more natural); espeak = fallback
RATE=22050              # small files, plenty for speech and chimes

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

# -R: repeatable dither, so rebuilding does not churn binary files in git.
SOX=(sox -R -V2)
OUTFMT=(-r "$RATE" -b 16 -e signed-integer -c 1)

need() { command -v "$1" >/dev/null || { echo "missing tool: $1 ($2)" >&2; exit 1; }; }
need sox "apt-get install sox"
case "$VOICE" in
  slt)
    need text2wave "apt-get install festival festvox-us-slt-hts"
    [ -d /usr/share/festival/voices/us/cmu_us_slt_arctic_hts ] ||
      { echo "missing voice (apt-get install festvox-us-slt-hts), or run with VOICE=espeak" >&2; exit 1; } ;;
  espeak) need espeak-ng "apt-get install espeak-ng" ;;
  *) echo "VOICE must be slt or espeak" >&2; exit 1 ;;
esac

mkdir -p "$WAVE" "$ASSETS/sounds"

stat_db() { "${SOX[@]}" "$1" -n stats 2>&1 | awk -v k="$2" '$0 ~ "^"k" " {print $NF}'; }

# --- Spoken time -----------------------------------------------------------
# Clips are chained ("The time is / ten / twenty / one / P M"), so each is
# trimmed tightly, loudness-matched by RMS (peaks capped), and padded at the
# end because the player drops the last ~130 ms of every clip.
TARGET_RMS=-19   # dBFS
PEAK_CAP=-1.5    # dBFS

speak() { # text out.wav
  case "$VOICE" in
    slt) printf '%s\n' "$1" | text2wave -eval '(voice_cmu_us_slt_arctic_hts)' -o "$2" >/dev/null ;;
    espeak) espeak-ng -v en-us -s 155 -p 45 -w "$2" "$1" ;;
  esac
}

say_clip() { # text FILENAME
  local raw="$TMP/raw.wav" cut="$TMP/cut.wav" rms pk gain
  speak "$1" "$raw"
  # Normalise before trimming so the silence threshold is relative to the
  # word; -48 dB keeps soft onsets like "th"/"f" and the final "s"/"v".
  "${SOX[@]}" "$raw" -b 32 -e floating-point "$cut" remix - highpass 70 norm -1 \
    silence 1 0.004 -48d reverse silence 1 0.004 -48d fade h 0.015 reverse \
    fade h 0.004
  rms=$(stat_db "$cut" "RMS lev dB")
  pk=$(stat_db "$cut" "Pk lev dB")
  gain=$(awk -v t="$TARGET_RMS" -v c="$PEAK_CAP" -v r="$rms" -v p="$pk" \
    'BEGIN { g = t - r; if (p + g > c) g = c - p; printf "%.2f", g }')
  "${SOX[@]}" "$cut" "${OUTFMT[@]}" "$WAVE/$2" gain "$gain" rate -v "$RATE" pad 0 0.3
}

say_clip "The time is" time.WAV
words=(one two three four five six seven eight nine ten eleven twelve thirteen
       fourteen fifteen sixteen seventeen eighteen nineteen twenty)
for i in "${!words[@]}"; do say_clip "${words[$i]}" "$((i + 1)).WAV"; done
say_clip "thirty" 30.WAV
say_clip "forty" 40.WAV
say_clip "fifty" 50.WAV
say_clip "A M" AM.WAV
say_clip "P M" pm.WAV

# --- Tone helpers -------------------------------------------------------
# partial FREQ SECONDS DECAY_DB VOLUME OUT: a sine with a soft attack and an
# exponential decay reaching -DECAY_DB at the end (sox's "l" fade falls a
# straight 100 dB over its length, so the fade is stretched to fit).
partial() {
  local span
  span=$(awk -v l="$2" -v d="$3" 'BEGIN { printf "%.5f", l * 100 / d }')
  "${SOX[@]}" -n -r "$RATE" -b 32 -e floating-point -c 1 "$5" synth "$span" sine "$1" \
    fade q 0.002 fade l 0 "$span" "$span" trim 0 "$2" fade h 0 "$2" 0.01 vol "$4"
}

# bell FREQ SECONDS OUT: fundamental plus soft octave and twelfth partials;
# the upper ones die sooner, which reads as a mellow bell rather than a beep.
bell() {
  local f=$1 len=$2 out=$3
  partial "$f" "$len" 40 0.6 "$TMP/p1.wav"
  partial "$(awk -v f="$f" 'BEGIN { print f * 2 }')" "$len" 60 0.21 "$TMP/p2.wav"
  partial "$(awk -v f="$f" 'BEGIN { print f * 3 }')" "$len" 80 0.07 "$TMP/p3.wav"
  "${SOX[@]}" -m -v 1 "$TMP/p1.wav" -v 1 "$TMP/p2.wav" -v 1 "$TMP/p3.wav" "$out"
}

# --- UI click ------------------------------------------------------------
# A short "tock": low sine plus an inharmonic overtone (woody, not beepy),
# fast decay, low-passed and kept quiet so it never sounds sharp.
partial 1000 0.05 45 0.7 "$TMP/c1.wav"
partial 2350 0.03 60 0.25 "$TMP/c2.wav"
"${SOX[@]}" -m -v 1 "$TMP/c1.wav" -v 1 "$TMP/c2.wav" "$TMP/click.wav" lowpass 3500
"${SOX[@]}" "$TMP/click.wav" "${OUTFMT[@]}" "$WAVE/click.wav" norm -10 pad 0 0.3

# --- Fallback "ding" -----------------------------------------------------
bell 880 0.32 "$TMP/ding.wav"
"${SOX[@]}" "$TMP/ding.wav" "${OUTFMT[@]}" "$ASSETS/sounds/default.wav" norm -4 pad 0 0.3

# --- Alarm chime ---------------------------------------------------------
# Rising major arpeggio played twice (C6 E6 G6, then C6 E6 G6 C7), notes
# overlapping so it rings; noticeable without being shrill.
# Last note rings longer so the chime ends gently rather than stopping.
notes=("1046.50 0.00 0.9" "1318.51 0.22 0.9" "1567.98 0.44 0.9"
       "1046.50 1.05 0.9" "1318.51 1.27 0.9" "1567.98 1.49 0.9" "2093.00 1.71 1.0")
mix=()
n=0
for nt in "${notes[@]}"; do
  read -r f at len <<<"$nt"
  bell "$f" "$len" "$TMP/n$n.wav"
  "${SOX[@]}" "$TMP/n$n.wav" "$TMP/d$n.wav" pad "$at" 0
  mix+=(-v 0.35 "$TMP/d$n.wav")
  n=$((n + 1))
done
"${SOX[@]}" -m "${mix[@]}" "$TMP/alarm.wav"
"${SOX[@]}" "$TMP/alarm.wav" "${OUTFMT[@]}" "$ASSETS/alarm.wav" norm -3 pad 0 0.3

# --- Starting quotes -----------------------------------------------------
# Plain ASCII, CR LF line ends (including the last line), no empty lines.
quotes=(
  "Well begun is half done. -- Aristotle"
  "Lost time is never found again. -- Benjamin Franklin"
  "A journey of a thousand miles begins with a single step. -- Lao Tzu"
  "Rome was not built in a day."
  "Little by little, one travels far."
  "Slow and steady wins the race. -- Aesop"
  "While we are postponing, life speeds by. -- Seneca"
  "Time and tide wait for no man."
  "Many hands make light work."
  "The early bird catches the worm."
  "First say to yourself what you would be; and then do what you have to do. -- Epictetus"
  "Do not put off till tomorrow what can be done today."
)
printf '%s\r\n' "${quotes[@]}" > "$ASSETS/quotes.txt"

echo "sounds and quotes written under $ASSETS (voice: $VOICE)"
