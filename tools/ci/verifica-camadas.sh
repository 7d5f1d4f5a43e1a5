#!/usr/bin/env bash
# Keeps the dependencies pointing one way: no file of a layer includes a header of a layer above
# it. From the bottom:
#   db < platform < common < data < generation < relatorios, validacao, conferencia < app, ui, demonstracao
#   < tools
# A layer may include its own headers and those of any layer below; folders of the same rank may
# include each other. relatorios, validacao and conferencia read what the generation and the data module
# hold and are used only by the programs; demonstracao builds a database through the schema upkeep
# of app/ and is linked by fcont-cli, so it stands beside app/. tools/ (benchmark, scripts) may use
# everything and nothing of the product may use it. tests/ and cmake/ are not checked.
# A product folder missing from the table fails the check, so a new library gets its place here.
set -euo pipefail
cd "$(dirname "$0")/../.."

declare -A ordem=(
    [db]=0 [platform]=1 [common]=2 [data]=3 [generation]=4
    [relatorios]=5 [validacao]=5 [conferencia]=5
    [app]=6 [ui]=6 [demonstracao]=6
    [tools]=7 [tests]=8
)

erros=0
while IFS= read -r -d '' arquivo; do
    camada=${arquivo%%/*}
    case $camada in tests | cmake) continue ;; esac
    if [ -z "${ordem[$camada]+x}" ]; then
        echo "Camada desconhecida: $arquivo (acrescente a pasta a tools/ci/verifica-camadas.sh)" >&2
        erros=$((erros + 1))
        continue
    fi
    while IFS=: read -r linha incluido; do
        alvo=${incluido%%/*}
        [ "$alvo" = "$incluido" ] && continue # a header beside the file, or a library's own
        [ -z "${ordem[$alvo]+x}" ] && continue   # not a folder of ours
        if [ "${ordem[$alvo]}" -gt "${ordem[$camada]}" ]; then
            echo "$arquivo:$linha: $camada/ inclui \"$incluido\", de uma camada acima ($alvo/)" >&2
            erros=$((erros + 1))
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$arquivo" |
        sed -E 's/^([0-9]+):.*"([^"]*)".*/\1:\2/' || true)
done < <(git ls-files -z -- '*.cpp' '*.h' | grep -zv '^[^/]*$' || true)

if [ "$erros" -ne 0 ]; then
    echo "$erros problema(s) na ordem das camadas." >&2
    exit 1
fi
echo "Camadas: nenhuma inclusão aponta para uma camada acima."
