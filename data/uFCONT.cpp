#include "data/uFCONT.h"

#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/ContaSuperior.h"
#include "data/LeInteiro.h"
#include "data/dmFCONT.h"
#include "platform/Abort.h"
#include "platform/Erro.h"
#include "platform/Regional.h"

#include <QFile>
#include <QTextStream>

namespace data {

using common::MostraMensagem;
using common::Trim;

void NovoRegistro(platform::DataSet& dataSet) {
    if (dataSet.active())
        dataSet.append();
}

void GravaRegistro(platform::DataSet& dataSet) {
    if (dataSet.active() && dataSet.editing())
        dataSet.post();
}

void ExcluiRegistro(platform::DataSet& dataSet) {
    if (!dataSet.active() || dataSet.isEmpty())
        return;
    if (common::Pergunta(QStringLiteral("Tem certeza de que deseja excluir o registro?"),
                         {QStringLiteral("Sim"), QStringLiteral("Não")}) == QLatin1String("Sim"))
        dataSet.remove();
}

bool ExisteFilial(const QString& filial) {
    platform::Query& q = dmFCONT->quDadosEmpresa;
    try {
        q.close();
        q.setParam(QStringLiteral("FILIAL"), filial);
        q.open();
        return !q.isEmpty();
    } catch (const std::exception& e) {
        dmFCONT->slErros << QStringLiteral("Erro: ") + platform::TextoDoErro(e);
        return false;
    }
}

void AtribuiCodigoConfiguracao(platform::Query& query) {
    try {
        platform::Query& sped = dmFCONT->quSPED;
        if (!sped.active())
            throw std::logic_error("no open parameter set");
        query.setParam(QStringLiteral("SPCODIGO"), sped.fieldByName(QStringLiteral("SPCODIGO")).value());
    } catch (const std::exception&) {
        MostraMensagem(QStringLiteral("Erro: ao carregar outros registros ") + query.name() +
                           QStringLiteral(" !"),
                       true);
    }
}

namespace {

// "DDMMYYYY": day, month and the last two digits of the year, read as a typed two-digit year.
QVariant dataDoPlano(const QString& campo) {
    if (campo.size() < 8)
        return {};
    const QString texto =
        campo.mid(0, 2) + QLatin1Char('/') + campo.mid(2, 2) + QLatin1Char('/') + campo.mid(6, 2);
    const auto data = platform::regional::parseDateTime(texto);
    if (!data)
        return {};
    return *data;
}

} // namespace

platform::Field& CampoSPED(const char* nome) {
    return dmFCONT->quSPED.fieldByName(QString::fromLatin1(nome));
}

void CarregaPlanoReferencial() {
    TdmFCONT& dm = *dmFCONT;
    const QString caminho = CaminhoLocal(QStringLiteral("Tabelas Externas\\contasref-SRF.txt"));
    try {
        platform::MemTable& plano = dm.cdsPlanoRef;
        plano.setFiltered(false);
        plano.emptyDataSet();
        if (!QFile::exists(caminho))
            MostraMensagem(QStringLiteral("Erro: \rArquivo \"contasref-SRF.txt\" não encontrado!"), true);

        QFile arquivo(caminho);
        if (!arquivo.open(QIODevice::ReadOnly))
            throw std::runtime_error(arquivo.errorString().toStdString());
        // The chart is a Windows text file in the single-byte character set of the database.
        const QString conteudo = QString::fromLatin1(arquivo.readAll());
        // Lines may end in CR LF, LF or CR alone.
        QString normalizado = conteudo;
        normalizado.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QStringList linhas = normalizado.split(QLatin1Char('\n'));
        if (!linhas.isEmpty() && linhas.last().isEmpty())
            linhas.removeLast();
        dm.slPlanoRef = linhas;

        platform::Field& conta = plano.fieldByName(QStringLiteral("COD_CTA_REF"));
        platform::Field& descricao = plano.fieldByName(QStringLiteral("DESCRICAO"));
        platform::Field& inicio = plano.fieldByName(QStringLiteral("DT_INI_VALIDADE"));
        platform::Field& fim = plano.fieldByName(QStringLiteral("DT_FIN_VALIDADE"));
        platform::Field& tipo = plano.fieldByName(QStringLiteral("TIPO"));
        for (int i = 1; i < linhas.size(); ++i) {
            const QString& linha = linhas[i];
            plano.append();
            conta.setValue(common::ExtraiCampo(linha, QLatin1Char(';'), 1));
            descricao.setValue(common::ExtraiCampo(linha, QLatin1Char(';'), 2));
            inicio.setValue(dataDoPlano(common::ExtraiCampo(linha, QLatin1Char(';'), 3)));
            fim.setValue(dataDoPlano(common::ExtraiCampo(linha, QLatin1Char(';'), 4)));
            tipo.setValue(common::ExtraiCampo(linha, QLatin1Char(';'), 5));
            plano.post();
        }
        plano.first();
    } catch (...) {
        if (dm.cdsPlanoRef.editing())
            dm.cdsPlanoRef.cancel();
        MostraMensagem(QStringLiteral("Erro: \rAo carregar Plano de Contas Referencial."), true);
    }
}

namespace {

int empresaDoConjunto() {
    return static_cast<int>(dmFCONT->quSPED.fieldByName(QStringLiteral("EMPRESA")).asInteger());
}

QString ordenacaoDaConta(int pcCodigo, int empresa) {
    QString ordenacao;
    common::BuscaValor(QStringLiteral("coalesce(PCORDENACAO, ' ')"), QStringLiteral("ACBC15PC"),
                       QStringLiteral(" where PCCODIGO = %1 and PACODIGO = %2").arg(pcCodigo).arg(empresa),
                       dmFCONT->quExec, ordenacao);
    return ordenacao;
}

// Level N of a synthetic account, or nullopt when PCNIVEL is blank or no integer.
std::optional<int> nivelDaConta(int pcCodigo, int empresa) {
    QString nivel;
    common::BuscaValor(QStringLiteral("coalesce(PCNIVEL, ' ')"), QStringLiteral("ACBC15PC"),
                       QStringLiteral(" where PCCODIGO = %1 and PACODIGO = %2").arg(pcCodigo).arg(empresa),
                       dmFCONT->quExec, nivel);
    int n = 0;
    if (Trim(nivel).isEmpty() || !LeInteiro(nivel, n))
        return std::nullopt;
    return n;
}

bool sintetica(const QString& tipoConta) {
    return Trim(tipoConta) != QLatin1String("A");
}

} // namespace

QString RetornaContaSuperiorNoBanco(int pcCodigo, const QString& tipoConta) {
    const int empresa = empresaDoConjunto();
    const QString ordenacao = ordenacaoDaConta(pcCodigo, empresa);
    if (Trim(ordenacao).isEmpty())
        return {};
    auto quPlano = common::CriaQuery(QStringLiteral("quPlano"), &dmFCONT->trBanco);
    std::optional<int> nivelMaximo;
    QString sql =
        QStringLiteral("select PCCODIGO, PCORDENACAO, PCTIPO, PCNIVEL from ACBC15PC where PACODIGO = %1"
                       " and PCORDENACAO <= %2")
            .arg(empresa)
            .arg(common::Q(ordenacao));
    if (sintetica(tipoConta)) {
        nivelMaximo = nivelDaConta(pcCodigo, empresa);
        if (!nivelMaximo)
            return {};
        sql += QStringLiteral(" and PCTIPO = 'S'");
    }
    sql += QStringLiteral(" Order By PCORDENACAO, PCNIVEL ");
    quPlano->setSql(sql);
    quPlano->open();
    quPlano->last();
    while (true) {
        if (quPlano->isEmpty())
            return {};
        const bool achou =
            nivelMaximo
                ? NivelDaConta(quPlano->fieldByName(QStringLiteral("PCNIVEL")).asString()) < *nivelMaximo
                : ComparaComoBanco(quPlano->fieldByName(QStringLiteral("PCTIPO")).asString(),
                                   QStringLiteral("S")) == 0;
        if (achou)
            return quPlano->fieldByName(QStringLiteral("PCORDENACAO")).asString();
        if (quPlano->recNo() == 0)
            return {};
        quPlano->prior();
    }
}

namespace {

const PlanoContasOrdenado& planoOrdenado(int empresa) {
    TdmFCONT& dm = *dmFCONT;
    if (!dm.planoOrdenado || dm.planoOrdenado->empresa() != empresa) {
        auto quPlano = common::CriaQuery(QStringLiteral("quPlano"), &dm.trBanco);
        quPlano->setSql(
            QStringLiteral("select PCCODIGO, PCORDENACAO, PCTIPO, PCNIVEL from ACBC15PC where PACODIGO = %1"
                           " and PCORDENACAO is not null Order By PCORDENACAO, PCNIVEL ")
                .arg(empresa));
        quPlano->setUniDirectional(true);
        quPlano->open();
        std::vector<PlanoContasOrdenado::Conta> contas;
        const platform::Field& codigo = quPlano->fieldByName(QStringLiteral("PCCODIGO"));
        const platform::Field& ordenacao = quPlano->fieldByName(QStringLiteral("PCORDENACAO"));
        const platform::Field& nivel = quPlano->fieldByName(QStringLiteral("PCNIVEL"));
        const platform::Field& tipo = quPlano->fieldByName(QStringLiteral("PCTIPO"));
        while (!quPlano->eof() && !quPlano->isEmpty()) {
            contas.push_back({static_cast<int>(codigo.asInteger()), ordenacao.asString(),
                              nivel.isNull() ? QStringLiteral(" ") : nivel.asString(), tipo.asString()});
            quPlano->next();
        }
        dm.planoOrdenado = std::make_unique<PlanoContasOrdenado>(empresa, std::move(contas));
    }
    return *dm.planoOrdenado;
}

} // namespace

// The same answers as RetornaContaSuperiorNoBanco from one ordered read of the chart per
// generation: the per-call queries made the I050 block quadratic in the size of the chart.
QString RetornaContaSuperior(int pcCodigo, const QString& tipoConta) {
    const PlanoContasOrdenado& plano = planoOrdenado(empresaDoConjunto());
    const PlanoContasOrdenado::Conta* conta = plano.conta(pcCodigo);
    if (!conta || Trim(conta->ordenacao).isEmpty())
        return {};
    int nivelMaximo = -1;
    if (sintetica(tipoConta)) {
        if (Trim(conta->nivel).isEmpty() || !LeInteiro(conta->nivel, nivelMaximo))
            return {};
    }
    return plano.superior(conta->ordenacao, nivelMaximo);
}

void DescartaPlanoOrdenado() {
    dmFCONT->planoOrdenado.reset();
}

} // namespace data
