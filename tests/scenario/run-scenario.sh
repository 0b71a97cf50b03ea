# shellcheck shell=bash
# Sourceable: runs the shared scenario (scenario.txt) with the actions and observations of one
# edition's driver.
#
#   scenario_run <file>   takes each "do" step with do_<action> <arguments>, then polls each "see"
#                         line's see_<what> <expected words> until what it prints equals the
#                         expected value, for up to TARVEX_SCENARIO_WAIT seconds (default 20);
#                         prints every step and observation, and at the first that does not hold
#                         calls scenario_fail <message> (the driver's: it shows what it saw, exits 1)
#
# The driver reads Tarvex's list with read_rows, which writes its rows to $scenario_rows as
# "<caption>\t<process id>\t<checked 0/1>\t<selected 0/1>" lines; the observations of the list
# live here:
#   see_list              the rows in their order: "[x] Caption" or "[ ] Caption", and " (pid N)"
#                         where N is not app_pid[<caption>], the process of the application
#   see_rows              the captions in caption order, whatever the list's order
#   see_pids              ascending when the process ids are in ascending numeric order
#   row_of <caption>      prints the caption's row, from 0, in the rows read last
#
# Both editions' applications are X11 windows, so the observations of them live here too:
#   see_window <caption>  normal, minimized or gone: the window app_window[<caption>] as the
#                         window manager has it
#   see_settings          the window's place and size, the column widths and the options in
#                         $scenario_ini in key order, then the ignore list

declare -A app_window=() app_pid=()
scenario_ini=""
scenario_rows=""

scenario_run() {
  local file="$1" number=0 line verb what expected observed last_step=""
  while IFS= read -r line || [ -n "$line" ]; do
    number=$((number + 1))
    case "$line" in '' | '#'*) continue ;; esac
    read -r verb what <<<"$line"
    case "$verb" in
    do)
      last_step="$what"
      echo "do $what"
      local -a words
      read -r -a words <<<"$what"
      "do_${words[0]//-/_}" "${words[@]:1}" ||
        scenario_fail "line $number: the step 'do $what' could not be taken"
      ;;
    see)
      local -a words
      read -r -a words <<<"$what"
      expected="${words[*]:1}"
      if scenario_poll "${words[0]//-/_}" "$expected" "${words[@]:1}"; then
        echo "see ${words[0]} $expected"
      else
        scenario_fail "line $number, after 'do $last_step': expected 'see ${words[0]} $expected'," \
          "saw 'see ${words[0]} $observed'"
      fi
      ;;
    *) scenario_fail "line $number of $file is neither a step nor an observation: $line" ;;
    esac
  done <"$file"
}

# Sets observed to what see_<what> printed last; true once it is the expected value.
scenario_poll() {
  local what="$1" expected="$2" deadline
  shift 2
  deadline=$((SECONDS + ${TARVEX_SCENARIO_WAIT:-20}))
  while :; do
    observed="$("see_$what" "$@" 2>/dev/null)"
    [ "$observed" = "$expected" ] && return 0
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

see_window() {
  local id="${app_window[$1]:-}" state=gone
  if [ -n "$id" ] && wmctrl -l | grep -q "^$id "; then
    case "$(xprop -id "$id" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p')" in
    Normal) state=normal ;;
    Iconic) state=minimized ;;
    *) state=withdrawn ;;
    esac
  fi
  echo "$1 $state"
}

see_settings() {
  [ -f "$scenario_ini" ] || {
    echo "(no file)"
    return
  }
  tr -d '\r' <"$scenario_ini" | awk '
    function add(text) { out = out (out == "" ? "" : " ") text }
    /^\[/ { section = tolower($0); next }
    section == "[tarvex window]" && /^(Left|Top|Width|Height|Column1|Column2|MinimizeToTray|HotKeyCode)=/ { add($0) }
    section == "[tarvex ignore]" && /=/ { ignored = ignored " " $0 }
    section == "[tarvex ignore]" { has_ignore = 1 }
    END { if (has_ignore) add("[Tarvex Ignore]" ignored); print out }'
}

row_texts() {
  local caption pid checked mark
  while IFS=$'\t' read -r caption pid checked _; do
    mark="[ ]"
    [ "$checked" = 1 ] && mark="[x]"
    if [ "${app_pid[$caption]:-}" = "$pid" ]; then
      echo "$mark $caption"
    else
      echo "$mark $caption (pid $pid)"
    fi
  done <"$scenario_rows"
}

see_list() {
  read_rows && row_texts | paste -sd'|' | sed 's/|/ | /g'
}

see_rows() {
  read_rows && row_texts | sed 's/^\[.\] //' | sort | paste -sd',' | sed 's/,/, /g'
}

see_pids() {
  read_rows || return 1
  if cut -f2 "$scenario_rows" | sort -n -c 2>/dev/null; then echo ascending; else echo unordered; fi
}

row_of() {
  local number
  number="$(cut -f1 "$scenario_rows" | grep -n -m1 -x -F "$1" | cut -d: -f1)"
  [ -n "$number" ] && echo $((number - 1))
}
