#!/usr/bin/env bash
# Writes the music fuzzer's seeds into tests/fuzz/corpus/music: short WAV files of each sample
# format the decoder takes (a tone, written by perl) and short MP3 files made from one of them by
# lame, plain, mono at another rate, VBR and behind tags. Each is a few kilobytes at most.
#
# usage: make_music_seeds.sh (needs perl and lame; scripts/install-deps --tests installs lame)
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/corpus/music"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# wav FILE TAG CHANNELS RATE BITS SECONDS [SUBFORMAT [EXTRA_CHUNKS]]
# A 440 Hz tone at half scale on every channel. TAG 0xFFFE with SUBFORMAT makes an extensible
# header; EXTRA_CHUNKS (bytes in hexadecimal) go between the format and the samples.
wav() {
    perl -e '
        my ($tag, $channels, $rate, $bits, $seconds, $sub, $extraHex) = @ARGV;
        my $extra = pack("H*", $extraHex);
        my $frames = int($rate * $seconds);
        my $kind = $tag == 0xFFFE ? $sub : $tag;
        my $data = "";
        for my $i (0 .. $frames - 1) {
            my $v = 0.5 * sin(2 * 3.14159265358979 * 440 * $i / $rate);
            for (1 .. $channels) {
                if ($kind == 3) { $data .= $bits == 32 ? pack("f<", $v) : pack("d<", $v); }
                elsif ($kind == 6 || $kind == 7) { $data .= pack("C", int(($v + 1) * 127.5)); }
                elsif ($bits == 8) { $data .= pack("C", int(128 + $v * 127)); }
                elsif ($bits == 16) { $data .= pack("s<", int($v * 32767)); }
                elsif ($bits == 24) { $data .= substr(pack("l<", int($v * 8388607)), 0, 3); }
                else { $data .= pack("l<", int($v * 2147483647)); }
            }
        }
        my $align = $channels * $bits / 8;
        my $fmt = pack("v v V V v v", $tag, $channels, $rate, $rate * $align, $align, $bits);
        $fmt .= pack("v v V v", 22, $bits, 0, $sub) . "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71"
            if $tag == 0xFFFE;
        my $body = "WAVE" . "fmt " . pack("V", length $fmt) . $fmt . $extra . "data" . pack("V", length $data) . $data;
        print "RIFF", pack("V", length $body), $body;
    ' "$2" "$3" "$4" "$5" "$6" "${7:-0}" "${8:-}" >"$1"
}

wav "$out/pcm16-stereo-44100.wav" 1 2 44100 16 0.01
wav "$out/pcm8-mono-8000.wav" 1 1 8000 8 0.1
wav "$out/pcm24-stereo-48000.wav" 1 2 48000 24 0.01
wav "$out/pcm32-mono-22050.wav" 1 1 22050 32 0.02
wav "$out/float32-stereo-44100.wav" 3 2 44100 32 0.005
wav "$out/float64-mono-11025.wav" 3 1 11025 64 0.02
wav "$out/alaw-mono-8000.wav" 6 1 8000 8 0.1
wav "$out/mulaw-mono-8000.wav" 7 1 8000 8 0.1
wav "$out/extensible-pcm16-6ch-44100.wav" 65534 6 44100 16 0.005 1
wav "$out/extensible-float32-stereo-96000.wav" 65534 2 96000 32 0.005 3
# Metadata before the samples: a list with an odd size and its pad byte, and loop points.
metadata=$(printf '%s' 'LIST' | od -An -tx1 | tr -d ' \n')05000000494e464f7800
metadata+=$(printf '%s' 'smpl' | od -An -tx1 | tr -d ' \n')3c000000$(printf '0%.0s' {1..120})
wav "$out/with-list-and-smpl.wav" 1 2 44100 16 0.01 0 "$metadata"

# MP3 files from a tenth of a second of tone; lame writes its LAME frame where the frame size
# allows.
wav "$work/source.wav" 1 2 44100 16 0.1
lame --quiet -b 32 "$work/source.wav" "$out/cbr-32k-stereo.mp3"
lame --quiet -m m --resample 22.05 -b 16 "$work/source.wav" "$out/mono-22050.mp3"
lame --quiet -V 9 "$work/source.wav" "$out/vbr.mp3"
lame --quiet -b 32 -t "$work/source.wav" "$work/plain.mp3"
cp "$work/plain.mp3" "$out/no-lame-frame.mp3"
# An ID3v2.3 tag (one title frame) in front and an ID3v1 tag behind.
{
    printf 'ID3\x03\x00\x00\x00\x00\x00\x1b'
    printf 'TIT2\x00\x00\x00\x05\x00\x00\x00tone'
    printf '\x00%.0s' {1..12}
    cat "$work/plain.mp3"
    printf 'TAG%-125s' tone
} >"$out/id3-tagged.mp3"
ls -l "$out"
