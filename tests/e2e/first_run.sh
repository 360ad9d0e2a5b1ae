#!/usr/bin/env bash
# Installs Velmora into a temporary prefix and drives the installed program from outside, as
# a user at the keyboard would: keystrokes into windows found by their titles, on an X server
# of its own, with an empty home. Usage: first_run.sh <build folder>
set -euo pipefail
source "$(dirname "$0")/x_session.sh"

build=$(cd "${1:?usage: first_run.sh <build folder>}" && pwd)
start_session
cmake --install "$build" --prefix "$work/prefix" >/dev/null
program=$work/prefix/bin/velmora
db=$XDG_DATA_HOME/Velmora/data/brevoxal.mdb
main_title="Velmora 1.0 - ${db,,}"

step "first start: installation choice, greeting, company question"
"$program" >"$work/first.log" 2>&1 &
first=$!
started+=("$first")
await_window '^Selecting an Installation Type$'
keys alt+o
await_window '^Welcome$'
keys alt+x
await_window '^Question$'
keys alt+y
await_window '^Company Information$'
type_text "Lakeside Family Practice"
keys alt+o
await_window '^Velmora 1\.0 - '
main=$window
[ "$(xdotool getwindowname "$main")" = "$main_title" ] ||
  fail "the main window is titled '$(xdotool getwindowname "$main")', not '$main_title'"

step "a new patient with a lab visit"
keys alt+f n p
await_window '^Patient Maintenance$'
type_text "Ada"
keys Tab Tab
type_text "Lovelace"
keys Tab
type_text "12/10/1955"
keys alt+s alt+b
await_window '^Blood Work results for Patient$'
keys alt+a
await_window '^Lab Work Results$'
keys alt+c
type_text "215"
keys alt+h
type_text "55"
keys alt+l
type_text "130"
keys alt+s
await_window '^Question$'
keys alt+n
await_closed '^Lab Work Results$'
await_window '^Blood Work results for Patient$'
keys alt+x
await_closed '^Blood Work results for Patient$'
await_window '^Patient Maintenance$'
keys alt+x
await_closed '^Patient Maintenance$'

step "a second instance refuses to start and leaves the first alone"
# It is given another database file, which must not become the remembered one.
other=$work/other/brevoxal.mdb
mkdir -p "$(dirname "$other")"
sqlite3 "$db" ".backup '$other'"
"$program" "$other" >"$work/second.log" 2>&1 &
second=$!
started+=("$second")
await_window '^Attention$' --pid "$second"
keys Return
await_exit "$second" "the second instance"
ended "$first" && fail "the first instance ended when the second was refused"

step "a new window size, then File > Exit"
await_window '^Velmora 1\.0 - '
xdotool windowsize "$main" 1000 700
await_size "$main" 1000 700
keys alt+f x
await_exit "$first" "the first instance after File > Exit"

step "second start: the same database, patient and window size"
"$program" >"$work/again.log" 2>&1 &
again=$!
started+=("$again")
await_window '^Velmora 1\.0 - ' --pid "$again"
[ "$(xdotool getwindowname "$window")" = "$main_title" ] ||
  fail "after a restart the main window is titled '$(xdotool getwindowname "$window")'"
await_size "$window" 1000 700
keys alt+f x
await_exit "$again" "the restarted instance after File > Exit"

step "a database file named on the command line is opened and remembered"
"$program" "$other" >"$work/named.log" 2>&1 &
named=$!
started+=("$named")
await_window '^Velmora 1\.0 - ' --pid "$named"
expect_equal "the title" "Velmora 1.0 - ${other,,}" "$(xdotool getwindowname "$window")"
keys alt+f x
await_exit "$named" "the instance given a database file after File > Exit"
grep -qxF "FileName=$other" "$XDG_CONFIG_HOME/Velmora/Velmora.ini" ||
  fail "the settings do not remember $other"

step "the database file, read with the sqlite3 shell"
expect_equal "integrity" "ok" "$(sqlite3 "$db" 'PRAGMA integrity_check')"
expect_equal "company" "Lakeside Family Practice" "$(sqlite3 "$db" 'SELECT Name FROM Company')"
expect_equal "patients" "1|Ada|Lovelace" \
  "$(sqlite3 "$db" "SELECT ptid, fname, lname FROM Patients WHERE lname = 'Lovelace' ORDER BY lname")"
expect_equal "lab visits" "1|215|55|130" \
  "$(sqlite3 "$db" 'SELECT ptid, overallcl, hdl, ldl FROM LabVisits')"
echo "PASS: the installed program ran its first start, kept its records and its window size"
