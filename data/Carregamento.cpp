#include "data/Carregamento.h"

#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "db/Statement.h"
#include "platform/Abort.h"
#include "platform/Dialogs.h"
#include "platform/Erro.h"

#include <optional>

namespace data {

using common::MostraMensagem;

namespace {

std::optional<int> inteiro(const QString& texto) {
    bool ok = false;
    const int valor = common::Trim(texto).toInt(&ok);
    return ok ? std::optional<int>(valor) : std::nullopt;
}

} // namespace

void CarregaDadosSPEDFCONT(int codigoConfiguracao) {
    platform::Query& sped = dmFCONT->quSPED;
    try {
        sped.close();
        sped.setSql(QStringLiteral(
                        "select sp.*, im.rcimnome as MUN_DESC from AUGC80SP sp left outer join augc16rcim im "
                        "on(im.rcimid = sp.r0000cod_mun) where SPCODIGO = ") +
                    QString::number(codigoConfiguracao) + QStringLiteral(" and coalesce(SPID, 'C') = 'T' "));
        sped.open();
    } catch (const std::exception& e) {
        MostraMensagem(QStringLiteral("Erro: ao carregar registros de configurações SPED FCONT!\r") +
                           platform::TextoDoErro(e),
                       true);
    }
}

void CarregaPlanoContasCtb(int empresa) {
    platform::Query& plano = dmFCONT->quPlanoCtb;
    try {
        plano.close();
        plano.setParam(QStringLiteral("PACODIGO"), empresa);
        plano.open();
    } catch (const std::exception& e) {
        MostraMensagem(QStringLiteral("Erro: ao carregar Plano de Contas Contábil.\rCausa: ") +
                           platform::TextoDoErro(e),
                       true);
    }
}

void CarregaCentrosCusto(int empresa) {
    platform::Query& centros = dmFCONT->quCcus;
    try {
        centros.close();
        centros.setParam(QStringLiteral("PACODIGO"), empresa);
        centros.open();
    } catch (const std::exception& e) {
        MostraMensagem(
            QStringLiteral("Erro: ao carregar Centros de Custo.\rCausa: ") + platform::TextoDoErro(e), true);
    }
}

void CarregaEmpresaProcessada() {
    platform::Query& empresa = dmFCONT->quEmpresaProc;
    try {
        empresa.close();
        // An empty EMPRESA leaves the statement without a value after the equals sign: the
        // database then refuses it and the message below tells the user.
        const platform::Field& codigo = dmFCONT->quSPED.fieldByName(QStringLiteral("EMPRESA"));
        empresa.setSql(QStringLiteral("select * from augc01pa pa \r\n where PACODIGO = ") +
                       codigo.asString());
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
        MostraMensagem(QStringLiteral("Erro: ") + platform::TextoDoErro(e), true);
    }
    return false;
}

void ExcluiLinhasDoConjunto(qint64 conjunto) {
    TdmFCONT& dm = *dmFCONT;
    try {
        for (const char* tabela : {"AUGC80SPAS", "AUGC80SPSG"}) {
            db::Statement exclusao(dm.trBanco, QStringLiteral("delete from %1 where SPCODIGO = %2")
                                                   .arg(QLatin1String(tabela))
                                                   .arg(conjunto));
            exclusao.execute();
        }
        dm.trBanco.commitRetaining();
    } catch (const std::exception& e) {
        MostraMensagem(QStringLiteral("Erro: ao excluir as contas e os signatários da configuração %1.\r")
                               .arg(conjunto) +
                           platform::TextoDoErro(e),
                       true);
    }
    dm.quRegI050I051.close();
    dm.quRegJ930old.close();
}

void EscolheEmpresa(const QString& chave) {
    const std::optional<int> empresa = inteiro(chave);
    if (!empresa)
        return;
    dmFCONT->quSPED.edit();
    CampoSPED("EMPRESA").setValue(*empresa);
}

void EscolheFilial(const QString& chave) {
    if (!ExisteFilial(chave))
        return;
    const platform::Query& filial = dmFCONT->quDadosEmpresa;
    const auto origem = [&filial](const char* nome) {
        return filial.fieldByName(QString::fromLatin1(nome)).asString();
    };
    dmFCONT->quSPED.edit();
    CampoSPED("FILIAL").setValue(chave);
    CampoSPED("R0000NOME").setValue(origem("NOME"));
    CampoSPED("R0000CNPJ").setValue(common::LimpaPontuacao(origem("CICCGC")));
    CampoSPED("R0000IE").setValue(origem("INSC_EST"));
    CampoSPED("R0000UF").setValue(origem("ESTADO"));
    CampoSPED("R0000IM").setValue(origem("INSC_MUN"));
    CampoSPED("R0005END").setValue(origem("UGENDERECO"));
    CampoSPED("R0005COMPL").setValue(origem("UGENDCOMPLEMENTO"));
    CampoSPED("R0005NUM").setValue(origem("UGENDNUMERO"));
    CampoSPED("R0005BAIRRO").setValue(origem("BAIRRO"));
    CampoSPED("R0005CEP").setValue(origem("CEP"));
    CampoSPED("R0005FONE").setValue(origem("FONE"));
    CampoSPED("R0005FAX").setValue(origem("FAX"));
    CampoSPED("R0005EMAIL").setValue(origem("EMAIL"));
}

void EscolheMunicipio(const QString& chave) {
    const std::optional<int> municipio = inteiro(chave);
    if (!municipio)
        return;
    platform::Query& sped = dmFCONT->quSPED;
    sped.edit();
    CampoSPED("R0000COD_MUN").setValue(*municipio);
    // The post re-reads the row, which brings the municipality's name.
    sped.post();
}

void RenomeiaConfiguracao() {
    const std::optional<QString> nome = platform::dialogs().input(
        QStringLiteral("Configuração SPED FCONT"),
        QStringLiteral("Informe o nome da nova configuração SPED FCONT:"), QString());
    // Cancelling the question is no request for an empty name.
    if (!nome)
        return;
    platform::Query& sped = dmFCONT->quSPED;
    sped.edit();
    CampoSPED("SPNOME").setValue(common::Trim(*nome));
    sped.post();
}

} // namespace data
