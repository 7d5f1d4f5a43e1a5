#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the product code: every source of the build's
# compile_commands.json in the product folders (tests/, tools/ and generated files left out), two
# at a time. Fails on any finding. Pinned to Debian's clang-tidy-14, as the formatter is: another
# major version has other checks. Needs a configured build folder, not a built one.
# Usage: verifica-clang-tidy.sh [--desde-base] [BUILD_FOLDER [REGEX]]; REGEX narrows the sources.
# With --desde-base only the sources changed since the commit named in tools/ci/clang-tidy-base are
# checked, with every source that includes a changed header of the product: the whole tree takes
# about ten minutes on two cores, too much of CI's half hour. Whoever runs the whole pass clean
# writes its commit there.
set -euo pipefail
cd "$(dirname "$0")/../.."

desde_base=0
if [ "${1:-}" = "--desde-base" ]; then
    desde_base=1
    shift
fi
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
# The product files changed since the base, one per line; "*" means every file.
alterados="*"
if [ "$desde_base" -eq 1 ]; then
    base=$(tr -d '[:space:]' <tools/ci/clang-tidy-base)
    if git cat-file -e "$base^{commit}" 2>/dev/null; then
        alterados=$(git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h')
        if [ -z "$alterados" ]; then
            echo "clang-tidy: nada mudou desde $base."
            exit 0
        fi
    else
        echo "clang-tidy: a base $base não está no histórico; verificando tudo."
    fi
fi
mapfile -d '' fontes < <(python3 - "$pasta/compile_commands.json" "$raiz" "$filtro" "$alterados" <<'PY'
import json, os, re, sys
comandos, raiz, filtro = sys.argv[1], sys.argv[2], re.compile(sys.argv[3])
alterados = None if sys.argv[4] == "*" else set(sys.argv[4].split())

def inclui_alterado(arquivo):
    """A source is checked again when it or a header it includes (by name) changed."""
    relativo = os.path.relpath(arquivo, raiz)
    if relativo in alterados:
        return True
    cabecalhos = {os.path.basename(a) for a in alterados if a.endswith(".h")}
    if not cabecalhos:
        return False
    with open(arquivo, encoding="utf-8", errors="replace") as f:
        for linha in f:
            m = re.match(r'\s*#\s*include\s*"([^"]+)"', linha)
            if m and os.path.basename(m.group(1)) in cabecalhos:
                return True
    return False

produto = re.compile("^" + re.escape(raiz) +
                     "/(db|platform|common|data|generation|relatorios|validacao|conferencia|demonstracao|app|ui)/.*[.]cpp$")
vistos = set()
for entrada in json.load(open(comandos)):
    arquivo = entrada["file"]
    if (produto.match(arquivo) and filtro.search(arquivo) and arquivo not in vistos
            and (alterados is None or inclui_alterado(arquivo))):
        vistos.add(arquivo)
        sys.stdout.write(arquivo + "\0")
PY
)
if [ "${#fontes[@]}" -eq 0 ]; then
    if [ "$alterados" != "*" ]; then
        echo "clang-tidy: nenhuma fonte do produto mudou desde a base."
        exit 0
    fi
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
