# Wine for the Windows check, sourced by tools/windows-check, tools/wine-run and the
# Windows tests in tests/windows/: a private prefix with a private home in build-wine/
# (wine links the user's Desktop, Documents and the like to $HOME, and the tests write
# to and move the desktop folder), the zh_CN.UTF-8 locale for code page 936, and virtual
# displays for the programs that need one.
#
# Needs `root` set to the top of the clone. SUMBROOK_WINE_DIR moves the prefix elsewhere;
# SUMBROOK_WINE_LOCALE (default zh_CN.UTF-8) sets its code page (en_US.UTF-8: 1252), and
# SUMBROOK_WINE_USER the name of its user (wine takes it from USER when it makes the prefix).

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
wine_dir=${SUMBROOK_WINE_DIR:-$root/build-wine}
prefix="$wine_dir/prefix"
wine_home="$wine_dir/home"
locale_name=${SUMBROOK_WINE_LOCALE:-zh_CN.UTF-8}
# The environment every wine call runs in: wine_env keeps DISPLAY as it is, wine_headless
# takes it away. winemenubuilder would copy the Start-menu shortcuts that installers make
# into the desktop's own menus: this prefix is for checking, not for use.
wine_vars=(HOME="$wine_home" WINEPREFIX="$prefix" WINEDEBUG=-all
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL="$locale_name")
[ -z "${SUMBROOK_WINE_USER:-}" ] || wine_vars+=(USER="$SUMBROOK_WINE_USER")
wine_env=(env -u WAYLAND_DISPLAY "${wine_vars[@]}")
wine_headless=(env -u DISPLAY -u WAYLAND_DISPLAY "${wine_vars[@]}")

# Windows path of a folder of this system: wine maps / to Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

wine_say() { printf '%s: %s\n' "${wine_caller:-wine}" "$*" >&2; }

# The program is written for code page 936. Wine takes its code page from the locale, and
# its file names' encoding too, so the locale must really exist, not just be named.
wine_ensure_locale() {
    local language=${locale_name%%.*}
    locale -a 2>/dev/null | grep -qix "${language//./\\.}\\.utf-\\?8" && return 0
    if [ "$(id -u)" -ne 0 ]; then
        wine_say "the $locale_name locale is missing (as root: localedef -i $language -c -f UTF-8 $locale_name)"
        return 1
    fi
    localedef -i "$language" -c -f UTF-8 "$locale_name"
}

# Makes the prefix when it is missing, or when it was made before the Chinese font was
# installed: wine lists the fonts it finds through fontconfig once, when the prefix is
# made, and without a CJK font every Chinese text shows as empty boxes.
wine_ensure_prefix() {
    mkdir -p "$wine_dir" "$wine_home"
    (
        flock 7
        if [ ! -f "$prefix/system.reg" ] || ! grep -q 'wqy-microhei' "$prefix/system.reg"; then
            rm -rf "$prefix"
            wine_say "making the wine prefix (the first time takes a while)"
            local started
            started=$(date +%s)
            "${wine_headless[@]}" "$wine" wineboot -i >"$wine_dir/wineboot.log" 2>&1 || {
                cat "$wine_dir/wineboot.log" >&2
                wine_say "wineboot failed"
                exit 1
            }
            "${wine_headless[@]}" "$wineserver" -w
            grep -q 'wqy-microhei' "$prefix/system.reg" ||
                wine_say "warning: wine found no WenQuanYi Micro Hei (fonts-wqy-microhei): Chinese will show as empty boxes"
            wine_say "prefix ready in $(($(date +%s) - started)) s"
        fi
        wine_configure_prefix
        # Real folders in place of the links into the private home, and a desktop folder
        # in place even if a run was cut off while a test had moved it aside.
        for user_dir in "$prefix"/drive_c/users/*/; do
            [ "$(basename "$user_dir")" = Public ] && continue
            for entry in "$user_dir"*; do
                if [ -L "$entry" ]; then
                    rm "$entry" && mkdir "$entry"
                fi
            done
            if [ -d "${user_dir}Desktop.aside" ] && [ ! -e "${user_dir}Desktop" ]; then
                mv "${user_dir}Desktop.aside" "${user_dir}Desktop"
            fi
            mkdir -p "${user_dir}Desktop"
        done
    ) 7>"$wine_dir/.prefix-lock"
}

# The prefix's settings, applied once per prefix (and again when they change here):
#  - Windows 10, the oldest system Qt 6 runs on (wine starts out as Windows 7);
#  - for Qt programs, in the environment wine gives every Windows program (it passes no
#    QT_* variable of ours on): Qt Test's output on the standard streams even without a
#    console (else it goes to OutputDebugString), and a font folder with the Chinese face
#    for the offscreen platform, whose font database on Windows reads a folder rather
#    than the system's fonts.
wine_fonts_dir=/usr/share/fonts/truetype/wqy
wine_settings="win10;QT_FORCE_STDERR_LOGGING=1;QT_QPA_FONTDIR=$(windows_path "$wine_fonts_dir")"
wine_configure_prefix() {
    local marker="$prefix/.sumbrook-settings"
    [ -f "$marker" ] && [ "$(cat "$marker")" = "$wine_settings" ] && return 0
    [ -d "$wine_fonts_dir" ] || wine_say "warning: no $wine_fonts_dir (fonts-wqy-microhei)"
    "${wine_headless[@]}" "$wine" winecfg -v win10 >>"$wine_dir/wineboot.log" 2>&1 &&
        "${wine_headless[@]}" "$wine" reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f \
            >>"$wine_dir/wineboot.log" 2>&1 &&
        "${wine_headless[@]}" "$wine" reg add 'HKCU\Environment' /v QT_QPA_FONTDIR \
            /d "$(windows_path "$wine_fonts_dir")" /f >>"$wine_dir/wineboot.log" 2>&1 &&
        "${wine_headless[@]}" "$wineserver" -w || {
        wine_say "cannot configure the prefix (log: $wine_dir/wineboot.log)"
        return 1
    }
    printf '%s' "$wine_settings" >"$marker"
}

# Starts the prefix's wineserver and wine's own services apart from the caller's output,
# unless they are running already: those that a program's wine starts keep that program's
# output open until they end, and CTest, like $(...), waits for that. The server ends 5 s
# after the last program (Debian's wrapper takes "-p5", not "-p 5", which would keep it
# running for good).
wine_start_server() {
    if "${wine_headless[@]}" "$wineserver" -p5 </dev/null >/dev/null 2>&1; then
        "${wine_headless[@]}" "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
    fi
}

# The wine user's own folder (drive_c/users/NAME).
wine_user_dir() {
    local dir
    for dir in "$prefix"/drive_c/users/*/; do
        [ "$(basename "$dir")" = Public ] && continue
        printf '%s' "${dir%/}"
        return 0
    done
    return 1
}


# Starts Xvfb on a free display between :300 and :700 (other sessions use displays too)
# with a window manager, for programs on the windows platform. Sets DISPLAY_NUMBER and
# DISPLAY_PIDS; wine_stop_display ends them.
DISPLAY_PIDS=()
wine_start_display() {
    local number attempt
    for attempt in $(seq 1 40); do
        number=$((300 + RANDOM % 401))
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        local xvfb=$!
        for _ in $(seq 1 100); do
            xdpyinfo -display ":$number" >/dev/null 2>&1 && break
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.05
        done
        if xdpyinfo -display ":$number" >/dev/null 2>&1; then
            DISPLAY_NUMBER=$number
            DISPLAY_PIDS=("$xvfb")
            # Focus and activation as on a desktop: wine leaves them to a window manager.
            DISPLAY=":$number" openbox --sm-disable >/dev/null 2>&1 &
            DISPLAY_PIDS+=("$!")
            sleep 0.5
            return 0
        fi
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    done
    wine_say "no free X display"
    return 1
}

wine_stop_display() {
    local pid
    for pid in "${DISPLAY_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${DISPLAY_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    DISPLAY_PIDS=()
}
