# What the tool check scripts share: a work folder removed at the end, the fail flag,
# and check, which runs a command into $work/out and $work/err and compares its status.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() {  # description, expected status, command...
    local what=$1 want=$2
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    if [ "$got" != "$want" ]; then
        echo "FAIL: $what: exit $got, expected $want"; cat "$work/err"; fail=1
    fi
}
