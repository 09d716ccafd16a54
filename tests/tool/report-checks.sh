#!/bin/bash
# Checks of kestrel-tool check, schedule and render as a script runs them: exit codes,
# the lines, the JSON shape and the picture's size, on a copy of the demo project.
# usage: report-checks.sh TOOL DEMO_DIR render|no-render
set -u
tool=$1 demo=$2 render=$3
. "$(dirname "$0")/checks-lib.sh"
expect_out() {  # description, expected stdout
    [ "$(cat "$work/out")" = "$2" ] || { echo "FAIL: $1:"; cat "$work/out"; fail=1; }
}

cp -r "$demo" "$work/demo"
prj=$work/demo/DEMO.XML

for use in "check" "check $prj --json --json" "check $prj extra" "schedule" "render $prj" \
           "render $prj $work/a.png --section 0" "render $prj $work/a.png --section x" \
           "render $prj $work/a.png --section"; do
    check "wrong use: $use" 2 "$tool" $use
    grep -q '^usage: kestrel-tool' "$work/err" || { echo "FAIL: no usage for $use"; fail=1; }
done

check "check of the demo" 0 "$tool" check "$prj"
expect_out "demo findings" "note: 00:00 -- 08:00: nothing on air
note: 22:00 -- 24:00: nothing on air"

check "schedule of the demo" 0 "$tool" schedule "$prj"
expect_out "demo schedule" "00:00 -- 08:00  nothing on air
08:00 -- 11:30  section 1: 3 windows
11:30 -- 18:00  section 2: 2 windows
18:00 -- 22:00  section 3: 1 window
22:00 -- 24:00  nothing on air"

rm "$work/demo/clock.bmp"
: >"$work/demo/bg-day.jpg"
touch "$work/demo/left-over.jpg"
check "check with problems" 4 "$tool" check "$prj"
expect_out "problem lines" "error: 08:00 -- 11:30, SubWin2, entry 1: clock.bmp is not in the project folder
error: 11:30 -- 18:00, background: bg-day.jpg is empty (0 bytes)
note: 00:00 -- 08:00: nothing on air
note: 22:00 -- 24:00: nothing on air
note: left-over.jpg: no entry or background names it"

(cd "$work/demo" && "$tool" check DEMO.XML) >"$work/here" 2>&1
[ "$(cat "$work/here")" = "$(cat "$work/out")" ] || { echo "FAIL: check inside the folder:"; cat "$work/here"; fail=1; }

check "check --json" 4 "$tool" check --json "$prj"
python3 - "$work/out" <<'PY' || fail=1
import json, sys
p = json.load(open(sys.argv[1]))
assert list(p) == ["findings", "media_bytes"], list(p)
keys = ["level", "code", "section", "window", "entry", "file", "message"]
assert all(list(f) == keys for f in p["findings"]), p["findings"]
first = p["findings"][0]
assert first == {"level": "error", "code": "missing-media", "section": "08:00 -- 11:30", "window": "SubWin2",
                 "entry": 1, "file": "clock.bmp", "message": "clock.bmp is not in the project folder"}, first
unused = p["findings"][-1]
assert (unused["code"], unused["section"], unused["file"]) == ("unused-file", None, "left-over.jpg"), unused
assert isinstance(p["media_bytes"], int) and p["media_bytes"] > 0
PY

if [ "$render" = no-render ]; then
    check "render without Qt" 2 "$tool" render "$prj" "$work/two.png"
else
    check "render of section 2" 0 "$tool" render "$prj" "$work/two.png" --section 2
    [ -s "$work/err" ] && { echo "FAIL: render said something:"; cat "$work/err"; fail=1; }
    python3 - "$work/two.png" <<'PY' || fail=1
import struct, sys
head = open(sys.argv[1], "rb").read(24)
assert head[:8] == b"\x89PNG\r\n\x1a\n", head[:8]
assert struct.unpack(">II", head[16:24]) == (1360, 768), struct.unpack(">II", head[16:24])
PY
    check "render of a section the project lacks" 2 "$tool" render "$prj" "$work/x.png" --section 4
    grep -q "has no time section 4 (it has 3)" "$work/err" || { echo "FAIL: section message"; cat "$work/err"; fail=1; }
    check "render into a missing folder" 1 "$tool" render "$prj" "$work/no/such/x.png"
    # A picture that cannot be written whole (here: a file size limit, as a full disk
    # would) leaves the picture that was there as it was.
    cp "$work/two.png" "$work/kept.png"
    (trap '' XFSZ; ulimit -f 16; "$tool" render "$prj" "$work/kept.png" 2>"$work/err")
    [ $? = 1 ] || { echo "FAIL: render beyond the file size limit did not exit 1"; fail=1; }
    cmp -s "$work/two.png" "$work/kept.png" || { echo "FAIL: render cut the picture that was there"; fail=1; }
    ls -A "$work" | grep -q '^\.kestrel~' && { echo "FAIL: render left a temporary file"; fail=1; }
    mkfifo "$work/pipe.png"
    check "render into a named pipe" 1 timeout 10 "$tool" render "$prj" "$work/pipe.png"
fi

sed 's/<WINDOW>2</<WINDOW></' "$prj" >"$work/bad.XML"
for use in "check $work/bad.XML" "schedule $work/bad.XML" "render $work/bad.XML $work/bad.png"; do
    check "damaged file: $use" 1 "$tool" $use
    grep -q "bad.XML.*line 13" "$work/err" || { echo "FAIL: damaged file message: $use"; cat "$work/err"; fail=1; }
done
[ -e "$work/bad.png" ] && { echo "FAIL: a picture of a damaged file"; fail=1; }
check "check of a missing file" 1 "$tool" check "$work/none.XML"

# Output that cannot be written (a full disk) is a failure, not a clean report.
for use in "dump $prj" "check $prj" "check $prj --json" "schedule $prj"; do
    "$tool" $use >/dev/full 2>"$work/err"
    got=$?
    [ $got = 1 ] || { echo "FAIL: $use into a full disk: exit $got"; fail=1; }
    grep -q "the output could not be written" "$work/err" || { echo "FAIL: no message for $use"; cat "$work/err"; fail=1; }
done

exit $fail
