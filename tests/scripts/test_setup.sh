#!/usr/bin/env bash
# scripts/setup.sh against a fake dpkg and apt: what it asks apt for, and when.
#   tests/scripts/test_setup.sh scripts/setup.sh
set -uo pipefail
setup=$(realpath "$1")
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
status=0
fail() {
    echo "FAIL $*"
    status=1
}

# dpkg knows every package but those in $MISSING; apt-get logs its calls and
# fails an install while $STALE is set, as with no or outdated package lists.
cat >"$fake/dpkg-query" <<'EOF'
#!/usr/bin/env bash
for p in "${@:3}"; do [[ " $MISSING " == *" $p "* ]] || echo "ii  $p"; done
EOF
cat >"$fake/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "$*" >>"$LOG"
if [[ $1 == update ]]; then rm -f "$STALE"; elif [[ -e $STALE ]]; then exit 100; fi
EOF
printf '#!/bin/sh\nexec "$@"\n' >"$fake/sudo"
chmod +x "$fake"/*
export PATH=$fake:$PATH LOG=$fake/log STALE=$fake/stale

# name | needs | missing | lists stale | expected apt-get calls
while IFS='|' read -r name needs missing stale expected; do
    : >"$LOG"
    if [[ -n $stale ]]; then touch "$STALE"; else rm -f "$STALE"; fi
    out=$(MISSING=$missing "$setup" $needs 2>&1) || fail "$name: exit status $?: $out"
    calls=$(paste -sd';' "$LOG")
    [[ $calls == "$expected" ]] || fail "$name: apt-get '$calls', expected '$expected'"
    [[ -n $expected || -z $out ]] || fail "$name: not quiet: $out"
done <<'EOF'
all there|build tests|||
one missing, in two needs|tests windows|xvfb||install -y -qq --no-install-recommends xvfb
no lists yet|build|g++ cmake|1|install -y -qq --no-install-recommends cmake g++;update -qq;install -y -qq --no-install-recommends cmake g++
EOF

# Building and starting the program takes no test tool.
for p in $("$setup" --list build); do
    case $p in wine* | *mingw* | xvfb | xauth | nsis | lintian | clang* | llvm* | python3* | at-spi*)
        fail "the program's own need holds $p" ;;
    esac
done
"$setup" nothing 2>/dev/null && fail "an unknown need is accepted"
exit $status
