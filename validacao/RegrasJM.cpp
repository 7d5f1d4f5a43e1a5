#include "validacao/Regras.h"

#include "data/TabelasCodigos.h"

#include <QSet>

namespace validacao {

namespace {

const QString signatarios = QStringLiteral("Signatários");
const QString blocoM = QStringLiteral("Bloco M");
const QString J930 = QStringLiteral("J930");
const QString M020 = QStringLiteral("M020");
const QString contador = QStringLiteral("900");

QString corrija(const QString& registro, const QString& campo) {
    return QStringLiteral("Corrija em: ") + OndeCorrigir(registro, campo);
}

// Only letters and digits: the mask's punctuation and blanks go.
QString semMascara(const QString& codigo) {
    QString s;
    s.reserve(codigo.size());
    for (const QChar ch : codigo)
        if (ch.isLetterOrNumber())
            s.append(ch);
    return s;
}

QString semZerosAFinal(QString codigo) {
    while (codigo.endsWith(QLatin1Char('0')))
        codigo.chop(1);
    return codigo;
}

QStringList codigosDe(const char* tabela) {
    QStringList codigos;
    for (const data::ItemCodigo& i : data::TabelaCodigosDe(QString::fromLatin1(tabela)).itens)
        codigos << i.codigo;
    return codigos;
}

} // namespace

void VerificaContador(const Contexto& c, Achados& achados) {
    const QList<const LinhaFCONT*>& linhas = c.linhas(J930);
    const LinhaFCONT* doContador = nullptr;
    const LinhaFCONT* outro = nullptr;
    for (const LinhaFCONT* linha : linhas)
        (c.valor(*linha, QLatin1StringView("COD_ASSIM")) == contador ? doContador : outro) = linha;
    const QString onde = corrija(J930, QStringLiteral("IDENT_QUALIF"));
    if (!doContador)
        Acha(achados, signatarios, Gravidade::Erro, linhas.isEmpty() ? nullptr : linhas.first(), J930,
             QStringLiteral("COD_ASSIM"), {},
             QStringLiteral("Nenhum signatário é o contador (qualificação de código 900). ") + onde);
    if (!outro)
        Acha(achados, signatarios, Gravidade::Erro, linhas.isEmpty() ? nullptr : linhas.first(), J930,
             QStringLiteral("COD_ASSIM"), {},
             QStringLiteral("Falta um signatário que não seja o contador (o responsável pela empresa: "
                            "diretor, administrador, procurador). ") +
                 onde);
}

void VerificaCrcDoContador(const Contexto& c, Achados& achados) {
    for (const LinhaFCONT* linha : c.linhas(J930))
        if (c.valor(*linha, QLatin1StringView("COD_ASSIM")) == contador &&
            c.valor(*linha, QLatin1StringView("IND_CRC")).isEmpty())
            Acha(achados, signatarios, Gravidade::Erro, linha, J930, QStringLiteral("IND_CRC"), {},
                 QStringLiteral("O contador %1 está sem o número do CRC. ")
                         .arg(c.valor(*linha, QLatin1StringView("IDENT_NOM"))) +
                     corrija(J930, QStringLiteral("IND_CRC")));
}

void VerificaCpfsRepetidos(const Contexto& c, Achados& achados) {
    QHash<QString, int> vistos;
    for (const LinhaFCONT* linha : c.linhas(J930)) {
        const QString cpf = c.valor(*linha, QLatin1StringView("IDENT_CPF"));
        if (cpf.isEmpty())
            continue;
        const auto anterior = vistos.constFind(cpf);
        if (anterior == vistos.constEnd()) {
            vistos.insert(cpf, linha->numero);
            continue;
        }
        Acha(achados, signatarios, Gravidade::Erro, linha, J930, QStringLiteral("IDENT_CPF"), {},
             QStringLiteral("O CPF %1 já é de outro signatário (linha %2); cada pessoa assina uma vez. ")
                     .arg(cpf)
                     .arg(anterior.value()) +
                 corrija(J930, QStringLiteral("IDENT_CPF")));
    }
}

void VerificaQualificacao(const Contexto& c, Achados& achados) {
    const QHash<QString, QString>* lista = c.tabelas.lista(J930, QStringLiteral("IDENT_QUALIF"));
    for (const LinhaFCONT* linha : c.linhas(J930)) {
        const QString nome = c.valor(*linha, QLatin1StringView("IDENT_NOM"));
        const QString qualificacao = c.valor(*linha, QLatin1StringView("IDENT_QUALIF"));
        const QString codigo = c.valor(*linha, QLatin1StringView("COD_ASSIM"));
        if (nome.isEmpty())
            Acha(achados, signatarios, Gravidade::Erro, linha, J930, QStringLiteral("IDENT_NOM"), {},
                 QStringLiteral("Signatário sem nome. ") + corrija(J930, QStringLiteral("IDENT_NOM")));
        if (qualificacao.isEmpty() || codigo.isEmpty())
            Acha(achados, signatarios, Gravidade::Erro, linha, J930,
                 qualificacao.isEmpty() ? QStringLiteral("IDENT_QUALIF") : QStringLiteral("COD_ASSIM"), {},
                 QStringLiteral("O signatário %1 está sem qualificação ou sem o código dela. ").arg(nome) +
                     corrija(J930, QStringLiteral("IDENT_QUALIF")));
        else if (lista && lista->contains(codigo) && lista->value(codigo) != qualificacao)
            Acha(achados, signatarios, Gravidade::Aviso, linha, J930, QStringLiteral("IDENT_QUALIF"), {},
                 QStringLiteral("A qualificação \"%1\" de %2 não é a do código %3 (\"%4\"). ")
                         .arg(qualificacao, nome, codigo, lista->value(codigo)) +
                     corrija(J930, QStringLiteral("IDENT_QUALIF")));
    }
}

void VerificaM020(const Contexto& c, Achados& achados) {
    struct Regra {
        const char* campo;
        bool obrigatorio;
        QStringList codigos;
    };
    static const QList<Regra> regras = {
        {"QUALI_PJ", true, codigosDe("RM020QUALI_PJ")},
        {"TIPO_ESCRIT", true, codigosDe("RM020TIPO_ESCRIT")},
        {"sIT_sLD_PER_ANT", true, codigosDe("RM020SIT_SLD_PER_ANT")},
        {"Ind_lcto_ini_sld", true, {QStringLiteral("0"), QStringLiteral("1")}},
        {"Form_apur", true, {QStringLiteral("A"), QStringLiteral("T")}},
        {"Form_tribut", true, codigosDe("RM020FORM_TRIBUT")},
        {"Form_trib_tri", false, codigosDe("RM020FORM_TRIB_TRI")},
    };
    for (const LinhaFCONT* linha : c.linhas(M020)) {
        for (const Regra& r : regras) {
            const QString campo = QString::fromLatin1(r.campo);
            const QString valor = c.valor(*linha, QLatin1StringView(r.campo));
            if (valor.isEmpty()) {
                if (r.obrigatorio)
                    Acha(achados, blocoM, Gravidade::Erro, linha, M020, campo, {},
                         QStringLiteral("%1 vazio: o campo é obrigatório. ").arg(campo) +
                             corrija(M020, campo));
                continue;
            }
            // A field with a list of its own in "Tabelas Externas" is checked against that list.
            if (c.tabelas.lista(M020, campo))
                continue;
            // One character per quarter.
            const QStringList partes = campo == QLatin1String("Form_trib_tri")
                                           ? valor.split(QString(), Qt::SkipEmptyParts)
                                           : QStringList{valor};
            for (const QString& parte : partes)
                if (!r.codigos.contains(parte)) {
                    Acha(achados, blocoM, Gravidade::Erro, linha, M020, campo, {},
                         QStringLiteral("O código \"%1\" de %2 não é da lista (%3). ")
                                 .arg(valor, campo, r.codigos.join(QStringLiteral(", "))) +
                             corrija(M020, campo));
                    break;
                }
        }
        if (c.valor(*linha, QLatin1StringView("TIPO_ESCRIT")) == QLatin1String("1") &&
            c.valor(*linha, QLatin1StringView("Nro_Rec_Anterior")).isEmpty())
            Acha(achados, blocoM, Gravidade::Erro, linha, M020, QStringLiteral("Nro_Rec_Anterior"), {},
                 QStringLiteral("Uma escrituração retificadora leva o número do recibo da anterior. ") +
                     corrija(M020, QStringLiteral("Nro_Rec_Anterior")));
    }
}

void VerificaM030(const Contexto& c, Achados& achados) {
    static const QStringList periodos = {QStringLiteral("A00"), QStringLiteral("T01"), QStringLiteral("T02"),
                                         QStringLiteral("T03"), QStringLiteral("T04")};
    for (const LinhaFCONT* linha : c.linhas(QStringLiteral("M030"))) {
        const QString periodo = c.valor(*linha, QLatin1StringView("IND_PER"));
        if (!periodos.contains(periodo))
            Acha(
                achados, blocoM, Gravidade::Erro, linha, QStringLiteral("M030"), QStringLiteral("IND_PER"),
                {},
                QStringLiteral("Período de apuração \"%1\": deve ser A00 (anual) ou T01 a T04 (trimestres). ")
                        .arg(periodo) +
                    RefazerArquivo());
    }
}

void VerificaContasM025(const Contexto& c, Achados& achados) {
    const PlanoDoArquivo& p = c.plano();
    for (const LinhaFCONT* linha : c.linhas(QStringLiteral("M025"))) {
        const QString codigo = c.valor(*linha, QLatin1StringView("COD_CTA"));
        if (!p.conta(codigo))
            Acha(achados, blocoM, Gravidade::Erro, linha, QStringLiteral("M025"), QStringLiteral("COD_CTA"),
                 codigo,
                 QStringLiteral(
                     "A conta %1 tem saldo do ano anterior mas não está no plano de contas do arquivo "
                     "(I050). Página Registro I050: associe a conta.")
                     .arg(codigo));
    }
}

void VerificaContasM355(const Contexto& c, Achados& achados) {
    // M355 writes its account code as stored, without the mask; the chart's codes are masked.
    QSet<QString> exatos, semZeros;
    for (const ContaDoPlano& conta : c.plano().contas) {
        const QString codigo = semMascara(conta.codigo);
        exatos.insert(codigo);
        semZeros.insert(semZerosAFinal(codigo));
    }
    for (const LinhaFCONT* linha : c.linhas(QStringLiteral("M355"))) {
        const QString codigo = c.valor(*linha, QLatin1StringView("COD_CTA"));
        const QString limpo = semMascara(codigo);
        // The mask pads a short code with zeros.
        if (exatos.contains(limpo) || semZeros.contains(semZerosAFinal(limpo)))
            continue;
        Acha(achados, blocoM, Gravidade::Erro, linha, QStringLiteral("M355"), QStringLiteral("COD_CTA"),
             codigo,
             QStringLiteral(
                 "A conta %1 tem saldo de resultado mas não está no plano de contas do arquivo (I050), "
                 "nem sem a pontuação da máscara. Página Registro I050: associe a conta.")
                 .arg(codigo));
    }
}

} // namespace validacao
