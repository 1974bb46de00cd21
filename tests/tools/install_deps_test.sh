#!/usr/bin/env bash
# tools/install-deps.sh against a fake dpkg-query, apt-get and sudo: which packages
# count as missing, what is installed and how, and what a user who cannot install
# is told. Nothing on the machine is queried or changed.
set -euo pipefail
script=$(realpath "${1:-$(dirname "$0")/../../tools/install-deps.sh}")
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT

cat >"$fake/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
# -W -f=FORMAT names...: "name install ok installed" for the installed set, the
# status of a removed package for the ones in "removed", an error for the rest.
shift 2
status=0
for p in "$@"; do
  if grep -qxF -- "$p" "$FAKE/installed"; then echo "$p install ok installed"
  elif grep -qxF -- "$p" "$FAKE/removed"; then echo "$p deinstall ok config-files"
  else echo "dpkg-query: no packages found matching $p" >&2; status=1; fi
done
exit $status
FAKE
cat >"$fake/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE/calls"
[ -e "$FAKE/apt-fails" ] && exit 100
if [ "$1" = install ]; then
  for p in "$@"; do case $p in install|-*) ;; *) echo "$p" >>"$FAKE/installed" ;; esac; done
fi
exit 0
FAKE
cat >"$fake/sudo" <<'FAKE'
#!/usr/bin/env bash
[ -e "$FAKE/sudo-ok" ] || exit 1
[ "$1" = -n ] && shift
[ "$1" = true ] && exit 0
echo "sudo" >>"$FAKE/calls"
exec "$@"
FAKE
chmod +x "$fake"/*

mapfile -t packages < <("$script" --list)
failures=0
# name | missing | removed | uid | sudo-ok | apt-fails | status | output | calls ("\n" ends a line)
cases=(
  "nothing missing|||1000|no|no|0||"
  "one missing, root|libcli11-dev||0|no|no|0|install-deps: installing libcli11-dev|apt-get update -qq\napt-get install -y -qq libcli11-dev"
  "removed counts as missing|libpng-dev|libpng-dev|0|no|no|0|install-deps: installing libpng-dev|apt-get update -qq\napt-get install -y -qq libpng-dev"
  "two missing, sudo|cmake clang||1000|yes|no|0|install-deps: installing cmake clang|sudo\napt-get update -qq\nsudo\napt-get install -y -qq cmake clang"
  "cannot install|libcli11-dev libgtest-dev||1000|no|no|1|install-deps: missing packages: libgtest-dev libcli11-dev\ninstall-deps: this user cannot install them; as root, run:\n  apt-get update && apt-get install -y libgtest-dev libcli11-dev|"
  "apt fails|libcli11-dev||0|no|yes|1|install-deps: installing libcli11-dev\ninstall-deps: apt-get failed; still missing: libcli11-dev|apt-get update -qq"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name missing removed uid sudo_ok apt_fails status output calls <<<"$row"
  : >"$fake/calls"
  : >"$fake/removed"
  rm -f "$fake/sudo-ok" "$fake/apt-fails"
  [ "$sudo_ok" = yes ] && touch "$fake/sudo-ok"
  [ "$apt_fails" = yes ] && touch "$fake/apt-fails"
  printf '%s\n' $removed >"$fake/removed"
  printf '%s\n' "${packages[@]}" | grep -vxF -f <(printf '%s\n' $missing "") >"$fake/installed" || true
  got_status=0
  got_output=$(FAKE=$fake DPKG_QUERY=$fake/dpkg-query APT_GET=$fake/apt-get SUDO=$fake/sudo ZIN_DEPS_UID=$uid \
    "$script" 2>&1) || got_status=$?
  want_output=$(printf '%b' "$output")
  want_calls=$(printf '%b' "$calls")
  got_calls=$(cat "$fake/calls")
  if [ "$got_status" != "$status" ] || [ "$got_output" != "$want_output" ] || [ "$got_calls" != "$want_calls" ]; then
    failures=$((failures + 1))
    printf 'FAILED: %s\n  status %s, wanted %s\n  output:\n%s\n  wanted:\n%s\n  calls:\n%s\n  wanted:\n%s\n' \
      "$name" "$got_status" "$status" "$got_output" "$want_output" "$got_calls" "$want_calls"
  fi
done
[ $failures -eq 0 ] && echo "install-deps: ${#cases[@]} cases passed"
exit $failures
