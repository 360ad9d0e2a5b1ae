#!/usr/bin/env bash
# Mutation run: puts each mutant of scripts/mutants.txt into the sources in turn, rebuilds the
# test programs incrementally and runs them. A mutant is killed when a test fails; one that
# survives marks a fault no test would catch.
#
#   scripts/mutate.sh [build-dir] [results-file] [mutants-file]
#
# The tests of the mutated library's own folder run first and the rest only when those pass,
# so a killed mutant costs one folder's run. The machine's CUPS server should be running
# (scripts/start-cups.sh) so that the print tests count.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-mut}
results=${2:-$root/mutation-results.txt}
mutants=${3:-$root/scripts/mutants.txt}
cd "$root"

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 \
    "${launcher[@]}" >/dev/null || exit 1

# Test folders that link the given source folder, its own first.
stages() {
    case $1 in
    data) echo '^data\.' '^(search|print|reference|patients|exchange|app)\.' ;;
    search) echo '^search\.' '^(print|reference|patients|app)\.' ;;
    print) echo '^print\.' '^(reference|patients|app)\.' ;;
    reference) echo '^reference\.' '^(patients|app)\.' ;;
    patients) echo '^patients\.' '^app\.' ;;
    *) echo "^$1\\." ;;
    esac
}

targets() {
    ctest --test-dir "$build" -N -R "$1" | sed -n 's/.*Test *#[0-9]*: [a-z]*\.\(tst_[A-Za-z0-9]*\)$/\1/p'
}

# Prints killed, survived or unbuilt.
judge() {
    local regex
    for regex in $(stages "$1"); do
        # shellcheck disable=SC2046
        cmake --build "$build" -j2 --target $(targets "$regex") >/dev/null 2>&1 || { echo unbuilt; return; }
        ctest --test-dir "$build" -R "$regex" --stop-on-failure --timeout 120 -j2 >/dev/null 2>&1 ||
            { echo killed; return; }
    done
    echo survived
}

# Replaces the one occurrence of $2 in file $1 by $3; fails when it is not there exactly once.
apply() {
    python3 - "$@" <<'PY'
import sys
path, old, new = sys.argv[1:]
text = open(path).read()
if text.count(old) != 1:
    sys.exit(f"{path}: the mutated text occurs {text.count(old)} times")
open(path, "w").write(text.replace(old, new))
PY
}

cmake --build "$build" -j2 >/dev/null || { echo "The unmutated tree does not build." >&2; exit 1; }
: >"$results"
killed=0 total=0 n=0
while IFS=$'\t' read -r file old new; do
    [[ -z $file || $file == \#* ]] && continue
    n=$((n + 1))
    cp "$file" "$build/mutant.orig"
    trap 'cp "$build/mutant.orig" "$file"; exit 130' INT TERM
    if apply "$file" "$old" "$new"; then
        folder=$(echo "$file" | cut -d/ -f2)
        verdict=$(judge "$folder")
    else
        verdict=unbuilt
    fi
    cp "$build/mutant.orig" "$file"
    trap - INT TERM
    [[ $verdict == unbuilt ]] || total=$((total + 1))
    [[ $verdict == killed ]] && killed=$((killed + 1))
    printf '%s\t%d\t%s\t%s\n' "$verdict" "$n" "$file" "$old" | tee -a "$results"
done <"$mutants"
cmake --build "$build" -j2 >/dev/null
echo "Killed $killed of $total mutants." | tee -a "$results"
