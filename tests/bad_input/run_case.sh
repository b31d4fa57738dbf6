#!/usr/bin/env bash
# Runs one case of the bad-input table and compares what the program did with it.
#   run_case.sh CASE PROGRAM INPUTS [--japanese]
# With --japanese the program runs with --lang ja: the exit status must be the same, and
# every line of standard error that begins "comet-workbench: " must say something in
# Japanese (a line of file and option names only would be a text left in English).
# A case file holds, after any "#" comment lines:
#   $ COMMAND   a line of the bash commands to run (several lines form one script);
#               $COMET is the program, $INPUTS the folder of input files, $WORK an
#               empty folder of this run, $AS_NOBODY a prefix that drops root's rights
#   ? STATUS    the exit status of those commands
#   ! LINE      a line of the exact standard error ($WORK and $INPUTS stand for the folders)
#   > LINE      a line of the exact standard output (not compared when there is none)
#   % KIB       the peak resident memory stays below KIB (not checked under sanitizers)
# Exit status: 0 as expected, 1 not, 77 the case cannot run here.
set -uo pipefail
case_file=$1
export COMET=$2 INPUTS=$3
japanese=${4:-}
WORK=$(mktemp -d)
export WORK
trap 'chmod -R u+rwx "$WORK"; rm -rf "$WORK" "$WORK.ja"' EXIT
chmod 755 "$WORK"
if [ "$japanese" = --japanese ]; then
  printf '#!/bin/sh\nexec "%s" --lang ja "$@"\n' "$COMET" >"$WORK.ja"
  chmod 755 "$WORK.ja"
  COMET=$WORK.ja
fi

# Root reads every file: a case about permissions runs its command as nobody.
AS_NOBODY=""
if [ "$(id -u)" -eq 0 ]; then
  AS_NOBODY="setpriv --reuid=65534 --regid=65534 --clear-groups"
  if grep -q 'AS_NOBODY' "$case_file" && ! $AS_NOBODY "$COMET" --help >/dev/null 2>&1; then
    echo "nobody cannot run $COMET here"
    exit 77
  fi
fi
export AS_NOBODY

section() { sed -n -e "s/^$1 //p" -e t -e "s/^$1\$//p" "$case_file"; }
commands=$(section '\$')
if [ "$japanese" = --japanese ] && grep -qE -- '--lang en( |$)' <<<"$commands"; then
  echo "the case chooses English itself"
  exit 77
fi
expected_status=$(section '?')
memory_limit=$(section '%')
section '!' >"$WORK.expected_err"
section '>' >"$WORK.expected_out"

if [ -n "$memory_limit" ] && [ -z "${SANITIZED:-}" ]; then
  /usr/bin/time -f '%M' -o "$WORK.memory" bash -c "$commands" >"$WORK.out" 2>"$WORK.err"
  status=$?
else
  bash -c "$commands" >"$WORK.out" 2>"$WORK.err"
  status=$?
fi

shown() { sed -e "s|$WORK|\$WORK|g" -e "s|$INPUTS|\$INPUTS|g" "$1"; }
failed=0
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  failed=1
fi
if [ "$japanese" = --japanese ]; then
  english=$(shown "$WORK.err" | grep -a '^comet-workbench: ' | LC_ALL=C grep -av $'[\x80-\xff]')
  if [ -n "$english" ]; then
    printf 'left in English:\n%s\n' "$english"
    failed=1
  fi
  rm -f "$WORK".expected_err "$WORK".expected_out "$WORK".out "$WORK".err "$WORK".memory
  exit $failed
fi
if ! diff -u "$WORK.expected_err" <(shown "$WORK.err"); then
  echo "standard error differs"
  failed=1
fi
if [ -s "$WORK.expected_out" ] && ! diff -u "$WORK.expected_out" <(shown "$WORK.out"); then
  echo "standard output differs"
  failed=1
fi
if [ -f "$WORK.memory" ]; then
  peak=$(tail -n 1 "$WORK.memory")
  echo "peak resident memory: $peak KiB (limit $memory_limit KiB)"
  if [ "$peak" -ge "$memory_limit" ]; then failed=1; fi
fi
rm -f "$WORK".expected_err "$WORK".expected_out "$WORK".out "$WORK".err "$WORK".memory
exit $failed
