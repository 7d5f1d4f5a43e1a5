#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"

namespace data {

using common::Trim;

QVariant TdmFCONT::procuraPlanoRef(const QVariant& codigo, const QString& campo) const {
    if (!codigo.isValid() || !cdsPlanoRef.active())
        return {};
    const platform::Field& conta = cdsPlanoRef.fieldByName(QStringLiteral("COD_CTA_REF"));
    const platform::Field& alvo = cdsPlanoRef.fieldByName(campo);
    const QString procurado = codigo.toString();
    for (int i = 0; i < cdsPlanoRef.recordCount(); ++i)
        if (cdsPlanoRef.valueAt(i, conta.index()).toString() == procurado)
            return alvo.convert(cdsPlanoRef.valueAt(i, alvo.index()));
    return {};
}

void TdmFCONT::quRegI050I051BeforeOpen() {
    CarregaPlanoReferencial();
    AtribuiCodigoConfiguracao(quRegI050I051);
}

void TdmFCONT::quRegI050I051NewRecord() {
    quRegI050I051.fieldByName(QStringLiteral("SPASCODIGO"))
        .setValue(common::BuscaValorInteiro(QStringLiteral("coalesce(MAX(SPASCODIGO) + 1, 1)"),
                                            QStringLiteral("AUGC80SPAS"), QString(), quExec));
    quRegI050I051.fieldByName(QStringLiteral("SPCODIGO"))
        .setValue(quSPED.fieldByName(QStringLiteral("SPCODIGO")).value());
    quRegI050I051.fieldByName(QStringLiteral("PACODIGO"))
        .setValue(quSPED.fieldByName(QStringLiteral("EMPRESA")).value());
}

void TdmFCONT::quRegI050I051BeforePost() {
    // One account twice in a set would be written as two I050 records of one code, which the
    // tax authority rejects; the grid lets a new row name any account of the chart.
    const platform::Field& conta = quRegI050I051.fieldByName(QStringLiteral("PCCODIGO"));
    if (!conta.isNull()) {
        // A number the chart does not have would be stored, hidden from the grid (it shows the
        // chart's accounts), and written as an I050 without code or name.
        const qint64 empresa = quRegI050I051.fieldByName(QStringLiteral("PACODIGO")).asInteger();
        if (common::BuscaValorInteiro(
                QStringLiteral("count(*)"), QStringLiteral("ACBC15PC"),
                QStringLiteral("where PACODIGO = %1 and PCCODIGO = %2").arg(empresa).arg(conta.asInteger()),
                quExec) == 0)
            common::MostraMensagem(
                QStringLiteral("Aviso: operação abortada.\rA conta %1 não existe no plano de "
                               "contas da empresa %2.")
                    .arg(conta.asInteger())
                    .arg(empresa),
                true);
        const QString outras =
            QStringLiteral("where SPCODIGO = %1 and PACODIGO = %2 and PCCODIGO = %3 and SPASCODIGO <> %4")
                .arg(quRegI050I051.fieldByName(QStringLiteral("SPCODIGO")).asInteger())
                .arg(quRegI050I051.fieldByName(QStringLiteral("PACODIGO")).asInteger())
                .arg(conta.asInteger())
                .arg(quRegI050I051.fieldByName(QStringLiteral("SPASCODIGO")).asInteger());
        if (common::BuscaValorInteiro(QStringLiteral("count(*)"), QStringLiteral("AUGC80SPAS"), outras,
                                      quExec) > 0)
            common::MostraMensagem(QStringLiteral("Aviso: operação abortada.\rA conta %1 já está no plano de "
                                                  "contas desta configuração.")
                                       .arg(conta.asInteger()),
                                   true);
    }
    if (quRegI050I051.fieldByName(QStringLiteral("PCTIPO")).asString() == QLatin1String("S") &&
        !Trim(quRegI050I051.fieldByName(QStringLiteral("COD_AGL")).asString()).isEmpty())
        common::MostraMensagem(
            QStringLiteral("Aviso: operação abortada.\rO campo \"Cod. Aglutinação\" deve ser "
                           "preenchido somente para as Contas Analíticas!"),
            true);
}

void TdmFCONT::quRegI050I051AfterPost() {
    trBanco.commitRetaining();
}

void TdmFCONT::quRegI050I051AfterDelete() {
    trBanco.commitRetaining();
}

void TdmFCONT::quRegJ930oldBeforeOpen() {
    AtribuiCodigoConfiguracao(quRegJ930old);
}

void TdmFCONT::quRegJ930oldNewRecord() {
    quRegJ930old.fieldByName(QStringLiteral("SPSGCODIGO"))
        .setValue(common::BuscaValorInteiro(QStringLiteral("coalesce(MAX(SPSGCODIGO) + 1, 1)"),
                                            QStringLiteral("AUGC80SPSG"), QString(), quExec));
    quRegJ930old.fieldByName(QStringLiteral("SPCODIGO"))
        .setValue(quSPED.fieldByName(QStringLiteral("SPCODIGO")).value());
    quRegJ930old.fieldByName(QStringLiteral("SPSGREG")).setValue(QStringLiteral("J930"));
}

void TdmFCONT::quRegJ930oldAfterPost() {
    trBanco.commitRetaining();
}

void TdmFCONT::quRegJ930oldAfterDelete() {
    trBanco.commitRetaining();
}

namespace {

// Narrows the code lists with a filter for as long as the object lives; the filter goes again
// even when reading the narrowed rows fails.
class FiltroListas {
public:
    FiltroListas(platform::MemTable& listas, const QString& expressao) : m_listas(listas) {
        m_listas.setFilter(expressao);
        m_listas.setFiltered(true);
    }
    ~FiltroListas() { m_listas.setFiltered(false); }
    FiltroListas(const FiltroListas&) = delete;
    FiltroListas& operator=(const FiltroListas&) = delete;

    // One column of every row the filter lets through, in the table's order.
    QStringList coluna(const QString& nome) const {
        QStringList valores;
        const int indice = m_listas.fieldByName(nome).index();
        for (int i = 0; i < m_listas.recordCount(); ++i)
            valores << m_listas.valueAt(i, indice).toString();
        return valores;
    }

private:
    platform::MemTable& m_listas;
};

QString filtroDaLista(const QString& registro, const QString& campo) {
    return QStringLiteral("REGISTRO = ") + common::Q(Trim(registro)) + QStringLiteral(" and CAMPO = ") +
           common::Q(Trim(campo));
}

} // namespace

void TdmFCONT::quRegJ930oldSPSGIDENT_QUALIFChange() {
    // The qualification's code goes to the file as J930 COD_ASSIM and nobody types it (the
    // column is read only), so it follows the chosen text; a text of no list leaves it empty.
    QStringList codigos;
    {
        const FiltroListas filtro(
            cdsListas,
            filtroDaLista(QStringLiteral("J930"), QStringLiteral("IDENT_QUALIF")) +
                QStringLiteral(" and DESCRICAO = ") +
                common::Q(Trim(quRegJ930old.fieldByName(QStringLiteral("SPSGIDENT_QUALIF")).asString())));
        codigos = filtro.coluna(QStringLiteral("CODIGO"));
    }
    quRegJ930old.fieldByName(QStringLiteral("SPSGCOD_ASSIM"))
        .setValue(codigos.isEmpty() ? QString(QLatin1String("")) : codigos.first());
}

void PreencheListaColuna(std::vector<platform::ColunaGrade>& colunas, const QString& registro,
                         const QString& campo, const QString& consulta) {
    TdmFCONT& dm = *dmFCONT;
    const QString chave = Trim(campo);
    for (platform::ColunaGrade& coluna : colunas) {
        // Grid columns show the own tables' fields, named with a four-character prefix
        // ("SPSGIDENT_QUALIF" shows IDENT_QUALIF).
        if (Trim(coluna.campo).mid(4) != chave)
            continue;
        coluna.lista.clear();
        if (!consulta.isEmpty()) {
            platform::Query& q = dm.quAux1;
            q.close();
            q.setSql(consulta);
            q.open();
            const platform::Field& valor = q.fieldByName(chave);
            for (q.first(); !q.eof(); q.next())
                coluna.lista << valor.asString();
            q.close();
        } else {
            coluna.lista = FiltroListas(dm.cdsListas, filtroDaLista(registro, campo))
                               .coluna(QStringLiteral("DESCRICAO"));
        }
    }
}

} // namespace data
