#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/ContaSuperior.h"
#include "data/LeInteiro.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "generation/AssociacaoLida.h"
#include "generation/LinhaRegistro.h"
#include "generation/Populacao.h"
#include "generation/dmBlocos.h"
#include "platform/Regional.h"

namespace generation {

using common::MostraMensagem;
using common::Trim;
using data::dmFCONT;

namespace {

platform::Field& campo(platform::DataSet& tabela, const char* nome) {
    return tabela.fieldByName(QString::fromLatin1(nome));
}

QString contaSuperiorDaAssociacao(TdmBlocos& blocos, int pcCodigo) {
    if (!blocos.superiorDaAssociacao)
        blocos.superiorDaAssociacao = std::make_unique<SuperiorDaAssociacao>(
            SuperiorDaAssociacao::Le(static_cast<int>(campo(dmFCONT->quSPED, "SPCODIGO").asInteger()),
                                     static_cast<int>(campo(dmFCONT->quSPED, "EMPRESA").asInteger())));
    return blocos.superiorDaAssociacao->conta(pcCodigo);
}

} // namespace

void TdmBlocos::cdsRegI050BeforePost() {
    campo(cdsRegI050, "DT_ALT").setValue(campo(dmFCONT->quSPED, "R0000DT_INI").value());
    const int pcCodigo = static_cast<int>(campo(cdsRegI050, "PCCODIGO").asInteger());
    QString superior;
    if (campo(dmFCONT->quSPED, "RI200LCTPGCR").asInteger() == -1)
        superior = contaSuperiorDaAssociacao(*this, pcCodigo);
    else
        superior = data::RetornaContaSuperior(pcCodigo, campo(cdsRegI050, "IND_CTA").asString());
    campo(cdsRegI050, "COD_CTA_SUP").setValue(superior);
}

void TdmBlocos::cdsRegI050AfterPost() {
    // The line goes out first: a failing check leaves the account's own line in the file.
    EscreveLinha(cdsRegI050);

    const QDateTime alteracao = campo(cdsRegI050, "DT_ALT").asDateTime();
    const QDateTime fim = campo(cdsReg0000, "DT_FIN").asDateTime();
    if (!(fim > alteracao))
        MostraMensagem(QStringLiteral("Operação Abortada: \rData de Alteração Conta MAIOR ou IGUAL a \r"
                                      "Data Final do Período de Geração do Arquivo!"),
                       true);

    const QString cta = Trim(campo(cdsRegI050, "CTA").asString());
    int nivel = 0;
    if (!data::LeInteiro(campo(cdsRegI050, "NIVEL").asString(), nivel))
        MostraMensagem(QStringLiteral("Operação Abortada: \rNível Inválido da Conta: \"") + cta +
                           QStringLiteral("\"!"),
                       true);

    const QString superior = campo(cdsRegI050, "COD_CTA_SUP").asString();
    if (nivel == 1 && !Trim(superior).isEmpty())
        MostraMensagem(QStringLiteral("Operação Abortada: \rConta: \"") + cta +
                           QStringLiteral("\" de Nível 1.\r") + QStringLiteral("Cod. Conta \"") +
                           campo(cdsRegI050, "COD_CTA").asString() +
                           QStringLiteral("\"\rCod. Conta Sup. \"") + superior +
                           QStringLiteral("\"\rCódigo da Conta Superior não deve ser informado!"),
                       true);

    if (Trim(campo(cdsRegI050, "IND_CTA").asString()) == QLatin1String("A"))
        PopulaI051(static_cast<int>(campo(cdsRegI050, "PCCODIGO").asInteger()));
}

void TdmBlocos::cdsRegI150AfterPost() {
    EscreveLinha(cdsRegI150);
    const QDate fim = campo(cdsRegI150, "DT_FIN").asDateTime().date();
    PopulaRegistro(QStringLiteral("I155"),
                   {{QStringLiteral("FILTRO"), FiltroEmpresas},
                    {QStringLiteral("PERIODO_I150"),
                     common::Q(platform::regional::formatDate(QStringLiteral("12/01/YYYY"), fim))}});
}

void TdmBlocos::cdsRegI350AfterPost() {
    EscreveLinha(cdsRegI350);
    const QDate resultado = campo(cdsRegI350, "DT_RES").asDateTime().date();
    PopulaRegistro(QStringLiteral("I355"),
                   {{QStringLiteral("FILTRO"), FiltroEmpresas},
                    {QStringLiteral("PERIODO_I350"),
                     common::Q(platform::regional::formatDate(QStringLiteral("12/01/YYYY"), resultado))}});
}

} // namespace generation
