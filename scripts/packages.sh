# Debian packages the project needs, and the one place that installs them.
# Sourced by the README commands; defines ensure_packages.

tarvek_build_packages=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                       googletest wine wine64 fonts-wine xvfb xauth socat)

# What scripts/release needs beyond the build: the installer compiler.
tarvek_release_packages=(nsis)

# What scripts/check-style needs: the layout and the checks, and the tool that
# applies the checks' fixes from all units at once.
tarvek_style_packages=(clang-format clang-tidy clang-tools)

# Installs what is missing. As root it uses apt-get; otherwise it prints the one
# command a person has to run and fails.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Please run:" >&2
        echo "  sudo apt-get install ${missing[*]}" >&2
        return 1
    fi
    echo "Installing ${missing[*]} ..."
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
