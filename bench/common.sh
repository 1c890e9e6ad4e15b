# Helpers the benchmark scripts share; sourced, not run.

need() {  # need COMMAND PACKAGE: installs PACKAGE (as root) when COMMAND is missing
    command -v "$1" >/dev/null && return
    if [ "$(id -u)" != 0 ]; then echo "$1 is missing: apt-get install $2" >&2; exit 1; fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$2" >/dev/null
}
size_mb() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", b / 1048576 }'; }
