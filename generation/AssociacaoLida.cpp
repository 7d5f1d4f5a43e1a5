#include "generation/AssociacaoLida.h"

#include "common/Consultas.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "generation/Instrucoes.h"
#include "platform/Query.h"

#include <stdexcept>

namespace generation {

using data::dmFCONT;

namespace {

QVariant valorParaTabela(const platform::Field& coluna) {
    if (coluna.type() == platform::FieldType::Float && !coluna.isNull())
        return common::ArredondaValor(coluna.asFloat());
    return coluna.value();
}

} // namespace

QString InstrucaoI051DoConjunto() {
    QString sql = InstrucaoRegistro(QStringLiteral("I051"));
    const QString condicao = QStringLiteral(" and ass.PCCODIGO = {PCCODIGO}");
    const QString inicio = QStringLiteral("select 'I051' as REG");
    if (!sql.contains(condicao) || !sql.startsWith(inicio))
        throw std::logic_error("The I051 statement no longer has the shape its one read is made from");
    sql.replace(condicao, QString());
    sql.replace(0, inicio.size(), QStringLiteral("select ass.PCCODIGO as PCCODIGO_DA_CONTA, 'I051' as REG"));
    return sql;
}

LinhasLidas LeLinhas(platform::Query& query, int omitidas) {
    LinhasLidas lidas;
    const QList<platform::Field*> campos = query.fields();
    for (int i = omitidas; i < campos.size(); ++i)
        lidas.colunas << campos[i]->name();
    while (!query.isEmpty() && !query.eof()) {
        QList<QVariant> linha;
        linha.reserve(campos.size() - omitidas);
        for (int i = omitidas; i < campos.size(); ++i)
            linha << valorParaTabela(*campos[i]);
        lidas.linhas.push_back(std::move(linha));
        query.next();
    }
    return lidas;
}

AssociacaoLida AssociacaoLida::LeI051(const QMap<QString, QString>& valores) {
    auto query = common::CriaQuery(QStringLiteral("quRegI051"), &dmFCONT->trBanco);
    query->setSql(SubstituiMarcadores(InstrucaoI051DoConjunto(), valores));
    query->setUniDirectional(true);
    query->open();
    AssociacaoLida lida;
    const platform::Field& conta = query->field(0);
    const QList<platform::Field*> campos = query->fields();
    for (int i = 1; i < campos.size(); ++i)
        lida.m_colunas << campos[i]->name();
    while (!query->isEmpty() && !query->eof()) {
        // A row without an account matches no account's statement.
        if (!conta.isNull()) {
            QList<QVariant> linha;
            linha.reserve(campos.size() - 1);
            for (int i = 1; i < campos.size(); ++i)
                linha << valorParaTabela(*campos[i]);
            lida.m_porConta[static_cast<int>(conta.asInteger())].push_back(std::move(linha));
        }
        query->next();
    }
    query->close();
    return lida;
}

LinhasLidas AssociacaoLida::linhasI051(int pcCodigo) const {
    LinhasLidas lidas;
    lidas.colunas = m_colunas;
    const auto it = m_porConta.find(pcCodigo);
    if (it != m_porConta.end())
        lidas.linhas = it->second;
    return lidas;
}

LinhasLidas LinhasI051NoBanco(int pcCodigo, const QMap<QString, QString>& valores) {
    QMap<QString, QString> comConta = valores;
    comConta.insert(QStringLiteral("PCCODIGO"), QString::number(pcCodigo));
    auto query = common::CriaQuery(QStringLiteral("quRegI051"), &dmFCONT->trBanco);
    query->setSql(SubstituiMarcadores(InstrucaoRegistro(QStringLiteral("I051")), comConta));
    query->setUniDirectional(true);
    query->open();
    LinhasLidas lidas = LeLinhas(*query);
    query->close();
    return lidas;
}

QStringList SuperiorDaAssociacao::InstrucoesDoSuperior(int spCodigo, int empresa) {
    return {
        QStringLiteral("select PCCODIGO, PCCODIGOSUP from AUGC80SPAS where SPCODIGO = %1 and PACODIGO = %2")
            .arg(spCodigo)
            .arg(empresa),
        QStringLiteral("select PCCODIGO, PCORDENACAO from ACBC15PC where PACODIGO = %1").arg(empresa)};
}

SuperiorDaAssociacao SuperiorDaAssociacao::Le(int spCodigo, int empresa) {
    SuperiorDaAssociacao lida;
    // Lookups never report a failure: what could not be read gives an empty superior, as the
    // per-account lookups do.
    try {
        auto query = common::CriaQuery(QStringLiteral("quExec"), &dmFCONT->trBanco);
        query->setUniDirectional(true);
        const QStringList instrucoes = InstrucoesDoSuperior(spCodigo, empresa);
        query->setSql(instrucoes[0]);
        query->open();
        while (!query->isEmpty() && !query->eof()) {
            if (!query->field(0).isNull())
                lida.m_superior.emplace(static_cast<int>(query->field(0).asInteger()),
                                        static_cast<int>(query->field(1).asInteger()));
            query->next();
        }
        query->close();
        query->setSql(instrucoes[1]);
        query->open();
        while (!query->isEmpty() && !query->eof()) {
            if (!query->field(0).isNull())
                lida.m_ordenacao.emplace(static_cast<int>(query->field(0).asInteger()),
                                         query->field(1).asString());
            query->next();
        }
        query->close();
    } catch (...) {
        lida.m_superior.clear();
        lida.m_ordenacao.clear();
    }
    return lida;
}

QString SuperiorDaAssociacao::conta(int pcCodigo) const {
    const auto sup = m_superior.find(pcCodigo);
    const int superior = sup == m_superior.end() ? 0 : sup->second;
    const auto ord = m_ordenacao.find(superior);
    return ord == m_ordenacao.end() ? QString() : ord->second;
}

QString SuperiorDaAssociacaoNoBanco(int pcCodigo) {
    // The association row of this account in the open set and company: an account of another
    // set or company must not lend its superior account.
    const QString spCodigo = QString::number(data::CampoSPED("SPCODIGO").asInteger());
    const QString empresa = QString::number(data::CampoSPED("EMPRESA").asInteger());
    const int superior =
        common::BuscaValorInteiro(QStringLiteral("PCCODIGOSUP"), QStringLiteral("AUGC80SPAS"),
                                  QStringLiteral(" where PCCODIGO = %1 and SPCODIGO = %2 and PACODIGO = %3")
                                      .arg(pcCodigo)
                                      .arg(spCodigo, empresa),
                                  dmFCONT->quExec);
    QString codigo;
    common::BuscaValor(QStringLiteral("PCORDENACAO"), QStringLiteral("ACBC15PC"),
                       QStringLiteral(" where PCCODIGO = %1 and PACODIGO = %2").arg(superior).arg(empresa),
                       dmFCONT->quExec, codigo);
    return codigo;
}

} // namespace generation
