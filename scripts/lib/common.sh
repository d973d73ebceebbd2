# Shared by scripts/run and scripts/test: install what a fresh Debian machine lacks, then
# configure and build one build folder.

HALVERN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
HALVERN_PACKAGES=(cmake ninja-build g++ clang libclang-rt-dev googletest libgtest-dev libgmock-dev
    libbenchmark-dev qt6-base-dev libxkbcommon-dev libvulkan-dev libgl-dev xvfb xauth clang-format)

halvern_install_packages() {
    local missing=()
    for package in "${HALVERN_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo=sudo
    fi
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}

# halvern_build DIR [cmake options...]
halvern_build() {
    local dir=$1
    shift
    cmake -S "$HALVERN_ROOT" -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$(nproc)"
}
