#!/usr/bin/env bash
# The system proper (common/, the four programs, the dialog framework and the Win32 subset's
# declarations) must build for real Windows later: no POSIX, Qt, <filesystem> or simulator
# includes. Only the programs' main_sim.cpp files may reach the simulated PC and the backends.
set -u
root=$1
status=0
forbidden_system='^[[:space:]]*#[[:space:]]*include[[:space:]]*<(unistd\.h|fcntl\.h|dlfcn\.h|pthread\.h|spawn\.h|dirent\.h|signal\.h|sys/[^>]*|filesystem|Q[A-Za-z]*|qt[^>]*)>'
forbidden_local='^[[:space:]]*#[[:space:]]*include[[:space:]]*"(platform/sim/|ui/headless/|ui/qt/|ui/env/|sim/)'

check() {
    local pattern=$1
    shift
    local hits
    hits=$(grep -rnE "$pattern" "$@" --include='*.h' --include='*.cpp' 2>/dev/null \
        | grep -v '/main_sim\.cpp:')
    if [ -n "$hits" ]; then
        echo "$hits"
        status=1
    fi
}

portable=()
for dir in common halvgate halvask halvidle hvcheck; do
    [ -d "$root/$dir" ] && portable+=("$root/$dir")
done
framework=()
for file in "$root"/ui/*.h "$root"/ui/*.cpp "$root"/platform/*.h "$root"/platform/*.cpp; do
    [ -f "$file" ] && framework+=("$file")
done

check "$forbidden_system" "${portable[@]}" "${framework[@]}"
check "$forbidden_local" "${portable[@]}" "${framework[@]}"
if [ $status -ne 0 ]; then
    echo "The lines above include Linux-only or simulator code into portable code." >&2
fi
exit $status
