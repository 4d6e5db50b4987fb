#!/usr/bin/env bash
# Makes the small MP3 files the player's tests, benchmark and local stream server play.
# Needs Debian's sox and lame. The files are committed; run this only to make them again.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# 3 s of a 1000 Hz tone, stereo, 44.1 kHz, 128 kbit/s constant: MPEG-1 layer III.
sox -n -r 44100 -c 2 -b 16 "$tmp/tone1000.wav" synth 3 sine 1000 vol 0.5
lame --quiet -t -b 128 --cbr "$tmp/tone1000.wav" tone-1000hz-mpeg1-stereo.mp3

# 3 s of a 440 Hz tone, mono, 22.05 kHz, 32 kbit/s: MPEG-2 layer III.
sox -n -r 22050 -c 1 -b 16 "$tmp/tone440.wav" synth 3 sine 440 vol 0.5
lame --quiet -t -b 32 --cbr -m m "$tmp/tone440.wav" tone-440hz-mpeg2-mono.mp3
