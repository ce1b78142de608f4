#!/usr/bin/env bash
# Mutation run of the native tests: each hand-made fault of scripts/mutants.txt is applied to a
# copy of the sources, rebuilt and run through `ctest --preset default`; a fault is killed when
# a test fails. Run on demand, not in CI (over an hour on 2 cores, 160 mutants).
#
#   scripts/mutate.sh [NAME...]   every mutant of scripts/mutants.txt, or only those named
#
# The working tree is never changed: the sources are copied to build/mutate/src (refreshed on
# every run, built there with the default preset) and each mutant is undone in that copy before
# the next. Logs: build/mutate/logs/NAME.log. The counts follow by area (the folder, answers/
# split into the JSON writer and the reference), and the last line is "killed K of M" over the
# mutants not marked equivalent. Exit status 1 when a mutant no longer applies (its old text is
# not found exactly once), does not build, or is marked equivalent but killed; 0 otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

usage() {
  sed -n '6,6s/^# *//p' "$0" >&2
  exit 2
}
case "${1:-}" in -h | --help) usage ;; esac

mutants_file=$root/scripts/mutants.txt
work=$root/build/mutate
copy=$work/src
logs=$work/logs

# ---- the mutants: blocks "[name]" followed by "file: ", "old: ", "new: ", "why: " lines and,
# for a fault no test can see, "equivalent: " with the reason.
names=() files=() olds=() news=() whys=() equivalents=()
current=-1
line_number=0
while IFS= read -r line || [ -n "$line" ]; do
  line_number=$((line_number + 1))
  case "$line" in
    "" | "#"*) continue ;;
    "["*"]") ;;
    *)
      if [ "$current" -lt 0 ]; then
        echo "mutate.sh: $mutants_file:$line_number: a field before the first [name]" >&2
        exit 2
      fi
      ;;
  esac
  case "$line" in
    "["*"]")
      current=${#names[@]}
      names+=("${line:1:${#line}-2}") files+=("") olds+=("") news+=("") whys+=("")
      equivalents+=("")
      ;;
    "file: "*) files[current]=${line#file: } ;;
    "old: "*) olds[current]=${line#old: } ;;
    "new: "*) news[current]=${line#new: } ;;
    "why: "*) whys[current]=${line#why: } ;;
    "equivalent: "*) equivalents[current]=${line#equivalent: } ;;
    *)
      echo "mutate.sh: $mutants_file:$line_number: not a mutant line: $line" >&2
      exit 2
      ;;
  esac
done <"$mutants_file"
for i in "${!names[@]}"; do
  if [ -z "${files[i]}" ] || [ -z "${olds[i]}" ] || [ -z "${whys[i]}" ]; then
    echo "mutate.sh: mutant ${names[i]} lacks its file, old text or reason" >&2
    exit 2
  fi
done

selected=()
if [ $# -eq 0 ]; then
  selected=("${!names[@]}")
else
  for wanted in "$@"; do
    found=""
    for i in "${!names[@]}"; do [ "${names[i]}" = "$wanted" ] && found=$i; done
    if [ -z "$found" ]; then
      echo "mutate.sh: no mutant named $wanted" >&2
      exit 2
    fi
    selected+=("$found")
  done
fi

# ---- the copy: files that differ are copied with a fresh time, so the build sees them.
mkdir -p "$copy" "$logs"
git ls-files -z --cached --others --exclude-standard -- . ':!build' |
  while IFS= read -r -d '' path; do
    [ -f "$path" ] || continue
    if ! cmp -s "$path" "$copy/$path"; then
      mkdir -p "$copy/$(dirname "$path")"
      cp -- "$path" "$copy/$path"
    fi
  done

mutated=""   # the file of the copy that holds a mutant now
original=""  # its text before the mutant
restore() {
  if [ -n "$mutated" ]; then
    printf '%s' "$original" >"$mutated"
    mutated=""
  fi
}
trap restore EXIT
trap 'exit 130' INT TERM

# Replaces the one occurrence of OLD in FILE by NEW; status 1 when OLD is missing, 2 when it
# occurs more than once.
apply_mutant() {
  local path=$1 old=$2 new=$3 text rest
  text=$(
    cat -- "$path"
    printf x
  )
  text=${text%x}
  rest=${text#*"$old"}
  [ "$rest" != "$text" ] || return 1
  [[ "$rest" != *"$old"* ]] || return 2
  original=$text
  mutated=$path
  printf '%s' "${text%%"$old"*}$new$rest" >"$path"
}

build_and_test() {
  (
    cd "$copy"
    cmake --build --preset default -j2 || exit 3
    timeout 900 ctest --preset default --timeout 120 --stop-on-failure || exit 4
  )
}

echo "== building the unmutated copy in $copy"
(cd "$copy" && cmake --preset default -DCOILCALC_BENCH=OFF) >"$logs/configure.log" 2>&1 || {
  echo "mutate.sh: configuring the copy failed, see $logs/configure.log" >&2
  exit 1
}
if ! build_and_test >"$logs/unmutated.log" 2>&1; then
  echo "mutate.sh: the unmutated sources do not pass their tests, see $logs/unmutated.log" >&2
  exit 1
fi

# The area a mutant's file belongs to, for the counts at the end.
area_of() {
  case "$1" in
    answers/reference_format.cpp | answers/solve_reference.cpp) echo "answers (reference)" ;;
    answers/*) echo "answers (writer)" ;;
    *) echo "${1%%/*}/" ;;
  esac
}
declare -A area_killed=() area_equivalent=() area_survived=()
count_in() {
  local -n counts=$1
  counts[$2]=$((${counts[$2]:-0} + 1))
}

killed=0 counted=0 broken=0
survivors=() equivalent_survivors=()
for i in "${selected[@]}"; do
  name=${names[i]}
  log=$logs/$name.log
  status=0
  apply_mutant "$copy/${files[i]}" "${olds[i]}" "${news[i]}" || status=$?
  if [ "$status" -ne 0 ]; then
    where="more than once"
    [ "$status" -ne 1 ] || where="nowhere"
    echo "$name: STALE, its old text occurs $where in ${files[i]}"
    broken=$((broken + 1))
    continue
  fi
  build_and_test >"$log" 2>&1 || status=$?
  restore
  if [ "$status" -eq 3 ]; then
    echo "$name: DOES NOT BUILD, see $log"
    broken=$((broken + 1))
    continue
  fi
  area=$(area_of "${files[i]}")
  if [ -n "${equivalents[i]}" ]; then
    if [ "$status" -eq 0 ]; then
      echo "$name: survived, equivalent: ${equivalents[i]}"
      equivalent_survivors+=("$name")
      count_in area_equivalent "$area"
    else
      echo "$name: KILLED, but marked equivalent: see $log"
      broken=$((broken + 1))
    fi
    continue
  fi
  counted=$((counted + 1))
  if [ "$status" -eq 0 ]; then
    echo "$name: SURVIVED (${files[i]}: ${whys[i]})"
    survivors+=("$name")
    count_in area_survived "$area"
  else
    echo "$name: killed"
    killed=$((killed + 1))
    count_in area_killed "$area"
  fi
done

echo "by area: killed / equivalent / survived"
for i in "${selected[@]}"; do area_of "${files[i]}"; done | sort -u |
  while IFS= read -r area; do
    printf '  %-20s %4d %4d %4d\n' "$area" "${area_killed[$area]:-0}" \
      "${area_equivalent[$area]:-0}" "${area_survived[$area]:-0}"
  done

echo "survivors: ${survivors[*]:-none}"
echo "equivalent, survived: ${#equivalent_survivors[@]}" \
  "${equivalent_survivors[*]:+(${equivalent_survivors[*]})}"
if [ "$broken" -ne 0 ]; then
  echo "mutants that no longer apply, do not build or are wrongly marked: $broken"
fi
echo "killed $killed of $counted"
[ "$broken" -eq 0 ]
