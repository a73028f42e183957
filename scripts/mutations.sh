#!/usr/bin/env bash
# Puts one deliberate fault at a time into the sources (the list is scripts/mutations.txt),
# rebuilds, runs the whole test suite and prints which tests caught it, as a Markdown table.
# Usage: scripts/mutations.sh BUILD_DIR [FAULT_ID ...]
# MUTATION_CTEST_ARGS passes more arguments to ctest (say "-LE desktop" to leave out the real
# desktop hosts while trying faults the hosts are not meant to catch).
# The file is restored after each fault, also on Ctrl-C or an error.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [FAULT_ID ...]}" && pwd)
shift
only=" $* "
timeout=${MUTATION_TEST_TIMEOUT:-180}

if [ -n "$(git -C "$root" status --porcelain -- src)" ]; then
    echo "src/ has uncommitted changes: the faults are undone with git, so commit or stash them first" >&2
    exit 1
fi

mutated=""
restore() {
    [ -z "$mutated" ] || git -C "$root" checkout -q -- "$mutated"
    mutated=""
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

# Literal replacement; "\n" in either text stands for a line break. The text must occur
# exactly once, or the fault would not be the one described.
apply_fault() {
    FIND=$2 REPLACE=$3 perl -0777 -i -pe '
        BEGIN { ($find, $replace) = map { s/\\n/\n/gr } @ENV{qw(FIND REPLACE)} }
        my $count = () = /\Q$find\E/g;
        die "found $count times, not once\n" if $count != 1;
        s/\Q$find\E/$replace/;
    ' "$root/$1"
}

echo "| fault | description | failing tests |"
echo "|---|---|---|"
while IFS=$'\t' read -r id file find replace description; do
    case "$id" in '' | '#'*) continue ;; esac
    [ "$only" = "  " ] || [[ "$only" == *" $id "* ]] || continue
    mutated=$file
    if ! apply_fault "$file" "$find" "$replace" 2>"$build/mutation.err"; then
        result="fault not applied: $(cat "$build/mutation.err")"
    elif ! cmake --build "$build" -j2 >"$build/mutation-build.log" 2>&1; then
        result="build fails"
    else
        rm -f "$build/Testing/Temporary/LastTestsFailed.log"
        if ctest --test-dir "$build" -j2 --timeout "$timeout" ${MUTATION_CTEST_ARGS:-} >"$build/mutation-ctest.log" 2>&1; then
            result="**not caught**"
        else
            result=$(cut -d: -f2 "$build/Testing/Temporary/LastTestsFailed.log" 2>/dev/null | paste -sd, | sed 's/,/, /g')
        fi
    fi
    restore
    echo "| $id | $description | ${result:-**ctest failed, no test named**} |"
done <"$root/scripts/mutations.txt"

# Leave the build matching the sources again.
cmake --build "$build" -j2 >"$build/mutation-build.log" 2>&1
