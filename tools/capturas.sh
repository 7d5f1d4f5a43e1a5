#!/usr/bin/env bash
# Starts the real desktop program under a virtual screen on the demo database and saves one
# picture of each window it goes through (splash, login, configuration list, main window and its
# pages, the findings window of a file validated from the menu) into a folder named at the end. Needs xvfb and xdotool; run after tools/instala-e-demo.sh.
#   tools/capturas.sh [build folder] [demo folder] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build}")
demo=$(realpath "${2:-demo}")
saida=$(realpath -m "${3:-capturas}")
programa="$build/ui/FCONT"
[ -x "$programa" ] || { echo "Programa não encontrado: $programa" >&2; exit 2; }
[ -f "$demo/fcont-demo.fdb" ] || { echo "Base de demonstração não encontrada em $demo" >&2; exit 2; }

rm -rf "$saida"
mkdir -p "$saida"
# FCONT.ini lies beside the program: a plain path opens the demo with the engine inside the program.
printf '%s\r\n[ULTIMO USUARIO LOGADO]\r\nSYSDBA\r\n' "$demo/fcont-demo.fdb" > "$build/ui/FCONT.ini"

# The server picks a free display number itself and tells it through a file. A first start on a
# busy machine can take several seconds (keyboard maps, fonts), and a start can fail outright when
# another server takes the same number at the same moment: so wait long, and try again.
numero=""
for tentativa in 1 2 3; do
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3> "$saida/.tela" 2>> "$saida/xvfb.log" &
    xvfb=$!
    for _ in $(seq 600); do
        [ -s "$saida/.tela" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    numero=$(tr -d '[:space:]' < "$saida/.tela" 2>/dev/null || true)
    rm -f "$saida/.tela"
    [ -n "$numero" ] && break
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    echo "A tela virtual não respondeu (tentativa $tentativa)" >&2
done
if [ -z "$numero" ]; then
    cat "$saida/xvfb.log" >&2
    exit 1
fi
tela=":$numero"
programa_pid=""
# The engine inside the program takes SIGTERM as a request to shut down and may not finish it,
# and a program left running without its display spins and keeps the engine's shared locks, which
# stalls the database server for everybody. So: ask, wait a little, then end it for sure, and
# only then take the display away.
encerra() {
    if [ -n "$programa_pid" ]; then
        kill "$programa_pid" 2>/dev/null || true
        for _ in $(seq 30); do kill -0 "$programa_pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$programa_pid" 2>/dev/null || true
        wait "$programa_pid" 2>/dev/null || true
    fi
    kill "$xvfb" 2>/dev/null || true
}
trap encerra EXIT
export DISPLAY="$tela"
pronta=0
for _ in $(seq 300); do xdotool getdisplaygeometry >/dev/null 2>&1 && { pronta=1; break; }; sleep 0.1; done
[ "$pronta" -eq 1 ] || { echo "A tela virtual $tela não aceitou conexões" >&2; cat "$saida/xvfb.log" >&2; exit 1; }

espera_janela() { # name, seconds
    for _ in $(seq $(($2 * 10))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$programa_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "Janela \"$1\" não apareceu" >&2
    echo "Registro do programa:" >&2
    cat "$saida/programa.log" >&2
    return 1
}

(cd "$demo" && FCONT_CAPTURAS="$saida" exec "$programa") > "$saida/programa.log" 2>&1 &
programa_pid=$!

# The splash stays five seconds; the rest is the program's start on a slow machine.
login=$(espera_janela "Acesso ao Banco de Dados" 60)
sleep 1
xdotool windowfocus --sync "$login" 2>/dev/null || true
xdotool type --window "$login" --delay 20 "demo"
xdotool key --window "$login" Return

lista=$(espera_janela "Versão 1.0" 60)
sleep 1.5
# Double-click on the first row of the list opens that set.
xdotool mousemove --window "$lista" 60 100 click --repeat 2 --delay 80 1

# The program grabs each main-window page by itself, one every 0.7 s; wait until the last one
# is there (or give up after a minute and name what is missing).
esperadas=(fmSplashScreen fmLogin fmConfiguracao fmPrincipal pagina-Principal pagina-Registro_0000
    pagina-Registro_I050 pagina-Registro_J930 pagina-Registro_M020 pagina-Registro_M030)
falta_alguma() {
    for nome in "${esperadas[@]}"; do
        ls "$saida"/*-"$nome".png >/dev/null 2>&1 || return 0
    done
    return 1
}
for _ in $(seq 120); do
    falta_alguma || break
    kill -0 "$programa_pid" 2>/dev/null || { echo "O programa terminou antes das capturas" >&2; break; }
    sleep 0.5
done
sleep 1 # the last picture is written in full before the program is ended

# The findings window: the demo's own file, with one final balance that does not close and one CPF
# with wrong check digits, written with LF alone as another program would, and validated through
# the menu "Validação" of the main window.
plantado="$saida/.plantado/FCONT de outro programa.txt"
mkdir -p "$(dirname "$plantado")"
gerado=$(ls -t "$demo/Arquivos Gerados"/FCONT_*.txt 2>/dev/null | head -1 || true)
if [ -n "$gerado" ] && kill -0 "$programa_pid" 2>/dev/null; then
    awk 'BEGIN { FS = OFS = "|" }
         { sub(/\r$/, "") }
         $2 == "I155" && !saldo { $9 = "1" $9; saldo = 1 }
         $2 == "J930" && !cpf { $4 = substr($4, 1, 10) ((substr($4, 11, 1) + 1) % 10); cpf = 1 }
         { print }' "$gerado" > "$plantado"
    # No window manager runs here to say which window is active: the main window is the widest.
    principal=""
    largura=0
    for id in $(xdotool search --onlyvisible --name "." 2>/dev/null || true); do
        w=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')
        [ -n "$w" ] && [ "$w" -gt "$largura" ] && { largura=$w; principal=$id; }
    done
    if [ -n "$principal" ]; then
        xdotool windowfocus --sync "$principal" 2>/dev/null || true
        xdotool mousemove --window "$principal" 30 9 click 1
        sleep 0.7
        xdotool key Down Return
    fi
    if dialogo=$(espera_janela "Validar Arquivo FCONT" 20); then
        sleep 1
        xdotool windowfocus --sync "$dialogo" 2>/dev/null || true
        xdotool type --delay 10 "$plantado"
        xdotool key Return
        espera_janela "Validação do Arquivo FCONT" 20 >/dev/null || true
        for _ in $(seq 40); do
            ls "$saida"/*-fmAchados.png >/dev/null 2>&1 && break
            sleep 0.25
        done
        sleep 1
    fi
fi
esperadas+=(fmAchados)

faltam=0
for nome in "${esperadas[@]}"; do
    ls "$saida"/*-"$nome".png >/dev/null 2>&1 || { echo "Falta a captura de $nome" >&2; faltam=1; }
done
[ "$faltam" -eq 0 ] || { echo "Registro do programa:" >&2; cat "$saida/programa.log" >&2; }
echo "Capturas em $saida:"
ls -1 "$saida"/*.png 2>/dev/null || true
rm -rf "$saida/.plantado"
exit $faltam
