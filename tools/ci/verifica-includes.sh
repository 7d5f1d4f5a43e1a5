#!/usr/bin/env bash
# Keeps the widget module out of everything below the windows: db/, platform/ (but platform/qt/),
# common/, data/, generation/, relatorios/, validacao/, conferencia/, demonstracao/ and app/ (but
# the desktop entry) include no Qt Widgets or Print Support header, so fcont-cli and the generator
# never depend on a display.
set -euo pipefail
cd "$(dirname "$0")/../.."

qt_include=$(dirname "$(find /usr/include -type d -name QtWidgets -path '*qt6*' -print -quit)")
if [ -z "$qt_include" ] || [ ! -d "$qt_include/QtWidgets" ]; then
    echo "Cabeçalhos do Qt Widgets não encontrados" >&2
    exit 1
fi

# Every header name the widget and print modules ship (QWidget, qwidget.h, QtWidgets/...).
padrao=$( (ls "$qt_include/QtWidgets" "$qt_include/QtPrintSupport"; echo QtWidgets; echo QtPrintSupport) |
    sed 's/[.]/[.]/g' | sort -u | paste -sd'|')

achados=$(git ls-files -z -- db platform common data generation relatorios validacao conferencia demonstracao app ':!platform/qt' ':!app/fcont_main.cpp' |
    xargs -0 grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]((QtWidgets|QtPrintSupport)/)?($padrao)[>\"]" || true)
if [ -n "$achados" ]; then
    echo "Cabeçalhos de janela fora de ui/ e platform/qt/:" >&2
    echo "$achados" >&2
    exit 1
fi

# The built command-line program must not pull the widget library in through a dependency.
if [ -x build/app/fcont-cli ] && ldd build/app/fcont-cli | grep -q 'libQt6Widgets'; then
    echo "fcont-cli está ligado ao Qt Widgets" >&2
    exit 1
fi
echo "Inclusões: nenhuma camada abaixo das janelas usa o Qt Widgets."
