#include "platform/Erro.h"
#include "tools/bench/BaseGrande.h"
#include "tools/bench/MedeConferencia.h"
#include "tools/bench/MedeValidacao.h"
#include "tools/bench/Medicoes.h"
#include "tools/bench/MedicoesCarga.h"

#include "data/Carregamento.h"
#include "data/dmFCONT.h"
#include "db/FirebirdError.h"
#include "db/Statement.h"
#include "demonstracao/BaseDemonstracao.h"
#include "generation/Geracao.h"
#include "generation/Populacao.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/ConsoleDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct Opcoes {
    int contas = 20000;
    int lancamentos = -1; // ledger rows; 50 per account when not given
    int amostra = 300;
    QString base;
    bool superiorDaAssociacao = false;
    bool semPiso = false;
    QString pasta;
    bool manter = false;
    bool comIndice = false;
    int rodadas = 3;
    bool carga = false;
    QString servidor;
    QString erro;
};

const char* uso =
    "Usage: fcont-bench [--contas N] [--lancamentos L] [--amostra K] [--base FILE] [--pasta DIR] [--manter]\n"
    "                   [--com-indice] [--superior-da-associacao] [--sem-piso] [--rodadas R]\n"
    "                   [--carga] [--servidor HOST]\n"
    "  --contas N   accounts in the chart of company 50 (default 20000, at least 20)\n"
    "  --lancamentos L  ledger rows of company 50 (default 50 per account: 1000000 for 20000)\n"
    "  --amostra K  accounts sampled for the superior-account timing (default 300, 0 skips it)\n"
    "  --base FILE  the database file: used as it is when it exists (built with the same sizes),\n"
    "               else built there and kept\n"
    "  --superior-da-associacao  set 50 takes the superior accounts from the association\n"
    "               (RI200LCTPGCR = -1)\n"
    "  --sem-piso   time the generation only (for profiling it)\n"
    "  --rodadas R  generations timed, each between two floors (default 3); the fastest of each\n"
    "               counts, the highest memory and the longest gap of all\n"
    "  --pasta DIR  folder of the database and of the generation (default: a temporary folder)\n"
    "  --manter     keep the database (and the temporary folder) afterwards\n"
    "  --com-indice index AUGC80SPAS on (SPCODIGO, PCCODIGO) before the timings (the ERP's schema\n"
    "               has none, so the per-account I051 statement reads the whole table)\n"
    "  --carga      time the chart loading, a second loading and the copy of the rows into another\n"
    "               set (the chart page's menu) against their floors, instead of the generation\n"
    "  --servidor HOST  time through the server at HOST (e.g. localhost) instead of the embedded\n"
    "               engine; the database file is built embedded first and then opened as HOST:FILE\n"
    "               with the password of ISC_PASSWORD or FCONT_TEST_PASSWORD\n";

Opcoes leOpcoes(const QStringList& argumentos) {
    Opcoes o;
    for (int i = 0; i < argumentos.size() && o.erro.isEmpty(); ++i) {
        const QString& a = argumentos[i];
        auto valor = [&]() -> QString {
            if (i + 1 >= argumentos.size()) {
                o.erro = QStringLiteral("missing value of ") + a;
                return {};
            }
            return argumentos[++i];
        };
        auto inteiro = [&](int minimo) {
            bool ok = false;
            const int n = valor().toInt(&ok);
            if (o.erro.isEmpty() && (!ok || n < minimo))
                o.erro = QStringLiteral("%1 needs a number of at least %2").arg(a).arg(minimo);
            return n;
        };
        if (a == QLatin1String("--contas"))
            o.contas = inteiro(20);
        else if (a == QLatin1String("--lancamentos"))
            o.lancamentos = inteiro(2);
        else if (a == QLatin1String("--amostra"))
            o.amostra = inteiro(0);
        else if (a == QLatin1String("--rodadas"))
            o.rodadas = inteiro(1);
        else if (a == QLatin1String("--base"))
            o.base = valor();
        else if (a == QLatin1String("--sem-piso"))
            o.semPiso = true;
        else if (a == QLatin1String("--superior-da-associacao"))
            o.superiorDaAssociacao = true;
        else if (a == QLatin1String("--pasta"))
            o.pasta = valor();
        else if (a == QLatin1String("--manter"))
            o.manter = true;
        else if (a == QLatin1String("--com-indice"))
            o.comIndice = true;
        else if (a == QLatin1String("--carga"))
            o.carga = true;
        else if (a == QLatin1String("--servidor"))
            o.servidor = valor();
        else
            o.erro = QStringLiteral("unknown option ") + a;
    }
    return o;
}

void imprime(const QString& texto) {
    std::printf("%s\n", texto.toLocal8Bit().constData());
    std::fflush(stdout);
}

using Relogio = std::chrono::steady_clock;

double segundosDesde(Relogio::time_point inicio) {
    return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

QString textoDe(const std::exception& e) {
    if (const auto* fb = dynamic_cast<const db::FirebirdError*>(&e))
        return QStringLiteral("%1 (code %2)").arg(fb->text()).arg(fb->code());
    return platform::TextoDoErro(e);
}

void imprimeCaixas(const QStringList& textos) {
    for (QString t : textos)
        imprime(QStringLiteral("  box: ") + t.replace(QLatin1Char('\r'), QLatin1Char(' ')));
}

// The embedded engine built or checked the file; the timings go through the server, which must
// be able to write it.
void passaAoServidor(data::TdmFCONT& dm, const QString& arquivo, const QString& servidor) {
    dm.trBanco.commit();
    dm.dbBanco.disconnect();
    QFile(arquivo).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                  QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther);
    const QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    dm.dbBanco.params.database = servidor + QLatin1Char(':') + arquivo;
    dm.dbBanco.params.password =
        ambiente.value(QStringLiteral("ISC_PASSWORD"), ambiente.value(QStringLiteral("FCONT_TEST_PASSWORD")));
    dm.dbBanco.connect();
}

int executa(const Opcoes& opcoes) {
    std::unique_ptr<QTemporaryDir> temporaria;
    QString pasta = opcoes.pasta;
    if (pasta.isEmpty()) {
        temporaria =
            std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("fcont-bench-XXXXXX")));
        temporaria->setAutoRemove(!opcoes.manter);
        pasta = temporaria->path();
    }
    const QDir dir(QFileInfo(pasta).absoluteFilePath());
    QDir().mkpath(dir.path());
    demonstracao::CopiaTabelasExternas(dir);
    // The data module reads "Tabelas Externas" from the current folder when it is created, and
    // the generation writes "Arquivos Gerados" there.
    if (!QDir::setCurrent(dir.path())) {
        imprime(QStringLiteral("cannot enter ") + dir.path());
        return 2;
    }
    const QString arquivo = opcoes.base.isEmpty() ? dir.filePath(QStringLiteral("fcont-bench.fdb"))
                                                  : QFileInfo(opcoes.base).absoluteFilePath();
    const bool reaproveita = !opcoes.base.isEmpty() && QFileInfo::exists(arquivo);
    const bool mantem = opcoes.manter || !opcoes.base.isEmpty();
    const int linhasRazao = opcoes.lancamentos > 0 ? opcoes.lancamentos : 50 * opcoes.contas;

    platform::ConsoleDialogs dialogos;
    platform::setDialogs(&dialogos);
    struct Restaura {
        ~Restaura() { platform::setDialogs(nullptr); }
    } restaura;

    int codigo = 0;
    {
        data::TdmFCONT dm;
        generation::TdmBlocos blocos;
        bench::BaseGerada base;
        try {
            auto inicio = Relogio::now();
            double demo = 0, grande = 0;
            if (reaproveita) {
                base =
                    bench::ReabreBase(dm, arquivo, opcoes.contas, linhasRazao, opcoes.superiorDaAssociacao);
            } else {
                bench::CriaBaseDemo(dm, arquivo);
                demo = segundosDesde(inicio);
                inicio = Relogio::now();
                base = bench::AcrescentaEmpresaGrande(dm, opcoes.contas, linhasRazao,
                                                      opcoes.superiorDaAssociacao);
                grande = segundosDesde(inicio);
            }
            if (reaproveita) {
                // A kept database may hold the index of an earlier run with --com-indice.
                try {
                    db::executeImmediate(dm.trBanco, QStringLiteral("drop index BENCH_SPAS_CONTA"));
                    dm.trBanco.commit();
                } catch (const db::FirebirdError&) {
                    dm.trBanco.rollback();
                }
            }
            if (opcoes.comIndice) {
                db::executeImmediate(
                    dm.trBanco,
                    QStringLiteral("create index BENCH_SPAS_CONTA on AUGC80SPAS (SPCODIGO, PCCODIGO)"));
                dm.trBanco.commit();
            }
            const int linhasInseridas =
                static_cast<int>(base.plano.size()) + base.saldos + base.lancamentos + base.associacoes;
            imprime(QStringLiteral("database: %1%2")
                        .arg(arquivo, opcoes.comIndice ? QStringLiteral(" (with index BENCH_SPAS_CONTA)")
                                                       : QString()));
            imprime(
                QStringLiteral("company %1, set %2: %3 accounts (%4 synthetic, %5 analytic), %6 balances, "
                               "%7 ledger rows, %8 association rows")
                    .arg(base.empresa)
                    .arg(base.configuracao)
                    .arg(base.plano.size())
                    .arg(base.sinteticas)
                    .arg(base.analiticas)
                    .arg(base.saldos)
                    .arg(base.lancamentos)
                    .arg(base.associacoes));
            if (reaproveita)
                imprime(QStringLiteral("build: none, the database was kept from an earlier run"));
            else
                imprime(QStringLiteral("build: demo database %1 s; company 50 %2 s (%3 rows, %4 rows/s)")
                            .arg(demo, 0, 'f', 2)
                            .arg(grande, 0, 'f', 2)
                            .arg(linhasInseridas)
                            .arg(linhasInseridas / std::max(grande, 1e-9), 0, 'f', 0));
        } catch (const std::exception& e) {
            imprime(QStringLiteral("error building the database: ") + textoDe(e));
            return 2;
        }

        if (!opcoes.servidor.isEmpty()) {
            try {
                passaAoServidor(dm, arquivo, opcoes.servidor);
                imprime(QStringLiteral("timings through the server: ") + dm.dbBanco.params.database);
            } catch (const std::exception& e) {
                imprime(QStringLiteral("error opening the database through the server: ") + textoDe(e));
                return 2;
            }
        }
        if (opcoes.carga) {
            try {
                codigo = bench::MedeCarga(dm, base, opcoes.rodadas);
            } catch (const std::exception& e) {
                imprime(QStringLiteral("error timing the chart loading: ") + textoDe(e));
                imprimeCaixas(dialogos.texts);
                return 2;
            }
            imprimeCaixas(dialogos.texts.mid(0, 5));
            try {
                dm.trBanco.commit();
            } catch (...) {
            }
            if (mantem)
                imprime(QStringLiteral("kept: ") + arquivo);
            return codigo;
        }
        try {
            auto inicio = Relogio::now();
            data::CarregaConfiguracoes(base.configuracao);
            imprime(QStringLiteral("load of set %1 (with its %2 association rows): %3 s")
                        .arg(base.configuracao)
                        .arg(dm.quRegI050I051.recordCount())
                        .arg(segundosDesde(inicio), 0, 'f', 2));
        } catch (const platform::SilentAbort&) {
            imprime(QStringLiteral("the parameter set did not load"));
            imprimeCaixas(dialogos.texts);
            return 2;
        }

        std::vector<bench::ContaDaAmostra> amostra;
        const size_t quantas = std::min(static_cast<size_t>(opcoes.amostra), base.plano.size());
        for (size_t i = 0; i < quantas; ++i) {
            const bench::ContaGerada& c = base.plano[i * base.plano.size() / quantas];
            amostra.push_back({c.pcCodigo, c.sintetica ? QStringLiteral("S") : QStringLiteral("A")});
        }
        if (!amostra.empty())
            try {
                const bench::MedidaSuperior s = bench::MedeContaSuperior(amostra, 100);
                imprime(QStringLiteral("superior account, %1 sampled accounts (%2 without a superior):")
                            .arg(amostra.size())
                            .arg(s.vazias));
                imprime(
                    QStringLiteral(
                        "  in memory:   first call (reads the chart) %1 ms, then %2 us per call (%3 calls)")
                        .arg(s.leituraDoPlanoMs, 0, 'f', 2)
                        .arg(s.memoriaUs, 0, 'f', 3)
                        .arg(s.chamadasMemoria));
                imprime(QStringLiteral("  in database: %1 us per call (%2 calls), %3x the in-memory call")
                            .arg(s.bancoUs, 0, 'f', 1)
                            .arg(s.chamadasBanco)
                            .arg(s.bancoUs / std::max(s.memoriaUs, 1e-9), 0, 'f', 0));
                imprime(QStringLiteral("  answers that differ: %1").arg(s.diferentes));
                if (s.diferentes != 0)
                    codigo = 1;
            } catch (const std::exception& e) {
                imprime(QStringLiteral("error timing the superior account: ") + textoDe(e));
                return 2;
            }

        const auto instrucoes = generation::InstrucoesDaGeracao(generation::MontaFiltroEmpresas());
        // Floors and generations take turns, a floor first and last, so that a slow spell of a
        // shared machine hits both; the fastest of each counts.
        std::vector<bench::MedidaPiso> pisos;
        std::vector<bench::MedidaGeracao> geracoes;
        std::vector<double> razoesVizinhas;
        if (!opcoes.semPiso)
            pisos.push_back(bench::MedePiso(instrucoes));
        for (int r = 0; r < opcoes.rodadas; ++r) {
            geracoes.push_back(bench::MedeGeracao(dialogos));
            QString piso;
            if (!opcoes.semPiso) {
                pisos.push_back(bench::MedePiso(instrucoes));
                // Against the mean of the floors just before and just after it: the pair least
                // apart in time from this generation.
                const double vizinhos = (pisos[pisos.size() - 2].segundos + pisos.back().segundos) / 2;
                razoesVizinhas.push_back(geracoes.back().segundos / std::max(vizinhos, 1e-9));
                piso =
                    QStringLiteral(", floor after it %1 s (processor %2 s), ratio to the floors around it %3")
                        .arg(pisos.back().segundos, 0, 'f', 2)
                        .arg(pisos.back().segundosCpu, 0, 'f', 2)
                        .arg(razoesVizinhas.back(), 0, 'f', 2);
            }
            imprime(QStringLiteral("round %1: generation %2 s (processor %3 s)%4")
                        .arg(r + 1)
                        .arg(geracoes.back().segundos, 0, 'f', 2)
                        .arg(geracoes.back().segundosCpu, 0, 'f', 2)
                        .arg(piso));
        }
        if (!opcoes.semPiso)
            imprime(QStringLiteral("first floor %1 s (processor %2 s)")
                        .arg(pisos.front().segundos, 0, 'f', 2)
                        .arg(pisos.front().segundosCpu, 0, 'f', 2));

        auto maisRapida = [](const auto& medidas) {
            return *std::min_element(medidas.begin(), medidas.end(),
                                     [](const auto& a, const auto& b) { return a.segundos < b.segundos; });
        };
        auto menorCpu = [](const auto& medidas) {
            double menor = medidas.front().segundosCpu;
            for (const auto& m : medidas)
                menor = std::min(menor, m.segundosCpu);
            return menor;
        };
        const bench::MedidaGeracao g = maisRapida(geracoes);
        // Memory and freezes: the worst of the rounds.
        qint64 picoMemoriaKb = 0;
        double maiorIntervaloMs = 0;
        bool todas = true;
        for (const bench::MedidaGeracao& m : geracoes) {
            picoMemoriaKb = std::max(picoMemoriaKb, m.picoMemoriaKb);
            maiorIntervaloMs = std::max(maiorIntervaloMs, m.maiorIntervaloMs);
            todas = todas && m.sucesso;
        }
        imprime(QStringLiteral(
                    "generation of set %1 (fastest of %2): %3, %4 lines in %5 s = %6 lines/s, %7 boxes")
                    .arg(base.configuracao)
                    .arg(geracoes.size())
                    .arg(todas ? QStringLiteral("complete") : QStringLiteral("FAILED"))
                    .arg(g.linhas)
                    .arg(g.segundos, 0, 'f', 2)
                    .arg(g.linhas / std::max(g.segundos, 1e-9), 0, 'f', 0)
                    .arg(g.caixas));
        double somados = 0;
        QString porRegistro;
        for (auto it = g.linhasPorRegistro.begin(); it != g.linhasPorRegistro.end(); ++it) {
            const double s = g.segundosPorRegistro.value(it.key());
            somados += s;
            if (it.value() >= 10 || s >= 0.05)
                porRegistro += QStringLiteral(" %1 %2/%3s").arg(it.key()).arg(it.value()).arg(s, 0, 'f', 2);
        }
        imprime(
            QStringLiteral("  lines/seconds per record:") + porRegistro +
            QStringLiteral("; the rest (small records, saving) %1s").arg(g.segundos - somados, 0, 'f', 2));
        imprime(QStringLiteral("  file: ") + g.arquivo);
        const bench::MedidaValidacao v = bench::MedeValidacao(g.arquivo, opcoes.rodadas);
        imprime(QStringLiteral(
                    "validation of the file (fastest of %1): %2 erros, %3 avisos in %4 s (processor %5 s) "
                    "= %6 of the generation's %7 s (target 0.10); peak memory %8 MB, %9 MB above the process "
                    "before it")
                    .arg(std::max(opcoes.rodadas, 1))
                    .arg(v.erros)
                    .arg(v.avisos)
                    .arg(v.segundos, 0, 'f', 3)
                    .arg(v.segundosCpu, 0, 'f', 3)
                    .arg(v.segundos / std::max(g.segundos, 1e-9), 0, 'f', 3)
                    .arg(g.segundos, 0, 'f', 2)
                    .arg(v.picoMemoriaKb / 1024.0, 0, 'f', 1)
                    .arg((v.picoMemoriaKb - v.memoriaAntesKb) / 1024.0, 0, 'f', 1));
        try {
            const bench::MedidasConferencia c = bench::MedeConferencia(base.configuracao, opcoes.rodadas);
            auto linha = [&](const char* caso, const bench::MedidaConferencia& m) {
                imprime(QStringLiteral(
                            "conferência of set %1, %2 (fastest of %3): %4 erros, %5 avisos, %6 accounts "
                            "without a referential account in %7 s = %8 of the generation's %9 s "
                            "(target 1.00); processor %10 s against the generation's %11 s; %12 suggestions "
                            "in %13 s")
                            .arg(base.configuracao)
                            .arg(QLatin1String(caso))
                            .arg(std::max(opcoes.rodadas, 1))
                            .arg(m.erros)
                            .arg(m.avisos)
                            .arg(m.semReferencia)
                            .arg(m.segundos, 0, 'f', 3)
                            .arg(m.segundos / std::max(g.segundos, 1e-9), 0, 'f', 3)
                            .arg(g.segundos, 0, 'f', 2)
                            .arg(m.segundosCpu, 0, 'f', 2)
                            .arg(menorCpu(geracoes), 0, 'f', 2)
                            .arg(m.sugestoes)
                            .arg(m.segundosSugestoes, 0, 'f', 3));
            };
            linha("every account mapped", c.mapeado);
            linha("one analytic account in ten unmapped", c.comLacunas);
        } catch (const std::exception& e) {
            imprime(QStringLiteral("error timing the conferência: ") + textoDe(e));
            codigo = 1;
        }
        imprimeCaixas(g.textosDasCaixas);
        if (!todas)
            codigo = 1;

        const double limite = 100.0 * 1024 * 1024 + 20.0 * static_cast<double>(g.bytesDoArquivo);
        if (opcoes.semPiso) {
            imprime(QStringLiteral("summary: generation %1 s (processor %2 s); %3 lines/s; peak memory %4 MB "
                                   "(limit %5 MB); longest gap between two pending-events calls %6 ms")
                        .arg(g.segundos, 0, 'f', 2)
                        .arg(menorCpu(geracoes), 0, 'f', 2)
                        .arg(g.linhas / std::max(g.segundos, 1e-9), 0, 'f', 0)
                        .arg(picoMemoriaKb / 1024.0, 0, 'f', 1)
                        .arg(limite / 1048576.0, 0, 'f', 1)
                        .arg(maiorIntervaloMs, 0, 'f', 1));
        } else {
            const bench::MedidaPiso piso = maisRapida(pisos);
            const double pisoCpu = menorCpu(pisos), geracaoCpu = menorCpu(geracoes);
            imprime(
                QStringLiteral("peak memory while the first floor ran: %1 MB (the embedded engine's cache "
                               "and sorts, the data module)")
                    .arg(pisos.front().picoMemoriaKb / 1024.0, 0, 'f', 1));
            imprime(QStringLiteral("processor time (fastest of each): generation %1 s, floor %2 s, ratio %3")
                        .arg(geracaoCpu, 0, 'f', 2)
                        .arg(pisoCpu, 0, 'f', 2)
                        .arg(geracaoCpu / std::max(pisoCpu, 1e-9), 0, 'f', 2));
            QString porInstrucao;
            for (const auto& [registro, linhas, segundos] : piso.porInstrucao)
                if (linhas >= 10 || segundos >= 0.05)
                    porInstrucao +=
                        QStringLiteral(" %1 %2/%3s").arg(registro).arg(linhas).arg(segundos, 0, 'f', 2);
            imprime(QStringLiteral(
                        "floor (fastest of %1; %2 statements prepared, opened and read to the end): %3 rows "
                        "in %4 s")
                        .arg(pisos.size())
                        .arg(instrucoes.size())
                        .arg(piso.linhas)
                        .arg(piso.segundos, 0, 'f', 2));
            imprime(QStringLiteral("  rows/seconds per statement:") + porInstrucao);
            std::sort(razoesVizinhas.begin(), razoesVizinhas.end());
            const size_t meio = razoesVizinhas.size() / 2;
            const double mediana = razoesVizinhas.size() % 2
                                       ? razoesVizinhas[meio]
                                       : (razoesVizinhas[meio - 1] + razoesVizinhas[meio]) / 2;
            imprime(QStringLiteral("median of the rounds' ratios to the floors around them: %1")
                        .arg(mediana, 0, 'f', 2));
            imprime(QStringLiteral(
                        "summary: generation %1 s, floor %2 s, ratio %3; %4 lines/s; peak memory %5 MB "
                        "(limit 100 MB + 20 x %6 MB = %7 MB); file %8 bytes; longest gap between two "
                        "pending-events calls %9 ms (%10 calls)")
                        .arg(g.segundos, 0, 'f', 2)
                        .arg(piso.segundos, 0, 'f', 2)
                        .arg(g.segundos / std::max(piso.segundos, 1e-9), 0, 'f', 2)
                        .arg(g.linhas / std::max(g.segundos, 1e-9), 0, 'f', 0)
                        .arg(picoMemoriaKb / 1024.0, 0, 'f', 1)
                        .arg(g.bytesDoArquivo / 1048576.0, 0, 'f', 2)
                        .arg(limite / 1048576.0, 0, 'f', 1)
                        .arg(g.bytesDoArquivo)
                        .arg(maiorIntervaloMs, 0, 'f', 1)
                        .arg(g.chamadasDoGancho));
        }
        try {
            dm.trBanco.commit();
        } catch (...) {
        }
    }
    // The data module has detached: the embedded database file can go.
    if (!mantem)
        QFile::remove(arquivo);
    else
        imprime(QStringLiteral("kept: ") + arquivo);
    return codigo;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Gerador FCONT"));
    QStringList argumentos = QCoreApplication::arguments();
    argumentos.removeFirst();
    const Opcoes opcoes = leOpcoes(argumentos);
    if (!opcoes.erro.isEmpty()) {
        std::fprintf(stderr, "%s\n%s", opcoes.erro.toLocal8Bit().constData(), uso);
        return 2;
    }
    return executa(opcoes);
}
