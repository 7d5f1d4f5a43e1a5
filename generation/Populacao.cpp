#include "generation/Populacao.h"

#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "generation/AssociacaoLida.h"
#include "generation/Instrucoes.h"
#include "generation/Totais.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/EventLoop.h"
#include "platform/Regional.h"

#include <stdexcept>

namespace generation {

using data::dmFCONT;
namespace regional = platform::regional;

namespace {

// The fields of `tabela` named like the result's columns, in column order.
QList<platform::Field*> destinosDe(const platform::DataSet& tabela, const QStringList& colunas) {
    QList<platform::Field*> destinos;
    for (const QString& coluna : colunas) {
        platform::Field* destino = tabela.findField(coluna);
        if (!destino)
            throw std::invalid_argument((tabela.name() + ": Field '" + coluna + "' not found").toStdString());
        destinos << destino;
    }
    return destinos;
}

[[noreturn]] void falhaDaPopulacao(const QString& nomeQuery, platform::DataSet& tabela,
                                   const std::exception& e) {
    if (tabela.editing())
        tabela.cancel();
    if (dynamic_cast<const platform::UserCancel*>(&e))
        throw platform::UserCancel();
    common::MostraMensagem(QStringLiteral("Erro: ao popular Bloco.\r") + nomeQuery + QStringLiteral("\r\r") +
                               QString::fromUtf8(e.what()),
                           true);
    throw platform::SilentAbort();
}

void guardaLinha(platform::DataSet& tabela, platform::Field& linha) {
    linha.setValue(++dmFCONT->ContLinha);
    tabela.post();
}

} // namespace

void PopulaBloco(platform::Query& query, platform::DataSet& tabela) {
    try {
        query.setUniDirectional(true);
        query.open();
        QStringList colunas;
        for (const platform::Field* coluna : query.fields())
            colunas << coluna->name();
        const QList<platform::Field*> destinos = destinosDe(tabela, colunas);
        platform::Field& linha = tabela.fieldByName(QStringLiteral("LINHA"));
        while (!query.isEmpty() && !query.eof()) {
            tabela.append();
            for (int i = 0; i < destinos.size(); ++i) {
                const platform::Field& coluna = query.field(i);
                if (coluna.type() == platform::FieldType::Float && !coluna.isNull())
                    destinos[i]->setValue(common::ArredondaValor(coluna.asFloat()));
                else
                    destinos[i]->setValue(coluna.value());
            }
            guardaLinha(tabela, linha);
            query.next();
            platform::processPendingEvents();
        }
        query.close();
    } catch (const std::exception& e) {
        query.close();
        falhaDaPopulacao(query.name(), tabela, e);
    }
}

void PopulaBloco(const QString& nomeQuery, const LinhasLidas& origem, platform::DataSet& tabela) {
    try {
        const QList<platform::Field*> destinos = destinosDe(tabela, origem.colunas);
        platform::Field& linha = tabela.fieldByName(QStringLiteral("LINHA"));
        for (const QList<QVariant>& valores : origem.linhas) {
            tabela.append();
            for (int i = 0; i < destinos.size(); ++i)
                destinos[i]->setValue(valores[i]);
            guardaLinha(tabela, linha);
            platform::processPendingEvents();
        }
    } catch (const std::exception& e) {
        falhaDaPopulacao(nomeQuery, tabela, e);
    }
}

void PopulaI051(int pcCodigo) {
    const QString nome = QStringLiteral("quRegI051");
    if (!dmBlocos->associacaoI051) {
        try {
            dmBlocos->associacaoI051 =
                std::make_unique<AssociacaoLida>(AssociacaoLida::LeI051(ValoresDoConjunto()));
        } catch (const std::exception& e) {
            falhaDaPopulacao(nome, dmBlocos->cdsRegI051, e);
        }
    }
    PopulaBloco(nome, dmBlocos->associacaoI051->linhasI051(pcCodigo), dmBlocos->cdsRegI051);
}

namespace {

QString cotado(const QString& texto) {
    return common::Q(texto);
}

platform::Field& campoSPED(const char* nome) {
    return dmFCONT->quSPED.fieldByName(QString::fromLatin1(nome));
}

QMap<QString, QString> valoresDoPeriodo(const QMap<QString, QString>& filtro, QDate* ultimoDia = nullptr) {
    const QDate inicio = campoSPED("R0000DT_INI").asDateTime().date();
    QMap<QString, QString> periodo = filtro;
    if (inicio.isValid()) {
        // The period's own year: a two-digit year read back would move a 1970 period to 2070.
        const QDate primeiro(inicio.year(), 1, 1), ultimo(inicio.year(), 12, 31);
        periodo.insert(QStringLiteral("DATA_INI"),
                       cotado(regional::formatDate(QStringLiteral("DD/MM/YYYY"), primeiro)));
        periodo.insert(QStringLiteral("DATA_FIN"),
                       cotado(regional::formatDate(QStringLiteral("DD/MM/YYYY"), ultimo)));
        periodo.insert(QStringLiteral("DATA_RES"),
                       cotado(regional::formatDate(QStringLiteral("31/12/YYYY"), ultimo)));
        if (ultimoDia)
            *ultimoDia = ultimo;
    } else {
        periodo.insert(QStringLiteral("DATA_INI"), QStringLiteral("null"));
        periodo.insert(QStringLiteral("DATA_FIN"), QStringLiteral("null"));
        periodo.insert(QStringLiteral("DATA_RES"), QStringLiteral("null"));
    }
    return periodo;
}

} // namespace

QMap<QString, QString> ValoresDoConjunto() {
    QMap<QString, QString> v;
    v.insert(QStringLiteral("SPCODIGO"), QString::number(campoSPED("SPCODIGO").asInteger()));
    v.insert(QStringLiteral("EMPRESA"), QString::number(campoSPED("EMPRESA").asInteger()));
    v.insert(QStringLiteral("COD_ENT_REF"), cotado(campoSPED("RI051COD_ENT_REF").asString()));
    const QDate fim = campoSPED("R0000DT_FIN").asDateTime().date();
    if (fim.isValid()) {
        v.insert(QStringLiteral("PERIODO_ANT"),
                 cotado(regional::formatDate(QStringLiteral("12/01/YYYY"), fim.addYears(-1))));
        v.insert(QStringLiteral("PERIODO"), cotado(regional::formatDate(QStringLiteral("12/01/YYYY"), fim)));
    }
    return v;
}

QString SubstituiMarcadores(QString instrucao, const QMap<QString, QString>& valores) {
    for (auto it = valores.begin(); it != valores.end(); ++it)
        instrucao.replace(QLatin1Char('{') + it.key() + QLatin1Char('}'), it.value());
    return instrucao;
}

void PopulaRegistro(const QString& registro, const QMap<QString, QString>& extras) {
    platform::MemTable* tabela = dmBlocos->tabela(registro);
    if (!tabela)
        throw std::logic_error(("No record table for " + registro).toStdString());
    QMap<QString, QString> valores = ValoresDoConjunto();
    for (auto it = extras.begin(); it != extras.end(); ++it)
        valores.insert(it.key(), it.value());
    std::unique_ptr<platform::Query> query =
        common::CriaQuery(QStringLiteral("quReg") + registro, &dmFCONT->trBanco);
    query->setSql(SubstituiMarcadores(InstrucaoRegistro(registro), valores));
    platform::Query* anterior = dmBlocos->quAtual;
    dmBlocos->quAtual = query.get();
    try {
        PopulaBloco(*query, *tabela);
    } catch (...) {
        dmBlocos->quAtual = anterior;
        throw;
    }
    dmBlocos->quAtual = anterior;
}

bool GeraBlocos(const QString& filtroEmpresas) {
    dmBlocos->FiltroEmpresas = filtroEmpresas;
    dmBlocos->DescartaAssociacaoLida();
    struct Descarta {
        ~Descarta() { dmBlocos->DescartaAssociacaoLida(); }
    } descarta;
    try {
        const QMap<QString, QString> filtro{{QStringLiteral("FILTRO"), filtroEmpresas}};
        PopulaRegistro(QStringLiteral("0000"));
        PopulaRegistro(QStringLiteral("I001"));
        PopulaRegistro(QStringLiteral("I050"), filtro);
        // Only the I050 hooks read the chart and the association rows: their copies go before
        // the balances fill the record tables.
        dmBlocos->DescartaAssociacaoLida();
        data::DescartaPlanoOrdenado();
        PopulaRegistro(QStringLiteral("I075"));
        PopulaRegistro(QStringLiteral("I100"));

        const QMap<QString, QString> periodo = valoresDoPeriodo(filtro);
        PopulaRegistro(QStringLiteral("I150"), periodo);
        PopulaRegistro(QStringLiteral("I350"), periodo);
        GravaI990();

        PopulaRegistro(QStringLiteral("J001"));
        PopulaRegistro(QStringLiteral("J930"));
        GravaJ990();

        for (const char* r : {"M001", "M020", "M025", "M030", "M355"})
            PopulaRegistro(QString::fromLatin1(r), filtro);
        GravaM990();

        GravaBloco9();
        return true;
    } catch (const platform::SilentAbort&) {
        return false;
    } catch (const std::exception& e) {
        // Every known failure has been shown on its way here; this one has not.
        try {
            common::MostraMensagem(QStringLiteral("Erro: ") + QString::fromUtf8(e.what()));
        } catch (...) {
        }
        return false;
    } catch (...) {
        return false;
    }
}

} // namespace generation

namespace generation {

QList<std::pair<QString, QString>> InstrucoesDaGeracao(const QString& filtroEmpresas) {
    const QMap<QString, QString> filtro{{QStringLiteral("FILTRO"), filtroEmpresas}};
    QDate ultimo;
    const QMap<QString, QString> periodo = valoresDoPeriodo(filtro, &ultimo);
    const QMap<QString, QString> valores = ValoresDoConjunto();
    auto comValores = [&](const QString& registro, const QMap<QString, QString>& extras) {
        QMap<QString, QString> todos = valores;
        for (auto it = extras.begin(); it != extras.end(); ++it)
            todos.insert(it.key(), it.value());
        return std::pair{registro, SubstituiMarcadores(InstrucaoRegistro(registro), todos)};
    };
    // The I150 and I350 rows the balance hooks take their period from hold that same last day.
    const QString mes =
        ultimo.isValid() ? cotado(regional::formatDate(QStringLiteral("12/01/YYYY"), ultimo)) : QString();
    QList<std::pair<QString, QString>> lista;
    lista << comValores(QStringLiteral("0000"), {}) << comValores(QStringLiteral("I001"), {})
          << comValores(QStringLiteral("I050"), filtro)
          << std::pair{QStringLiteral("I051"), SubstituiMarcadores(InstrucaoI051DoConjunto(), valores)};
    if (campoSPED("RI200LCTPGCR").asInteger() == -1) {
        for (const QString& sql :
             SuperiorDaAssociacao::InstrucoesDoSuperior(static_cast<int>(campoSPED("SPCODIGO").asInteger()),
                                                        static_cast<int>(campoSPED("EMPRESA").asInteger())))
            lista << std::pair{QStringLiteral("I050 superior"), sql};
    }
    lista << comValores(QStringLiteral("I075"), {}) << comValores(QStringLiteral("I100"), {})
          << comValores(QStringLiteral("I150"), periodo)
          << comValores(QStringLiteral("I155"),
                        {{QStringLiteral("FILTRO"), filtroEmpresas}, {QStringLiteral("PERIODO_I150"), mes}})
          << comValores(QStringLiteral("I350"), periodo)
          << comValores(QStringLiteral("I355"),
                        {{QStringLiteral("FILTRO"), filtroEmpresas}, {QStringLiteral("PERIODO_I350"), mes}})
          << comValores(QStringLiteral("J001"), {}) << comValores(QStringLiteral("J930"), {});
    for (const char* r : {"M001", "M020", "M025", "M030", "M355"})
        lista << comValores(QString::fromLatin1(r), filtro);
    return lista;
}

} // namespace generation
