#!/usr/bin/env bash
# Makes the built-in recordings and the answer sounds of the installed folders.
# Needs Debian's espeak-ng and sox. Every file is mono, 16 kHz, 16-bit PCM.
# Run from anywhere; the files are written beside this script.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

voice=en-us+f3
fmt=(-r 16000 -c 1 -b 16)

# A short, bright chime: a major triad arpeggio, each note fading.
chime() { # out notes...
  local out=$1; shift
  local parts=() i=0
  for n in "$@"; do
    sox -n "${fmt[@]}" "$tmp/n$i.wav" synth 0.22 pluck "$n" fade 0 0.22 0.15 vol 0.6
    parts+=("$tmp/n$i.wav"); i=$((i + 1))
  done
  sox "${parts[@]}" "$out"
}

# A spoken prompt, levelled, with an optional chime in front.
speak() { # out "text" [chime-notes...]
  local out=$1 text=$2; shift 2
  espeak-ng -v "$voice" -s 165 -p 55 -w "$tmp/voice.wav" "$text"
  sox "$tmp/voice.wav" "${fmt[@]}" "$tmp/voice16.wav" norm -3 fade 0 -0 0.05
  if [ $# -gt 0 ]; then
    chime "$tmp/chime.wav" "$@"
    sox "$tmp/chime.wav" "$tmp/voice16.wav" "$out"
  else
    cp "$tmp/voice16.wav" "$out"
  fi
}

speak INTRO.wav           "Welcome to Vandrelsholm Speed Math! Let's get started." C5 E5 G5
speak READYSETGO.wav      "Ready, set, go!" G4 C5
speak SEEYALATER.wav      "Great work today. See you later!" C6 G5 E5 C5
speak PLAY.wav            "Here we go."
speak STOP.wav            "Stop."
speak REDO.wav            "Let's try that one again."
speak HELP.wav            "Here is how the method works."
speak EXITBASICS.wav      "Nice drilling. Back to the main screen."
speak EXITPRACTICE.wav    "Good practice. Back to the main screen."
speak BESTTIME.wav        "Wow! That is your best time yet!" C5 E5 G5 C6 E6
speak CONGRATULATIONS.wav "Correct! Well done." E5 G5 C6
speak KEEPPRACTICING.wav  "Not quite. Keep practicing, you'll get it."

# The idle music: a calm four-bar loop of soft plucked chords.
bar() { # out root third fifth
  local out=$1; shift
  sox -n "${fmt[@]}" "$tmp/b1.wav" synth 0.36 pluck "$1" pluck "$2" pluck "$3" remix - fade 0 0.36 0.2 vol 0.5
  sox -n "${fmt[@]}" "$tmp/b2.wav" synth 0.18 pluck "$2" fade 0 0.18 0.12 vol 0.5
  sox -n "${fmt[@]}" "$tmp/b3.wav" synth 0.18 pluck "$3" fade 0 0.18 0.12 vol 0.5
  sox "$tmp/b1.wav" "$tmp/b2.wav" "$tmp/b3.wav" "$tmp/b1.wav" "$out"
}
bar "$tmp/m1.wav" C4 E4 G4
bar "$tmp/m2.wav" A3 C4 E4
bar "$tmp/m3.wav" F3 A3 C4
bar "$tmp/m4.wav" G3 B3 D4
sox "$tmp/m1.wav" "$tmp/m2.wav" "$tmp/m3.wav" "$tmp/m4.wav" MAINSCREEN.wav norm -6

# Answer sounds of the installed folders, played in turn after right and
# wrong practice answers.
chime Right/Right1.wav C5 E5 G5
chime Right/Right2.wav D5 F#5 A5 D6
chime Right/Right3.wav G4 B4 D5 G5
sox -n "${fmt[@]}" Wrong/Wrong1.wav synth 0.35 sine 220:180 fade 0 0.35 0.1 vol 0.5
sox -n "${fmt[@]}" Wrong/Wrong2.wav synth 0.2 sine 196 : synth 0.3 sine 165 fade 0 0.3 0.1 vol 0.5

ls -l *.wav Right Wrong
