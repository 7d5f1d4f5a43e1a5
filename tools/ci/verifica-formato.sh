#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it.
# The formatter is pinned to Debian's clang-format-14: another major version formats differently.
set -euo pipefail
cd "$(dirname "$0")/../.."

formatador=${CLANG_FORMAT:-clang-format-14}
if ! command -v "$formatador" >/dev/null; then
    echo "$formatador não encontrado (apt-get install clang-format-14)" >&2
    exit 1
fi

fora=0
while IFS= read -r -d '' arquivo; do
    if ! "$formatador" --style=file "$arquivo" | cmp -s "$arquivo" -; then
        echo "Fora do formato: $arquivo" >&2
        fora=$((fora + 1))
    fi
done < <(git ls-files -z '*.cpp' '*.h')

if [ "$fora" -ne 0 ]; then
    echo "$fora arquivo(s) fora do formato; corrija com: $formatador -i <arquivo>" >&2
    exit 1
fi
echo "Formato: todos os arquivos conferem."
