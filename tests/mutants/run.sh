#!/usr/bin/env bash
# Mutation check: puts each fault of faults.txt alone into a copy of the
# project, rebuilds the copy and runs its tests. A fault is caught when a test
# fails (or the tests do not finish); MISSED when every test still passes.
#
#   tests/mutants/run.sh [NAME...]        all faults, or only the named ones
#   tests/mutants/run.sh --check          only whether each fault still applies
#
# MUTANTS_WORK names the folder for the copy (default: build/mutants in the
# project folder); MUTANTS_LIST another list of faults. The copy is built in
# its own build/ folder, once, and then again incrementally for each fault; a
# fetched Quake II in build/quake2 is reused for the real-server test.
set -u
shopt -u patsub_replacement 2>/dev/null # "&" in a replacement is literal

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
project=$(cd "$here/../.." && pwd)
list=${MUTANTS_LIST:-$here/faults.txt}
work=${MUTANTS_WORK:-$project/build/mutants}
tree=$work/tree
build=$tree/build # as in a checkout: ccache finds the same relative paths
logs=$work/logs

launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # Objects of another folder with the same sources are good here too.
    export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
fi
# test_package checks the .deb, which no fault here touches.
tests=(ctest --test-dir "$build" --stop-on-failure -E '^test_package$')

names=() paths=() olds=() news=()
# Reads faults.txt into the four lists.
read_faults() {
    local state=idle line name path old new
    while IFS= read -r line || [[ -n $line ]]; do
        case $state in
        idle)
            if [[ $line == '=== '* ]]; then
                read -r name path <<< "${line#=== }"
                old='' new='' state=text
            fi
            ;;
        text) [[ $line == '<<<' ]] && state=old ;;
        old)
            if [[ $line == '---' ]]; then
                state=new
            else
                old+=$line$'\n'
            fi
            ;;
        new)
            if [[ $line == '>>>' ]]; then
                names+=("$name") paths+=("$path") olds+=("$old") news+=("$new")
                state=idle
            else
                new+=$line$'\n'
            fi
            ;;
        esac
    done < "$list"
}

# The project's files as committed or changed, without build folders; the
# copy's own build folder stays. Each file is stamped with the time of the
# copy, so that the build sees a file that changed since an earlier copy even
# when its own time is older than the objects built then.
copy_project() {
    mkdir -p "$tree"
    find "$tree" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} +
    (cd "$project" && git ls-files -z --cached --others --exclude-standard |
        tar --null --files-from=- -cf -) | tar --touch -xf - -C "$tree"
}

# Prints how often $2 occurs in file $1 and leaves the file's text in $text.
occurrences() {
    text=$(cat "$1" && printf x)
    text=${text%x}
    local rest=${text//"$2"/}
    echo $(((${#text} - ${#rest}) / ${#2}))
}

# Only what the tests need: not the program's other targets or the benchmarks.
build_copy() {
    nice -n 10 cmake --build "$build" --target tests/all > "$1" 2>&1
}

run_tests() {
    # A fault that makes a test hang is caught when the time is up.
    QT_QPA_PLATFORM=offscreen timeout 1800 nice -n 10 "${tests[@]}" > "$1" 2>&1
}

read_faults
if [[ ${1:-} == --check ]]; then
    for i in "${!names[@]}"; do
        count=0
        [[ -f $project/${paths[$i]} ]] && count=$(occurrences "$project/${paths[$i]}" "${olds[$i]}")
        printf '%-30s %s\n' "${names[$i]}" "$([[ $count == 1 ]] && echo applies ||
            echo "not applied (found $count times in ${paths[$i]})")"
    done
    echo "${#names[@]} faults"
    exit 0
fi
selected=("$@")
mkdir -p "$logs"
copy_project
nice -n 10 cmake -S "$tree" -B "$build" -G Ninja "${launcher[@]}" > "$logs/configure.log" 2>&1 ||
    { echo "configure failed: $logs/configure.log" >&2; exit 2; }
if [[ -d $project/build/quake2 && ! -e $build/quake2 ]]; then
    ln -s "$project/build/quake2" "$build/quake2"
fi
echo "building the unchanged copy in $build ..."
build_copy "$logs/clean-build.log" || { echo "the unchanged copy does not build" >&2; exit 2; }
if ! run_tests "$logs/clean-tests.log"; then
    echo "the unchanged copy fails its tests: $logs/clean-tests.log" >&2
    exit 2
fi

caught=0 missed=0 skipped=0 unbuilt=0
for i in "${!names[@]}"; do
    name=${names[$i]} path=${paths[$i]} old=${olds[$i]} new=${news[$i]}
    if ((${#selected[@]} > 0)) && [[ " ${selected[*]} " != *" $name "* ]]; then
        continue
    fi
    file=$tree/$path
    count=0
    [[ -f $file ]] && count=$(occurrences "$file" "$old")
    if [[ $count != 1 ]]; then
        printf '%-30s not applied (found %s times in %s)\n' "$name" "$count" "$path"
        skipped=$((skipped + 1))
        continue
    fi
    occurrences "$file" "$old" > /dev/null
    original=$text
    printf '%s' "${text/"$old"/"$new"}" > "$file"
    if ! build_copy "$logs/$name.build.log"; then
        printf '%-30s not built (see %s)\n' "$name" "$logs/$name.build.log"
        unbuilt=$((unbuilt + 1))
    elif run_tests "$logs/$name.log"; then
        printf '%-30s MISSED\n' "$name"
        missed=$((missed + 1))
    else
        first=$(grep -m1 -E 'Test +#[0-9]+: .*(Failed|Timeout|Exception|Not Run)' \
            "$logs/$name.log" | sed -E 's/.*Test +#[0-9]+: ([^ ]+).*/\1/')
        printf '%-30s caught %s\n' "$name" "${first:-(the tests did not finish)}"
        caught=$((caught + 1))
    fi
    # The clean file back, so the next fault is alone again.
    printf '%s' "$original" > "$file"
done
build_copy "$logs/final-build.log" || true

echo "total: $caught caught, $missed MISSED of $((caught + missed)) faults" \
    "($skipped not applied, $unbuilt not built)"
