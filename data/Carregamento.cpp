#include "data/Carregamento.h"

#include "common/Mensagens.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "platform/Abort.h"

namespace data {

using common::MostraMensagem;

namespace {

QString textoDoErro(const std::exception& e) { return QString::fromUtf8(e.what()); }

} // namespace

void CarregaDadosSPEDFCONT(int codigoConfiguracao) {
    platform::Query& sped = dmFCONT->quSPED;
    try {
        sped.close();
        sped.setSql(QStringLiteral("select sp.*, im.rcimnome as MUN_DESC from AUGC80SP sp left outer join augc16rcim im "
                                   "on(im.rcimid = sp.r0000cod_mun) where SPCODIGO = ") +
                    QString::number(codigoConfiguracao) + QStringLiteral(" and coalesce(SPID, 'C') = 'T' "));
        sped.open();
    } catch (const std::exception& e) {
        MostraMensagem(QStringLiteral("Erro: ao carregar registros de configurações SPED FCONT!\r") + textoDoErro(e), true);
    }
}

void CarregaPlanoContasCtb(int empresa) {
    platform::Query& plano = dmFCONT->quPlanoCtb;
    try {
        plano.close();
        plano.setParam(QStringLiteral("PACODIGO"), empresa);
        plano.open();
    } catch (const std::exception& e) {
        MostraMensagem(QStringLiteral("Erro: ao carregar Plano de Contas Contábil.\rCausa: ") + textoDoErro(e), true);
    }
}

void CarregaCentrosCusto(int empresa) {
    platform::Query& centros = dmFCONT->quCcus;
    try {
        centros.close();
        centros.setParam(QStringLiteral("PACODIGO"), empresa);
        centros.open();
    } catch (const std::exception& e) {
        MostraMensagem(QStringLiteral("Erro: ao carregar Centros de Custo.\rCausa: ") + textoDoErro(e), true);
    }
}

void CarregaEmpresaProcessada() {
    platform::Query& empresa = dmFCONT->quEmpresaProc;
    try {
        empresa.close();
        // An empty EMPRESA leaves the statement without a value after the equals sign: the
        // database then refuses it and the message below tells the user.
        const platform::Field& codigo = dmFCONT->quSPED.fieldByName(QStringLiteral("EMPRESA"));
        empresa.setSql(QStringLiteral("select * from augc01pa pa \r\n where PACODIGO = ") + codigo.asString());
        empresa.open();
        const qint64 paCodigo = empresa.fieldByName(QStringLiteral("PACODIGO")).asInteger();
        if (paCodigo > 0) {
            CarregaPlanoContasCtb(static_cast<int>(paCodigo));
            CarregaCentrosCusto(static_cast<int>(paCodigo));
        }
    } catch (...) {
        MostraMensagem(QStringLiteral("Erro: ao carregar registros Empresa Processada!"), true);
    }
}

bool CarregaConfiguracoes(int codigoConfiguracao) {
    TdmFCONT& dm = *dmFCONT;
    try {
        if (codigoConfiguracao <= 0) {
            dm.quSPED.close();
            dm.quSPED.open();
            NovoRegistro(dm.quSPED);
            return false;
        }
        CarregaDadosSPEDFCONT(codigoConfiguracao);
        CarregaEmpresaProcessada();
        if (dm.quSPED.fieldByName(QStringLiteral("SPCODIGO")).asInteger() > 0) {
            dm.quRegI050I051.close();
            dm.quRegI050I051.open();
            dm.quRegJ930old.close();
            dm.quRegJ930old.open();
            return true;
        }
        return false;
    } catch (const std::exception& e) {
        MostraMensagem(QStringLiteral("Erro: ") + textoDoErro(e), true);
    }
    return false;
}

} // namespace data
