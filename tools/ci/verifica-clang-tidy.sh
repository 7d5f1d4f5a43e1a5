#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the product code: every source of the build's
# compile_commands.json in the product folders (tests/, tools/ and generated files left out), two
# at a time. Fails on any finding. Pinned to Debian's clang-tidy-14, as the formatter is: another
# major version has other checks. Needs a configured build folder, not a built one.
# Usage: verifica-clang-tidy.sh [BUILD_FOLDER [REGEX]]; REGEX narrows the sources (one file).
set -euo pipefail
cd "$(dirname "$0")/../.."

pasta=${1:-build}
filtro=${2:-}
analisador=${CLANG_TIDY:-clang-tidy-14}
tarefas=${FCONT_TIDY_JOBS:-2}
if ! command -v "$analisador" >/dev/null; then
    echo "$analisador não encontrado (apt-get install clang-tidy-14)" >&2
    exit 1
fi
if [ ! -f "$pasta/compile_commands.json" ]; then
    echo "$pasta/compile_commands.json não existe: configure antes (cmake -S . -B $pasta)" >&2
    exit 1
fi

raiz=$(pwd)
mapfile -d '' fontes < <(python3 - "$pasta/compile_commands.json" "$raiz" "$filtro" <<'PY'
import json, re, sys
comandos, raiz, filtro = sys.argv[1], sys.argv[2], re.compile(sys.argv[3])
produto = re.compile("^" + re.escape(raiz) +
                     "/(db|platform|common|data|generation|relatorios|validacao|demonstracao|app|ui)/.*[.]cpp$")
vistos = set()
for entrada in json.load(open(comandos)):
    arquivo = entrada["file"]
    if produto.match(arquivo) and filtro.search(arquivo) and arquivo not in vistos:
        vistos.add(arquivo)
        sys.stdout.write(arquivo + "\0")
PY
)
if [ "${#fontes[@]}" -eq 0 ]; then
    echo "clang-tidy: nenhum arquivo do produto em $pasta/compile_commands.json" >&2
    exit 1
fi
echo "clang-tidy: ${#fontes[@]} arquivos, $tarefas de cada vez"
inicio=$SECONDS
# The compiler's own "N warnings generated" counts the warnings of the system headers it hides.
if printf '%s\0' "${fontes[@]}" |
    xargs -0 -P "$tarefas" -n 1 "$analisador" -p "$pasta" --quiet 2> >(grep -v 'warnings\? generated' >&2); then
    echo "clang-tidy: nenhum achado ($((SECONDS - inicio)) s)."
else
    echo "clang-tidy: há achados (acima); corrija-os ou justifique a regra desligada em .clang-tidy." >&2
    exit 1
fi
