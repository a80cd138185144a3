#!/bin/sh
# Acknowledged against blind sends of a 240x64 picture to the virtual LCD,
# which answers after the receiver firmware's write time for each block
# (--firmware tavrel-receiver). Prints the wall time of each send and the
# virtual LCD's summary line (blocks, pauses, faults).
#   benchmarks/ack_send.sh [build/src/tavrel]
set -eu
tavrel=$(realpath "${1:-build/src/tavrel}")
work=$(mktemp -d)
trap 'kill $lcd 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
# A framed picture with a diagonal: every block differs.
/usr/bin/python3 - <<'PY'
from PIL import Image, ImageDraw
im = Image.new('1', (240, 64), 1)
d = ImageDraw.Draw(im)
d.rectangle([0, 0, 239, 63], outline=0)
d.line([0, 0, 239, 63], fill=0)
im.save('picture.bmp')
PY

run() { # name, convert options, send options
    name=$1 convert=$2 send=$3
    "$tavrel" convert picture.bmp --size 240x64 --packing horizontal --stream $convert > stream.txt
    "$tavrel" virtual-lcd --size 240x64 --packing horizontal --firmware tavrel-receiver --ack \
        --link "$work/tty" > lcd.log 2>&1 &
    lcd=$!
    while [ ! -e "$work/tty" ]; do sleep 0.1; done
    start=$(date +%s.%N)
    "$tavrel" send --port "$work/tty" $send stream.txt
    end=$(date +%s.%N)
    sleep 1.3 # the stream's quiet second, then its summary
    kill $lcd; wait $lcd 2>/dev/null || true
    printf '%-34s %6.2f s   %s\n' "$name" "$(echo "$end - $start" | bc)" "$(grep '^stream 1:' lcd.log | cut -d, -f3-)"
}

run "LCD, blind, xmit delay 5 ms" "" "--xmit-delay 5"
run "LCD, blind, xmit delay 10 ms" "" "--xmit-delay 10"
run "LCD, acknowledged" "" "--ack"
run "EEPROM, blind, xmit delay 100 ms" "--eeprom 0" "--xmit-delay 100"
run "EEPROM, blind, xmit delay 25 ms" "--eeprom 0" "--xmit-delay 25"
run "EEPROM, acknowledged" "--eeprom 0" "--ack"
