# Shared by scripts/run and scripts/test: installs the Debian packages that are missing, then
# configures and builds the project in build/.
set -euo pipefail

project_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${FENDRY_BUILD_DIR:-$project_root/build}

install_missing_packages() {
    local wanted missing=()
    mapfile -t wanted < <(grep -vE '^\s*(#|$)' "$project_root/scripts/debian-packages.txt")
    for package in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    echo "Installing ${missing[*]}" >&2
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

build_project() {
    cmake -S "$project_root" -B "$build_dir" -G Ninja >/dev/null
    cmake --build "$build_dir"
}

install_missing_packages
build_project
