#!/usr/bin/env bash
# Monkey test: the real game under Xvfb gets random clicks on the controls of
# every window (score board, game board, help, About, message boxes, menus),
# random keys (arrows held and released, Return, Escape, letters into the name
# field) and menu shortcuts, for a fixed time. It must never crash or hang. The
# game quitting with status 0 (Quit, Ctrl+Q, the last window closed) is fine:
# it is started again. After every run the score file it had at the start of
# the run is either unchanged or a complete file of name,score lines holding
# all the old records, in any order, plus new ones.
#
#   monkey.sh [GAME [WORKDIR]]
#
#   HUEMIX_MONKEY_SECONDS  how long to play (default 120)
#   HUEMIX_MONKEY_SEED     seed of the monkey's choices (default: a new one, printed)
#   HUEMIX_MONKEY_REPLAY   the actions.log of an earlier run: do its actions
#                          again, at the same moments, instead of random ones
#   HUEMIX_XCLIENT         the huemix_xclient tool (default: next to GAME)
#
# Every action goes to WORKDIR/actions.log, each run's output to run-N.log.
# ctest stops a test after 400 s: run longer sessions from the shell.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
game=${1:-$here/../../build/bin/huemix}
work=${2:-$(mktemp -d -t huemix-monkey.XXXXXX)}
seconds=${HUEMIX_MONKEY_SECONDS:-120}
seed=${HUEMIX_MONKEY_SEED:-$(((${EPOCHREALTIME/./} / 1000) % 1000000000))}
replay=${HUEMIX_MONKEY_REPLAY:-}
xclient=${HUEMIX_XCLIENT:-$(dirname "$game")/huemix_xclient}

source "$here/../xvfb/lib.sh"

[[ -x $game ]] || { echo "monkey: no game at $game" >&2; exit 1; }
[[ -x $xclient ]] || { echo "monkey: no huemix_xclient at $xclient (set HUEMIX_XCLIENT)" >&2; exit 1; }
[[ -z $replay || -r $replay ]] || { echo "monkey: cannot read $replay" >&2; exit 1; }
if [[ -n $replay ]]; then
    # The log may sit in the work dir that is about to be emptied.
    copy=$(mktemp -t huemix-monkey-replay.XXXXXX)
    cp "$replay" "$copy"
    replay=$copy
    at_exit "rm -f '$replay'"
fi

rm -rf "$work"
mkdir -p "$work/config" "$work/bin" "$work/runtime"
chmod 700 "$work/runtime"
actions=$work/actions.log
prefs=$work/config/Huemix.prefs
printf 'Ann,12\nBob,7\nCyd,40\nAnn,3\nDee,0\n' >"$prefs"
: >"$actions"

# The About window's mail link must not start a mail program here.
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$*" >>"$work/xdg-open.log"
EOF
chmod +x "$work/bin/xdg-open"

RANDOM=$seed
start_us=${EPOCHREALTIME/./}
if [[ -n $replay ]]; then
    echo "monkey: replaying ${HUEMIX_MONKEY_REPLAY}, work dir $work"
    echo "# replay of ${HUEMIX_MONKEY_REPLAY}, game $game" >>"$actions"
else
    echo "monkey: seed $seed, $seconds s, work dir $work"
    echo "# seed $seed, $seconds s, game $game" >>"$actions"
fi

# --- bookkeeping ----------------------------------------------------------

pid=
run=0
runs_clean=0
boxes_seen=0
saves_seen=0
action_count=0
menubar=19
calm_until=0
quit_soon=0

elapsed_ms() { echo $(((${EPOCHREALTIME/./} - start_us) / 1000)); }
note() { echo "# $(elapsed_ms) $run $*" >>"$actions"; }

fail() {
    echo "monkey: FAILED in run $run after $(elapsed_ms) ms: $*" >&2
    note "FAILED: $*"
    echo "--- last actions (all in $actions):" >&2
    tail -n 25 "$actions" >&2
    if [[ -s $work/run-$run.log ]]; then
        echo "--- output of run $run:" >&2
        tail -n 60 "$work/run-$run.log" >&2
    fi
    echo "--- again with: HUEMIX_MONKEY_SEED=$seed, or the same actions:" \
        "HUEMIX_MONKEY_REPLAY=$actions $0 $game" >&2
    if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid" 2>/dev/null || true
    fi
    exit 1
}

# R <- a random number in 0..N-1 (never in a subshell: that would not advance
# the sequence, and the seed would no longer replay the same choices).
rnd() { R=$((RANDOM % $1)); }

# --- the game's windows ---------------------------------------------------

# Visible windows of the game by role: scores, board, help, about, box (a
# message box), menu (an open menu), other.
declare -A win=()
declare -A size=()

scan() {
    win=()
    size=()
    local ids id hex tree line name w h type role
    ids=$(timeout 5 xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true)
    [[ -n $ids ]] || return 0
    tree=$(timeout 5 xwininfo -root -children 2>/dev/null || true)
    for id in $ids; do
        printf -v hex '0x%x' "$id"
        line=$(grep -m1 -E "^ +$hex " <<<"$tree" || true)
        [[ $line =~ \"([^\"]*)\":.*\ ([0-9]+)x([0-9]+)\+ ]] || continue
        name=${BASH_REMATCH[1]} w=${BASH_REMATCH[2]} h=${BASH_REMATCH[3]}
        case $name in
            Scores) role=scores ;;
            HELP) role=help ;;
            About) role=about ;;
            Huemix)
                # 500 x 573 of content below the menu bar.
                if ((w == 500 && h >= 573)); then
                    role=board
                else
                    type=$(timeout 5 xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null || true)
                    case $type in
                        *POPUP_MENU* | *DROPDOWN_MENU*) role=menu ;;
                        *DIALOG*) role=box ;;
                        *) role=other ;;
                    esac
                fi
                ;;
            *) role=other ;;
        esac
        win[$role]=$id
        size[$role]="$w $h"
    done
}

# Height of the board's menu bar: where the white playing field begins.
measure_menubar() {
    local offset
    import -window "${win[board]}" "$work/board.png" 2>/dev/null || return 0
    offset=$(convert "$work/board.png" -crop 1x80+150+0 +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[,:]' '/#FFFFFF/ { print $2; exit }')
    if [[ -n $offset ]] && ((offset > 5 && offset < 60)); then
        menubar=$offset
        note "menu bar height $menubar"
    fi
}

# --- the game process -----------------------------------------------------

start_game() {
    run=$((run + 1))
    cp "$prefs" "$work/before-$run"
    # The first run, and one in three after it, begins with a calm spell that
    # lasts until the first message box (most often the game-over one), at
    # most 100 s: long enough for an Expert game to reach its end.
    calm_until=0
    rnd 3
    if ((run == 1 || R == 0)); then
        calm_until=$((SECONDS + 100))
        note "start, calm"
    else
        note "start"
    fi
    PATH="$work/bin:$PATH" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
        "$game" >"$work/run-$run.log" 2>&1 &
    pid=$!
    local deadline=$((SECONDS + 30))
    while :; do
        scan
        [[ -n ${win[scores]:-} ]] && break
        if ! kill -0 "$pid" 2>/dev/null; then
            game_ended
            fail "the game ended before its score board appeared"
        fi
        ((SECONDS < deadline)) || fail "the score board did not appear within 30 s"
        sleep 0.1
    done
    last_seen=$SECONDS
}

# The score file after a run: the old content, or every old record (in any
# order) and new ones, each line name,score, the last line complete.
check_scores() {
    local before=$work/before-$run
    [[ -f $prefs ]] || fail "the score file is gone"
    if ! cmp -s "$before" "$prefs"; then
        saves_seen=$((saves_seen + 1))
        if [[ -s $prefs && $(tail -c 1 "$prefs" | od -An -c | tr -d ' ') != '\n' ]]; then
            fail "the score file ends in the middle of a line"
        fi
        local bad
        bad=$(grep -n -v -E '^[^,]+,-?[0-9]+$' "$prefs" | head -n 3 || true)
        [[ -z $bad ]] || fail "the score file has lines that are not name,score: $bad"
        local lost
        lost=$(LC_ALL=C comm -23 <(LC_ALL=C sort "$before") <(LC_ALL=C sort "$prefs") | head -n 3)
        [[ -z $lost ]] || fail "records of the old score file are missing: $lost"
        note "score file now $(wc -l <"$prefs") records"
    fi
    local leftover
    leftover=$(find "$work/config" -mindepth 1 ! -name Huemix.prefs | head -n 3)
    [[ -z $leftover ]] || fail "files left beside the score file: $leftover"
}

# The game has ended by itself: fine with status 0, then the file is checked.
game_ended() {
    local status=0
    wait "$pid" || status=$?
    pid=
    if ((status != 0)); then
        if ((status > 128)); then
            fail "the game died of signal $((status - 128)) ($(kill -l $((status - 128)) 2>/dev/null || echo '?'))"
        fi
        fail "the game exited with status $status"
    fi
    note "quit with status 0"
    runs_clean=$((runs_clean + 1))
    check_scores
}

# A game whose event loop is stuck no longer answers a ping; one that is only
# slow (a loaded machine, a sanitizer build) answers within the 15 s.
check_alive() {
    local tries=0 misses=0 target rc id
    while ((tries < 8)); do
        tries=$((tries + 1))
        kill -0 "$pid" 2>/dev/null || return 0
        target=
        for id in "${win[@]}"; do
            target=$id
            break
        done
        if [[ -z $target ]]; then
            # Between two windows: a hidden one of the game answers too (not
            # the 1x1 group leader, which is no window of the toolkit's own).
            target=$(timeout 5 xwininfo -root -children 2>/dev/null |
                awk '/"(Scores|Huemix|HELP|About)": \(/ && !/ 1x1\+/ { print $1; exit }' || true)
        fi
        [[ -n $target ]] || { sleep 0.2 && scan && continue; }
        rc=0
        "$xclient" ping "$target" 5000 || rc=$?
        case $rc in
            0) return 0 ;;
            2) scan ;; # that window went away; ask another
            1)
                misses=$((misses + 1))
                note "no answer to a ping within 5 s ($misses)"
                ((misses < 3)) || hung
                ;;
            *) fail "huemix_xclient ping failed ($rc)" ;;
        esac
    done
    fail "no window of the game could be pinged"
}

hung() {
    local state
    state=$(awk '{ print "state " $3 ", user ticks " $14 ", system ticks " $15 }' "/proc/$pid/stat" 2>/dev/null || true)
    echo "monkey: the game does not answer for 15 s: $state, wchan $(cat "/proc/$pid/wchan" 2>/dev/null || true)" >&2
    if command -v gdb >/dev/null; then
        timeout 60 gdb -p "$pid" -batch -ex 'thread apply all bt' >"$work/hang-backtrace.txt" 2>&1 || true
        echo "monkey: backtrace in $work/hang-backtrace.txt" >&2
    fi
    fail "the game hangs ($state)"
}

# --- actions ----------------------------------------------------------------
#
# An action is one line: KIND ROLE ARGS. The log holds them with the time in
# ms and the run number, and a replay does them again from there.

focus() {
    timeout 2 xdotool windowfocus --sync "$1" 2>/dev/null || true
}

perform() {
    local kind=$1 role=$2
    shift 2
    local id=${win[$role]:-}
    if [[ -z $id ]]; then
        note "skipped $kind $role $* (no $role on screen)"
        return 0
    fi
    echo "$(elapsed_ms) $run $kind $role $*" >>"$actions"
    action_count=$((action_count + 1))
    case $kind in
        click)
            timeout 5 xdotool mousemove --window "$id" "$1" "$2" click 1 2>/dev/null || true
            # A menu opens a moment after the click on its title.
            [[ ($role != board && $role != scores) || $2 -ge $menubar ]] || sleep 0.2
            ;;
        key) focus "$id" && timeout 5 xdotool key "$@" 2>/dev/null || true ;;
        type) focus "$id" && timeout 10 xdotool type --delay 15 "$1" 2>/dev/null || true ;;
        hold)
            # hold ROLE MS KEY...: press the keys together, hold, release.
            local ms=$1
            shift
            focus "$id"
            timeout 5 xdotool keydown "$@" 2>/dev/null || true
            sleep "$(printf '%d.%03d' $((ms / 1000)) $((ms % 1000)))"
            timeout 5 xdotool keyup "$@" 2>/dev/null || true
            ;;
        close) "$xclient" close "$id" || true ;;
        idle) sleep "$(printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)))" ;;
        *) fail "unknown action $kind" ;;
    esac
}

# A random spot of a role's window.
anywhere() {
    local w h
    read -r w h <<<"${size[$1]}"
    rnd "$w"
    local x=$R
    rnd "$h"
    act="click $1 $x $R"
}

# Keys that every window may get now and then; Ctrl+Q only rarely, and never
# in a calm spell.
any_key() {
    local keys=(Return Escape space Tab BackSpace ctrl+a ctrl+c ctrl+v ctrl+x ctrl+z a q)
    rnd 200
    if ((R == 0 && SECONDS >= calm_until)); then
        act="key $1 ctrl+q"
    else
        rnd ${#keys[@]}
        act="key $1 ${keys[R]}"
    fi
}

choose_scores() {
    local o=$menubar # the same menu bar as the board's
    rnd 100
    if ((R < 28)); then act="click scores 224 $((245 + o))" # Run
    elif ((R < 36)); then act="click scores 142 $((272 + o))" # the name field
    elif ((R < 44)); then rnd 80 && act="click scores $((40 + R)) $((31 + o))" # "Name"
    elif ((R < 50)); then rnd 60 && act="click scores $((130 + R)) $((31 + o))" # "Score"
    elif ((R < 55)); then rnd 70 && act="click scores 100 $((45 + R + o))" # a row
    elif ((R < 70)); then
        local letters=abcdefghijklmnopqrstuvwxyz text= n
        rnd 6 && n=$((R + 1))
        while ((n-- > 0)); do rnd 26 && text+=${letters:R:1}; done
        act="type scores $text"
    elif ((R < 72)); then act="close scores" # its close box
    elif ((R < 85)); then any_key scores
    else anywhere scores
    fi
}

choose_board() {
    local o=$menubar
    rnd 1000
    if ((SECONDS < calm_until && R < 340)) && ((R < 15 || (R >= 100 && R < 240) || R >= 290)); then
        # A calm spell leaves alone what ends or leaves the game (Start and
        # Expert still get their clicks), so a game can go on to its end.
        local r=$R
        rnd 20
        ((R == 0)) || { rnd 660 && R=$((R + 340)); }
        ((R >= 340)) || R=$r
    fi
    if ((quit_soon)); then
        # After a message box, Quit comes soon: in Expert that saves the scores.
        quit_soon=0
        local kept=$R
        rnd 2
        ((R == 0)) || R=$kept
    fi
    if ((R < 15)); then act="click board 46 $((510 + o))" # Quit
    elif ((R < 100)); then act="click board 138 $((510 + o))" # Start
    elif ((R < 150)); then act="click board 234 $((510 + o))" # New Game
    elif ((R < 200)); then act="click board 340 $((510 + o))" # HELP
    elif ((R < 240)); then act="click board 340 $((314 + o))" # Beginner
    elif ((R < 290)); then act="click board 340 $((353 + o))" # Expert
    elif ((R < 325)); then act="click board 20 9" # the File menu
    elif ((R < 340)); then act="click board 56 9" # the Edit menu
    elif ((R < 640)); then
        # Arrows: tapped, held, or both at once.
        local ms keys=(Left Right Left Right "Left Right")
        rnd 400 && ms=$((R + 20))
        rnd ${#keys[@]}
        act="hold board $ms ${keys[R]}"
    elif ((R < 690)); then rnd 288 && local x=$R && rnd 480 && act="click board $((6 + x)) $((o + R))" # the field
    elif ((R < 780)); then rnd 1200 && act="idle board $((R + 100))" # let tiles fall
    elif ((R < 890)); then any_key board
    else anywhere board
    fi
}

choose_help() {
    rnd 100
    if ((R < 55)); then act="click help 333 395" # BACK
    elif ((R < 75)); then act="key help Return"
    elif ((R < 85)); then any_key help
    else anywhere help
    fi
}

choose_about() {
    rnd 100
    if ((R < 55)); then act="click about 255 241" # Close
    elif ((R < 65)); then act="click about 100 235" # the mail link
    elif ((R < 80)); then any_key about
    else anywhere about
    fi
}

choose_box() {
    local w h
    read -r w h <<<"${size[box]}"
    rnd 100
    if ((R < 45)); then act="click box $((w - 50)) $((h - 23))" # OK
    elif ((R < 65)); then act="key box Return"
    elif ((R < 75)); then act="key box Escape"
    elif ((R < 85)); then any_key box
    else anywhere box
    fi
}

choose_menu() {
    local w h
    read -r w h <<<"${size[menu]}"
    rnd 100
    if ((h < 60)); then
        # File: Quit, then AboutHuemix.
        if ((R < 70)); then act="click menu $((w / 2)) $((h - 11))"
        elif ((R < 75)); then act="click menu $((w / 2)) 11"
        else act="key menu Escape"
        fi
    else
        if ((R < 70)); then rnd $((h - 8)) && act="click menu $((w / 2)) $((4 + R))"
        else act="key menu Escape"
        fi
    fi
}

choose_other() {
    rnd 2
    if ((R == 0)); then any_key other; else anywhere other; fi
}

choose() {
    # The window on top gets most of the actions; the others still get some.
    local order=(menu box about help board scores other) role top= others=()
    for role in "${order[@]}"; do
        [[ -n ${win[$role]:-} ]] || continue
        if [[ -z $top ]]; then top=$role; else others+=("$role"); fi
    done
    if [[ -z $top ]]; then
        act="idle none 100"
        return
    fi
    role=$top
    rnd 100
    if ((R < 10 && ${#others[@]} > 0)); then
        rnd ${#others[@]}
        role=${others[R]}
    fi
    "choose_$role"
}

# --- the run ----------------------------------------------------------------

start_xvfb
at_exit '[[ -n $pid ]] && kill -9 "$pid" 2>/dev/null || true'
start_game

replay_lines=()
if [[ -n $replay ]]; then
    mapfile -t replay_lines < <(grep -v '^#' "$replay")
fi
next=0
last_box=
last_board=

while :; do
    if [[ -n $replay ]]; then
        ((next < ${#replay_lines[@]})) || break
        read -r at _ line <<<"${replay_lines[next]}"
        next=$((next + 1))
        while (($(elapsed_ms) < at)); do sleep 0.02; done
    else
        (($(elapsed_ms) < seconds * 1000)) || break
    fi

    scan
    if ((${#win[@]} > 0)); then
        last_seen=$SECONDS
    elif ((SECONDS - last_seen > 10)) && kill -0 "$pid" 2>/dev/null; then
        check_alive
        fail "the game runs with no window on screen for 10 s"
    fi
    if [[ -n ${win[box]:-} && ${win[box]} != "$last_box" ]]; then
        boxes_seen=$((boxes_seen + 1))
        calm_until=0
        quit_soon=1
        note "message box ${win[box]}"
    fi
    last_box=${win[box]:-}
    if [[ -n ${win[board]:-} && -z $last_board ]]; then
        measure_menubar
        last_board=${win[board]}
    fi

    if [[ -n $replay ]]; then
        # shellcheck disable=SC2086
        perform $line
    else
        choose
        # shellcheck disable=SC2086
        perform $act
        rnd 150
        sleep "0.$(printf '%03d' "$R")"
    fi

    if ! kill -0 "$pid" 2>/dev/null; then
        game_ended
        start_game
        continue
    fi
    check_alive
    kill -0 "$pid" 2>/dev/null || { game_ended && start_game; }
done

# The end: menus and boxes out of the way, then the board's Quit after a
# click on Expert, which saves the scores unless a Beginner game holds Expert
# disabled; Ctrl+Q for whatever is left.
note "ending"
ran=0
quitted=0
for ((try = 0; try < 10; try++)); do
    kill -0 "$pid" 2>/dev/null || break
    scan
    if [[ -n ${win[menu]:-} ]]; then perform key menu Escape
    elif [[ -n ${win[box]:-} ]]; then perform key box Return
    elif [[ -n ${win[board]:-} ]] && ((!quitted)); then
        perform click board 340 $((353 + menubar))
        perform click board 46 $((510 + menubar))
        quitted=1
    elif [[ -n ${win[board]:-} ]]; then perform key board ctrl+q
    elif [[ -n ${win[scores]:-} ]] && ((!ran)); then
        perform click scores 224 245
        ran=1
    elif [[ -n ${win[scores]:-} ]]; then perform key scores ctrl+q
    elif [[ -n ${win[help]:-} ]]; then perform click help 333 395
    elif [[ -n ${win[about]:-} ]]; then perform click about 255 241
    fi
    sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then
    check_alive
    fail "the game did not quit on Ctrl+Q"
fi
game_ended

echo "monkey: ok: $action_count actions in $(($(elapsed_ms) / 1000)) s, $run runs ended with status 0," \
    "$boxes_seen message boxes, $saves_seen score file saves, now $(wc -l <"$prefs") records"
