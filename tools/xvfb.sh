# Sourced by the scripts that need a virtual X server: start_xvfb WORKDIR [SIZE] starts
# Xvfb on a display it picks itself (-displayfd), exports DISPLAY and sets XVFB_PID, or
# fails with Xvfb's own words after 10 s. The caller stops it (kill "$XVFB_PID"). It never
# resets when its last client leaves: a reset between two clients drops the keyboard map
# they set up, and can fail a test by chance.
start_xvfb() {
    _dir=$1 _size=${2:-1024x768x24}
    rm -f "$_dir/display"
    Xvfb -displayfd 3 -screen 0 "$_size" -nolisten tcp -noreset 3>"$_dir/display" </dev/null >"$_dir/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$_dir/display" ] && break; sleep 0.1; done
    if [ ! -s "$_dir/display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$_dir/xvfb.log" >&2
        return 1
    fi
    DISPLAY=":$(head -n1 "$_dir/display")"
    export DISPLAY
}
