#!/usr/bin/env bash
# Fresh Debian machine to a generated FCONT file: installs what the build needs, builds, builds
# the embedded demo database in ./demo and runs the generation on it. No server is needed: a
# plain file path opens the database with the engine inside the program.
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y \
    cmake g++ qt6-base-dev libgl1-mesa-dev \
    firebird3.0-server firebird3.0-utils firebird-dev libgtest-dev libxlsxwriter-dev pkg-config \
    qt6-translations-l10n python3-openpyxl

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2
arquivo=$(./build/app/fcont-cli demo --pasta demo --sem-visualizar)
# The desktop program finds its database in FCONT.ini beside it: a plain path, no host, means the
# engine inside the program.
printf '%s\r\n[ULTIMO USUARIO LOGADO]\r\nSYSDBA\r\n' "$(pwd)/demo/fcont-demo.fdb" > build/ui/FCONT.ini
echo
echo "Arquivo FCONT gerado: $arquivo"
