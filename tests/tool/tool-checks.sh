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
[ "$(ls -A "$work")" = "$(printf 'again.XML\nerr\nout')" ] || { echo "FAIL: rewrite copied or left files"; ls -A "$work"; fail=1; }

sed 's/<WINDOW>1</<WINDOW></' "$data/worked-example.XML" >"$work/bad.XML"
check "damaged file" 1 "$tool" dump "$work/bad.XML"
[ "$(wc -l <"$work/err")" = 1 ] && grep -q "$work/bad.XML.*line 13: .*WINDOW" "$work/err" \
    || { echo "FAIL: damaged file message:"; cat "$work/err"; fail=1; }
[ -s "$work/out" ] && { echo "FAIL: output for a damaged file"; fail=1; }
check "missing file" 1 "$tool" dump "$work/none.XML"
grep -q "none.XML.*line 1: No such file" "$work/err" || { echo "FAIL: missing file message"; cat "$work/err"; fail=1; }
check "unwritable OUT" 1 "$tool" rewrite "$data/worked-example.XML" "$work/no/such/out.XML"

# Files that are no complete project, or name files outside their folder, are refused.
: >"$work/empty.XML"
mkfifo "$work/pipe.XML"
sed 's|<P>pic1.jpg</P>|<P>../../.ssh/id_rsa</P>|' "$data/worked-example.XML" >"$work/outside.XML"
head -c -12 "$data/worked-example.XML" >"$work/cut.XML"
for f in empty pipe outside cut; do
    check "refused $f file" 1 timeout 10 "$tool" dump "$work/$f.XML"
    grep -q "$work/$f.XML.*line [0-9]*: " "$work/err" || { echo "FAIL: $f message:"; cat "$work/err"; fail=1; }
done
grep -q "line 15: .*folder part" <("$tool" dump "$work/outside.XML" 2>&1) || { echo "FAIL: outside reason"; fail=1; }
check "rewrite of a refused file" 1 "$tool" rewrite "$work/outside.XML" "$work/never.XML"
[ -e "$work/never.XML" ] && { echo "FAIL: rewrite wrote a refused file"; fail=1; }

# rewrite replaces the target of a link and keeps the link; a write-protected file stays.
mkdir "$work/real"
ln -s "$work/real/plan.XML" "$work/link.XML"
check "rewrite through a link" 0 "$tool" rewrite "$data/worked-example.XML" "$work/link.XML"
[ -L "$work/link.XML" ] && cmp -s "$data/worked-example.XML" "$work/real/plan.XML" \
    || { echo "FAIL: rewrite through a link"; fail=1; }
echo "keep me" >"$work/locked.XML"
chmod 444 "$work/locked.XML"
check "rewrite over a write-protected file" 1 "$tool" rewrite "$data/worked-example.XML" "$work/locked.XML"
grep -q "write-protected" "$work/err" && [ "$(cat "$work/locked.XML")" = "keep me" ] \
    || { echo "FAIL: write-protected file"; cat "$work/err"; fail=1; }

# A folder that allows no new file beside the project file: the file stays, the reason says why.
# (Run as an ordinary user: permissions do not bind root.)
as_user=()
[ "$(id -u)" = 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
chmod 755 "$work"
mkdir "$work/ro"
echo "keep me" >"$work/ro/plan.XML"
chmod 666 "$work/ro/plan.XML"
chmod 555 "$work/ro"
check "rewrite in a folder without room" 1 "${as_user[@]}" "$tool" rewrite "$data/worked-example.XML" "$work/ro/plan.XML"
grep -q "the folder \"$work/ro/\" does not allow a new file next to it" "$work/err" && [ "$(cat "$work/ro/plan.XML")" = "keep me" ] \
    || { echo "FAIL: folder without room:"; cat "$work/err"; fail=1; }
chmod 755 "$work/ro"

exit $fail
