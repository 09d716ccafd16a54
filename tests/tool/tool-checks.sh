#!/bin/bash
# Checks of kestrel-tool: exit codes, messages and the JSON keys.
# usage: tool-checks.sh TOOL DATA_DIR
set -u
tool=$1 data=$2
. "$(dirname "$0")/checks-lib.sh"

check "usage without arguments" 2 "$tool"
grep -q '^usage: kestrel-tool' "$work/err" || { echo "FAIL: no usage line"; fail=1; }
check "unknown command" 2 "$tool" show "$data/worked-example.XML"
check "rewrite without OUT" 2 "$tool" rewrite "$data/worked-example.XML"

check "dump of the worked example" 0 "$tool" dump "$data/worked-example.XML"
python3 - "$work/out" "$data/" <<'PY' || fail=1
import json, sys
p = json.load(open(sys.argv[1]))
d = sys.argv[2]
assert list(p) == ["TimeCount", "TimePL"], list(p)
assert p["TimeCount"] == 1 and len(p["TimePL"]) == 1
s = p["TimePL"][0]
assert list(s) == ["StartTime", "EndTime", "MainWin", "SubWinCount", "FileList", "BGFile", "SubWin"], list(s)
assert (s["StartTime"], s["EndTime"]) == (830, 1200)
m = s["MainWin"]
assert list(m) == ["Left", "Top", "Width", "Height", "PLCount", "PL"], list(m)
assert m["PL"][1] == {"Interval": 3, "Vol": 80, "FileName": d + "promo.avi"}, m["PL"][1]
assert s["FileList"] == ["pic1.jpg", "pic2.jpg"] and s["BGFile"] == d + "back.jpg"
w = s["SubWin"]
assert len(w) == 1 and list(w[0]) == ["Left", "Top", "Width", "Height", "PLCount", "PL"]
assert [list(e) for e in w[0]["PL"]] == [["FileIndex", "Times", "FileName"]] * 3
assert w[0]["PL"][1] == {"FileIndex": 1, "Times": 2, "FileName": d + "pic2.jpg"}
PY

check "rewrite of the worked example" 0 "$tool" rewrite "$data/worked-example.XML" "$work/again.XML"
cmp -s "$data/worked-example.XML" "$work/again.XML" || { echo "FAIL: rewrite changed bytes"; fail=1; }
[ "$(ls "$work")" = "$(printf 'again.XML\nerr\nout')" ] || { echo "FAIL: rewrite copied files"; ls "$work"; fail=1; }

sed 's/<WINDOW>1</<WINDOW></' "$data/worked-example.XML" >"$work/bad.XML"
check "damaged file" 1 "$tool" dump "$work/bad.XML"
[ "$(wc -l <"$work/err")" = 1 ] && grep -q "$work/bad.XML.*line 13: .*WINDOW" "$work/err" \
    || { echo "FAIL: damaged file message:"; cat "$work/err"; fail=1; }
[ -s "$work/out" ] && { echo "FAIL: output for a damaged file"; fail=1; }
check "missing file" 1 "$tool" dump "$work/none.XML"
grep -q "none.XML.*line 1: No such file" "$work/err" || { echo "FAIL: missing file message"; cat "$work/err"; fail=1; }
check "unwritable OUT" 1 "$tool" rewrite "$data/worked-example.XML" "$work/no/such/out.XML"

exit $fail
