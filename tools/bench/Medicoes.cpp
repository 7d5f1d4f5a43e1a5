#include "tools/bench/Medicoes.h"

#include "common/Mensagens.h"
#include "data/ContaSuperior.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "db/Statement.h"
#include "generation/Geracao.h"
#include "platform/Abort.h"
#include "platform/Erro.h"
#include "platform/EventLoop.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <stdexcept>
#include <string>

namespace bench {

namespace {

using Relogio = std::chrono::steady_clock;

double segundosDesde(Relogio::time_point inicio) {
    return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

// The record code of a prompt's detail line "SPED>|I050|...", or empty.
QString registroDaLinha(const QString& detalhe) {
    static const QString prefixo = QStringLiteral("SPED>|");
    if (!detalhe.startsWith(prefixo) || detalhe.size() < prefixo.size() + 5)
        return {};
    return detalhe.mid(prefixo.size(), 4);
}

// Every written line passes through the prompt: the time between two of them is what the line
// cost to build.
class PromptCronometrado : public common::MemoPrompt {
public:
    void inicia() { m_marca = Relogio::now(); }
    void setLines(const QStringList& lines) override {
        const QString registro = registroDaLinha(lines.value(1));
        if (!registro.isEmpty()) {
            const auto agora = Relogio::now();
            segundosPorRegistro[registro] += std::chrono::duration<double>(agora - m_marca).count();
            m_marca = agora;
        }
        MemoPrompt::setLines(lines);
    }

    QMap<QString, double> segundosPorRegistro;

private:
    Relogio::time_point m_marca = Relogio::now();
};

// Processor time of the process, all its threads: less disturbed than the wall clock by other
// work on a shared machine.
double segundosCpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Linux keeps the peak resident size (VmHWM) and lets a process start it again from its
// current size, so the build of the database does not count.
void zeraPicoDeMemoria() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

qint64 picoDeMemoriaKb() {
    std::ifstream status("/proc/self/status");
    std::string linha;
    while (std::getline(status, linha))
        if (linha.rfind("VmHWM:", 0) == 0)
            return std::stoll(linha.substr(6));
    return -1;
}

} // namespace

MedidaSuperior MedeContaSuperior(const std::vector<ContaDaAmostra>& amostra, int rodadasMemoria) {
    MedidaSuperior m;
    if (amostra.empty())
        return m;
    std::vector<QString> rapidas;
    rapidas.reserve(amostra.size());

    data::DescartaPlanoOrdenado();
    auto inicio = Relogio::now();
    rapidas.push_back(data::RetornaContaSuperior(amostra.front().pcCodigo, amostra.front().tipo));
    m.leituraDoPlanoMs = segundosDesde(inicio) * 1e3;
    for (size_t i = 1; i < amostra.size(); ++i)
        rapidas.push_back(data::RetornaContaSuperior(amostra[i].pcCodigo, amostra[i].tipo));

    // Answers are kept in a volatile sink so that the loop cannot be dropped.
    volatile qsizetype tamanho = 0;
    inicio = Relogio::now();
    for (int r = 0; r < rodadasMemoria; ++r)
        for (const ContaDaAmostra& c : amostra)
            tamanho = tamanho + data::RetornaContaSuperior(c.pcCodigo, c.tipo).size();
    m.chamadasMemoria = rodadasMemoria * static_cast<int>(amostra.size());
    m.memoriaUs = segundosDesde(inicio) * 1e6 / std::max(1, m.chamadasMemoria);

    inicio = Relogio::now();
    std::vector<QString> lentas;
    lentas.reserve(amostra.size());
    for (const ContaDaAmostra& c : amostra)
        lentas.push_back(data::RetornaContaSuperiorNoBanco(c.pcCodigo, c.tipo));
    m.chamadasBanco = static_cast<int>(amostra.size());
    m.bancoUs = segundosDesde(inicio) * 1e6 / m.chamadasBanco;

    for (size_t i = 0; i < amostra.size(); ++i) {
        if (data::ComparaComoBanco(rapidas[i], lentas[i]) != 0)
            ++m.diferentes;
        if (rapidas[i].isEmpty())
            ++m.vazias;
    }
    return m;
}

MedidaGeracao MedeGeracao(platform::ConsoleDialogs& dialogos) {
    MedidaGeracao m;
    PromptCronometrado prompt;
    common::PromptView* anterior = data::dmFCONT->prompt;
    data::dmFCONT->prompt = &prompt;
    const qsizetype caixasAntes = dialogos.texts.size();

    auto ultimaChamada = Relogio::now();
    Relogio::duration maiorIntervalo{};
    qint64 chamadas = 0;
    platform::setPendingEventsHook([&] {
        const auto agora = Relogio::now();
        maiorIntervalo = std::max(maiorIntervalo, agora - ultimaChamada);
        ultimaChamada = agora;
        ++chamadas;
    });
    zeraPicoDeMemoria();

    prompt.inicia();
    const double cpu = segundosCpu();
    const auto inicio = Relogio::now();
    ultimaChamada = inicio;
    generation::ResultadoGeracao resultado;
    try {
        resultado = generation::GeraArquivoFCONT(&prompt);
    } catch (const platform::SilentAbort&) {
    } catch (const std::exception& e) {
        dialogos.texts << platform::TextoDoErro(e);
    }
    m.segundos = segundosDesde(inicio);
    m.segundosCpu = segundosCpu() - cpu;
    maiorIntervalo = std::max(maiorIntervalo, Relogio::now() - ultimaChamada);
    platform::setPendingEventsHook({});
    m.picoMemoriaKb = picoDeMemoriaKb();
    m.maiorIntervaloMs = std::chrono::duration<double, std::milli>(maiorIntervalo).count();
    m.chamadasDoGancho = chamadas;
    data::dmFCONT->prompt = anterior;

    m.sucesso = resultado.sucesso;
    m.arquivo = resultado.arquivo;
    m.segundosPorRegistro = prompt.segundosPorRegistro;
    m.textosDasCaixas = dialogos.texts.mid(caixasAntes);
    m.caixas = static_cast<int>(m.textosDasCaixas.size());

    QFile arquivo(m.arquivo);
    if (!m.arquivo.isEmpty() && arquivo.open(QIODevice::ReadOnly)) {
        m.bytesDoArquivo = arquivo.size();
        const QList<QByteArray> linhas = arquivo.readAll().split('\n');
        for (const QByteArray& linha : linhas) {
            if (linha.trimmed().isEmpty())
                continue;
            ++m.linhas;
            m.linhasPorRegistro[QString::fromLatin1(linha.mid(1, 4))]++;
        }
    }
    return m;
}

MedidaPiso MedePiso(const QList<std::pair<QString, QString>>& instrucoes) {
    MedidaPiso m;
    db::Transaction& transacao = data::dmFCONT->trBanco;
    zeraPicoDeMemoria();
    const double cpu = segundosCpu();
    const auto inicio = Relogio::now();
    for (const auto& [registro, sql] : instrucoes) {
        const auto esta = Relogio::now();
        db::Statement instrucao(transacao, sql);
        auto cursor = instrucao.openCursor();
        qint64 linhas = 0;
        while (cursor->fetch())
            ++linhas;
        cursor->close();
        m.linhas += linhas;
        m.porInstrucao.append({registro, linhas, segundosDesde(esta)});
    }
    m.segundos = segundosDesde(inicio);
    m.segundosCpu = segundosCpu() - cpu;
    m.picoMemoriaKb = picoDeMemoriaKb();
    return m;
}

} // namespace bench
