#include "tools/bench/BaseGrande.h"
#include "tools/bench/Medicoes.h"

#include "data/Carregamento.h"
#include "data/dmFCONT.h"
#include "db/FirebirdError.h"
#include "db/Statement.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/ConsoleDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct Opcoes {
    int contas = 5000;
    int amostra = 300;
    QString pasta;
    bool manter = false;
    bool comIndice = false;
    QString erro;
};

const char* uso =
    "Usage: fcont-bench [--contas N] [--amostra K] [--pasta DIR] [--manter] [--com-indice]\n"
    "  --contas N   accounts in the chart of company 50 (default 5000, at least 20)\n"
    "  --amostra K  accounts sampled for the superior-account timing (default 300)\n"
    "  --pasta DIR  folder of the database and of the generation (default: a temporary folder)\n"
    "  --manter     keep the database (and the temporary folder) afterwards\n"
    "  --com-indice index AUGC80SPAS on (SPCODIGO, PCCODIGO) before the timings (the ERP's schema\n"
    "               has none, so the per-account I051 statement reads the whole table)\n";

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
        else if (a == QLatin1String("--amostra"))
            o.amostra = inteiro(1);
        else if (a == QLatin1String("--pasta"))
            o.pasta = valor();
        else if (a == QLatin1String("--manter"))
            o.manter = true;
        else if (a == QLatin1String("--com-indice"))
            o.comIndice = true;
        else
            o.erro = QStringLiteral("unknown option ") + a;
    }
    return o;
}

void imprime(const QString& texto) {
    std::printf("%s\n", texto.toLocal8Bit().constData());
    std::fflush(stdout);
}

QString ferramentas() {
    const QString definida = QProcessEnvironment::systemEnvironment().value(QStringLiteral("FCONT_TOOLS_DIR"));
    return definida.isEmpty() ? QStringLiteral(FCONT_TOOLS_DIR) : definida;
}

void copiaTabelasExternas(const QDir& destino) {
    const QDir origem(QDir(ferramentas()).filePath(QStringLiteral("demo/Tabelas Externas")));
    destino.mkpath(QStringLiteral("Tabelas Externas"));
    for (const QString& nome : origem.entryList(QDir::Files)) {
        const QString alvo = destino.filePath(QStringLiteral("Tabelas Externas/") + nome);
        QFile::remove(alvo);
        QFile::copy(origem.filePath(nome), alvo);
    }
}

using Relogio = std::chrono::steady_clock;

double segundosDesde(Relogio::time_point inicio) {
    return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

QString textoDe(const std::exception& e) {
    if (const auto* fb = dynamic_cast<const db::FirebirdError*>(&e))
        return QStringLiteral("%1 (code %2)").arg(fb->text()).arg(fb->code());
    return QString::fromUtf8(e.what());
}

void imprimeCaixas(const QStringList& textos) {
    for (QString t : textos)
        imprime(QStringLiteral("  box: ") + t.replace(QLatin1Char('\r'), QLatin1Char(' ')));
}

int executa(const Opcoes& opcoes) {
    std::unique_ptr<QTemporaryDir> temporaria;
    QString pasta = opcoes.pasta;
    if (pasta.isEmpty()) {
        temporaria = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("fcont-bench-XXXXXX")));
        temporaria->setAutoRemove(!opcoes.manter);
        pasta = temporaria->path();
    }
    const QDir dir(QFileInfo(pasta).absoluteFilePath());
    QDir().mkpath(dir.path());
    copiaTabelasExternas(dir);
    // The data module reads "Tabelas Externas" from the current folder when it is created, and
    // the generation writes "Arquivos Gerados" there.
    if (!QDir::setCurrent(dir.path())) {
        imprime(QStringLiteral("cannot enter ") + dir.path());
        return 2;
    }
    const QString arquivo = dir.filePath(QStringLiteral("fcont-bench.fdb"));

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
            bench::CriaBaseDemo(dm, arquivo, ferramentas());
            const double demo = segundosDesde(inicio);
            inicio = Relogio::now();
            base = bench::AcrescentaEmpresaGrande(dm, opcoes.contas);
            const double grande = segundosDesde(inicio);
            if (opcoes.comIndice) {
                db::executeImmediate(dm.trBanco, QStringLiteral("create index BENCH_SPAS_CONTA on AUGC80SPAS (SPCODIGO, PCCODIGO)"));
                dm.trBanco.commit();
            }
            const int linhasInseridas = static_cast<int>(base.plano.size()) + base.saldos + base.lancamentos + base.associacoes;
            imprime(QStringLiteral("database: %1%2")
                        .arg(arquivo, opcoes.comIndice ? QStringLiteral(" (with index BENCH_SPAS_CONTA)") : QString()));
            imprime(QStringLiteral("company %1, set %2: %3 accounts (%4 synthetic, %5 analytic), %6 balances, "
                                   "%7 ledger rows, %8 association rows")
                        .arg(base.empresa)
                        .arg(base.configuracao)
                        .arg(base.plano.size())
                        .arg(base.sinteticas)
                        .arg(base.analiticas)
                        .arg(base.saldos)
                        .arg(base.lancamentos)
                        .arg(base.associacoes));
            imprime(QStringLiteral("build: demo database %1 s; company 50 %2 s (%3 rows, %4 rows/s)")
                        .arg(demo, 0, 'f', 2)
                        .arg(grande, 0, 'f', 2)
                        .arg(linhasInseridas)
                        .arg(linhasInseridas / std::max(grande, 1e-9), 0, 'f', 0));
        } catch (const std::exception& e) {
            imprime(QStringLiteral("error building the database: ") + textoDe(e));
            return 2;
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
        try {
            const bench::MedidaSuperior s = bench::MedeContaSuperior(amostra, 100);
            imprime(QStringLiteral("superior account, %1 sampled accounts (%2 without a superior):")
                        .arg(amostra.size())
                        .arg(s.vazias));
            imprime(QStringLiteral("  in memory:   first call (reads the chart) %1 ms, then %2 us per call (%3 calls)")
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

        const bench::MedidaGeracao g = bench::MedeGeracao(dialogos);
        imprime(QStringLiteral("generation of set %1: %2, %3 lines in %4 s = %5 lines/s, %6 boxes")
                    .arg(base.configuracao)
                    .arg(g.sucesso ? QStringLiteral("complete") : QStringLiteral("FAILED"))
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
        imprime(QStringLiteral("  lines/seconds per record:") + porRegistro +
                QStringLiteral("; the rest (small records, saving) %1s").arg(g.segundos - somados, 0, 'f', 2));
        imprime(QStringLiteral("  file: ") + g.arquivo);
        imprimeCaixas(g.textosDasCaixas);
        if (!g.sucesso)
            codigo = 1;
        try {
            dm.trBanco.commit();
        } catch (...) {
        }
    }
    // The data module has detached: the embedded database file can go.
    if (!opcoes.manter)
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
