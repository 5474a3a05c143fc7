# How a program that fails on purpose in a scenario must have ended (source it): through its own
# error path with status 1, not by a signal, and with no sanitizer's report, for a sanitizer that
# halts on its report ends the process with status 1 as well.
#   fatal_end_problem <status> <output file>...
#                                 prints what is wrong with that end, nothing when it is the one expected
fatal_end_problem() {
  local status=$1 report
  shift
  if [ "$status" -gt 128 ] && [ "$status" -lt 160 ]; then
    echo "ended by signal $((status - 128)) ($(kill -l $((status - 128)) 2>/dev/null)): status $status, expected 1"
  elif [ "$status" -ne 1 ]; then
    echo "status $status, expected 1"
  fi
  report=$(grep -h -m 1 -E 'ERROR: AddressSanitizer|ERROR: LeakSanitizer|LeakSanitizer|runtime error:' "$@" 2>/dev/null |
    head -n 1)
  [ -z "$report" ] || echo "a sanitizer reported: $report"
}
