#include "data/dmFCONT.h"

#include "data/ColunasSPED.h"
#include "data/ContaSuperior.h"

#include <QDir>
#include <QFile>

namespace data {

TdmFCONT* dmFCONT = nullptr;

using platform::FieldDef;
using platform::FieldType;

QString CaminhoLocal(const QString& relativo) {
    QString caminho = relativo;
    caminho.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::current().filePath(caminho);
}

namespace {

QString linhas(std::initializer_list<const char*> partes) {
    QStringList lista;
    for (const char* p : partes)
        lista << QString::fromUtf8(p);
    return lista.join(QStringLiteral("\r\n"));
}

FieldDef texto(const char* nome, int tamanho, const char* rotulo = "") {
    FieldDef d;
    d.name = QString::fromUtf8(nome);
    d.type = FieldType::String;
    d.size = tamanho;
    d.displayLabel = QString::fromUtf8(rotulo);
    return d;
}

FieldDef fixo(const char* nome, int tamanho) {
    FieldDef d = texto(nome, tamanho);
    d.type = FieldType::FixedChar;
    return d;
}

FieldDef de(const char* nome, FieldType tipo, const char* rotulo = "") {
    FieldDef d;
    d.name = QString::fromUtf8(nome);
    d.type = tipo;
    d.displayLabel = QString::fromUtf8(rotulo);
    return d;
}

FieldDef obrigatorio(FieldDef d) {
    d.required = true;
    return d;
}

} // namespace

TdmFCONT::TdmFCONT()
    : trBanco(dbBanco.attachment()), quExec(QStringLiteral("quExec"), &trBanco),
      quAux(QStringLiteral("quAux"), &trBanco), quAux1(QStringLiteral("quAux1"), &trBanco),
      quLaco(QStringLiteral("quLaco"), &trBanco), IBScript(trBanco),
      quEmpresaProc(QStringLiteral("quEmpresaProc"), &trBanco),
      quPlanoCtb(QStringLiteral("quPlanoCtb"), &trBanco), quCcus(QStringLiteral("quCcus"), &trBanco),
      quDadosEmpresa(QStringLiteral("quDadosEmpresa"), &trBanco),
      quACBC15PC(QStringLiteral("quACBC15PC"), &trBanco), quRegI050(QStringLiteral("quRegI050"), &trBanco),
      quSPED(QStringLiteral("quSPED"), &trBanco), quRegI050I051(QStringLiteral("quRegI050I051"), &trBanco),
      quRegJ930old(QStringLiteral("quRegJ930old"), &trBanco), cdsPlanoRef(QStringLiteral("cdsPlanoRef")),
      cdsListas(QStringLiteral("cdsListas")) {
    dmFCONT = this;
    criaConsultasErp();
    criaPlanoRef();
    criaListas();
    criaSPED();
    criaAssociacoes();
    criaSignatarios();
    DataModuleCreate();
}

TdmFCONT::~TdmFCONT() {
    DataModuleDestroy();
    if (dmFCONT == this)
        dmFCONT = nullptr;
}

void TdmFCONT::DataModuleCreate() {
    slErros.clear();
    const QString listas = CaminhoLocal(QStringLiteral("Tabelas Externas\\SPEDTabCodigos.xml"));
    if (QFile::exists(listas)) {
        try {
            cdsListas.loadFromFile(listas);
        } catch (const std::exception& e) {
            // An unreadable code-list file leaves the lists empty, as a missing one does.
            slErros << QStringLiteral("Erro: ") + QString::fromUtf8(e.what());
            cdsListas.emptyDataSet();
        }
    }
}

void TdmFCONT::DataModuleDestroy() {
    slErros.clear();
}

void TdmFCONT::criaConsultasErp() {
    quEmpresaProc.setSql(linhas({"select *", "from augc01pa pa"}));
    quPlanoCtb.setSql(linhas({"select *", "from ACBC15PC pc", "where pc.PACODIGO = :PACODIGO",
                              "and coalesce(pc.PCORDENACAO, '') <> ''", "and coalesce(pc.PCNIVEL, 0) > 0",
                              "and coalesce(pc.PCDESCRICAO, '') <> ''", "order by pc.PCORDENACAO"}));
    quCcus.setSql(linhas({"select '0600' as REG,  pf.pfcodigo as COD_CCUS,", "pf.pfdescricao as CCUS",
                          "from aafc80pf pf", "where pf.pacodigo = :PACODIGO"}));
    quCcus.addField(fixo("REG", 4));
    quCcus.addField(obrigatorio(texto("COD_CCUS", 8)));
    quCcus.addField(texto("CCUS", 70));
    quDadosEmpresa.setSql(linhas({"select *", "from EA", "where codigo = :FILIAL"}));
    quACBC15PC.setSql(linhas({"select *", "from ACBC15PC"}));
    quRegI050.setSql(linhas({
        "select",
        "--(Case when substring(ctb.pcordenacao from 1 for 1) = '1' then '01'",
        "--      when substring(ctb.pcordenacao from 1 for 1) = '2' then '02'",
        "--      when substring(ctb.pcordenacao from 1 for 1) = '8' then '09'",
        "--                                                         Else '04' end) as COD_NAT,",
        "ctb.pccodigonatureza as COD_NAT,",
        "ctb.pctipo as IND_CTA, ctb.pcnivel as NIVEL,",
        "ctb.pcordenacao as COD_CTA,",
        "ctb.pcdescricao as CTA, ctb.PCCODIGO",
        "from ACBC15PC ctb",
        "where ctb.pacodigo = :PACODIGO",
        "and ctb.pcordenacao is not null",
        "order by ctb.pcordenacao, ctb.pcnivel",
    }));
    quRegI050.addField(fixo("COD_NAT", 2));
    quRegI050.addField(fixo("IND_CTA", 1));
    quRegI050.addField(texto("NIVEL", 1));
    quRegI050.addField(texto("COD_CTA", 32));
    quRegI050.addField(texto("CTA", 60));
    quRegI050.addField(obrigatorio(de("PCCODIGO", FieldType::Integer)));
}

void TdmFCONT::criaPlanoRef() {
    cdsPlanoRef.addField(texto("COD_CTA_REF", 30, "Conta"));
    cdsPlanoRef.addField(texto("DESCRICAO", 255, "Descrição"));
    cdsPlanoRef.addField(de("DT_INI_VALIDADE", FieldType::Date, "Data Inicial Validade"));
    cdsPlanoRef.addField(de("DT_FIN_VALIDADE", FieldType::Date, "Data Final Validade"));
    cdsPlanoRef.addField(texto("TIPO", 1, "Tipo"));
    cdsPlanoRef.createDataSet();
}

void TdmFCONT::criaListas() {
    cdsListas.addField(texto("REGISTRO", 4));
    cdsListas.addField(texto("CAMPO", 60));
    cdsListas.addField(texto("CODIGO", 8));
    cdsListas.addField(texto("DESCRICAO", 259));
    cdsListas.createDataSet();
}

void TdmFCONT::criaSPED() {
    const QString select = linhas({"select sp.*,", "im.rcimnome as MUN_DESC", "", "from AUGC80SP sp",
                                   "left outer join augc16rcim im", "on(im.rcimid = sp.r0000cod_mun)", ""});
    quSPED.setSql(select +
                  QStringLiteral("\r\nwhere SPCODIGO = :SPCODIGO\r\nand coalesce(SPID, 'C') = :SPID"));
    for (const ColunaSPED& c : ColunasSPED()) {
        FieldDef d;
        d.name = QString::fromLatin1(c.nome);
        d.type = c.tipo;
        d.size = c.tamanho;
        d.required = d.name == QLatin1String("SPCODIGO");
        quSPED.addField(d);
    }
    FieldDef municipio = texto("MUN_DESC", 55);
    municipio.readOnly = true;
    quSPED.addField(municipio);

    QStringList sets, colunas, parametros;
    for (const ColunaSPED& c : ColunasSPED()) {
        const QString nome = QString::fromLatin1(c.nome);
        if (nome == QLatin1String("R0000CONSOLIDAR"))
            continue;
        sets << QStringLiteral("  %1 = :%1,").arg(nome);
        colunas << QStringLiteral("  %1,").arg(nome);
        parametros << QStringLiteral("  :%1,").arg(nome);
    }
    quSPED.updateSql.refreshSql = select + QStringLiteral("\r\nwhere SPCODIGO = :SPCODIGO");
    quSPED.updateSql.modifySql =
        QStringLiteral("update AUGC80SP\r\nset\r\n") + sets.join(QStringLiteral("\r\n")) +
        QStringLiteral("\r\nR0000CONSOLIDAR=:R0000CONSOLIDAR\r\nwhere\r\n  SPCODIGO = :OLD_SPCODIGO");
    quSPED.updateSql.insertSql =
        QStringLiteral("insert into AUGC80SP\r\n(") + colunas.join(QStringLiteral("\r\n")) +
        QStringLiteral("\r\n  R0000CONSOLIDAR)\r\nvalues\r\n(") + parametros.join(QStringLiteral("\r\n")) +
        QStringLiteral("\r\n  :R0000CONSOLIDAR)");
    quSPED.updateSql.deleteSql =
        QStringLiteral("delete from AUGC80SP\r\nwhere\r\n  SPCODIGO = :OLD_SPCODIGO");

    quSPED.onNewRecord = [this](platform::DataSet&) { quSPEDNewRecord(); };
    quSPED.beforePost = [this](platform::DataSet&) { quSPEDBeforePost(); };
    quSPED.afterPost = [this](platform::DataSet&) { quSPEDAfterPost(); };
    quSPED.afterDelete = [this](platform::DataSet&) { quSPEDAfterDelete(); };
    ligaTabelasDeCodigos();
}

void TdmFCONT::criaAssociacoes() {
    const QString juncao = linhas({"select ass.*,", "cta.pcdescricao, cta.pcordenacao, cta.pctipo",
                                   "from AUGC80SPAS ass", "left outer join ACBC15PC cta",
                                   "on cta.pccodigo = ass.pccodigo", "and cta.pacodigo = ass.pacodigo"});
    quRegI050I051.setSql(juncao +
                         QStringLiteral("\r\nwhere ass.SPCODIGO = :SPCODIGO\r\n"
                                        "and coalesce(cta.pccodigo, '') <> ''\r\norder by cta.pcordenacao"));
    quRegI050I051.addField(obrigatorio(de("SPASCODIGO", FieldType::Integer)));
    quRegI050I051.addField(de("SPCODIGO", FieldType::Integer));
    quRegI050I051.addField(de("PCCODIGO", FieldType::Integer));
    quRegI050I051.addField(de("PACODIGO", FieldType::SmallInt));
    quRegI050I051.addField(de("SPRFCODIGO", FieldType::Integer));
    quRegI050I051.addField(texto("PCDESCRICAO", 60));
    quRegI050I051.addField(texto("PCORDENACAO", 20));
    quRegI050I051.addField(fixo("PCTIPO", 1));
    quRegI050I051.addField(texto("COD_CTA_REF", 30, "Cod. Conta Ref."));
    FieldDef descricao = texto("DESCRICAO", 30);
    descricao.calculated = true;
    quRegI050I051.addField(descricao).lookup = [this](const platform::DataSet& ds) {
        // Shown cut to the field's own width, as any text of the grid.
        return ds.fieldByName(QStringLiteral("DESCRICAO"))
            .convert(procuraPlanoRef(ds.fieldByName(QStringLiteral("COD_CTA_REF")).value(),
                                     QStringLiteral("DESCRICAO")));
    };
    FieldDef validade = de("DT_VALIDADE", FieldType::Date);
    validade.calculated = true;
    quRegI050I051.addField(validade).lookup = [this](const platform::DataSet& ds) {
        return procuraPlanoRef(ds.fieldByName(QStringLiteral("COD_CTA_REF")).value(),
                               QStringLiteral("DT_FIN_VALIDADE"));
    };
    quRegI050I051.addField(de("PCCODIGOSUP", FieldType::Integer, "Código Conta Sup."));
    quRegI050I051.addField(texto("COD_AGL", 255, "Cod. Aglutinação"));
    quRegI050I051.addField(texto("J150IND_VL", 1, "Ind. Situação Valor"));

    quRegI050I051.updateSql.refreshSql =
        juncao + QStringLiteral("\r\nwhere\r\n  SPASCODIGO = :SPASCODIGO\r\norder by cta.pcordenacao");
    quRegI050I051.updateSql.modifySql =
        linhas({"update AUGC80SPAS", "set", "  COD_AGL = :COD_AGL,", "  COD_CTA_REF = :COD_CTA_REF,",
                "  J150IND_VL = :J150IND_VL,", "  PACODIGO = :PACODIGO,", "  PCCODIGO = :PCCODIGO,",
                "  PCCODIGOSUP = :PCCODIGOSUP,", "  SPASCODIGO = :SPASCODIGO,", "  SPCODIGO = :SPCODIGO,",
                "  SPRFCODIGO = :SPRFCODIGO", "where", "  SPASCODIGO = :OLD_SPASCODIGO"});
    quRegI050I051.updateSql.insertSql =
        linhas({"insert into AUGC80SPAS",
                "  (COD_AGL, COD_CTA_REF, J150IND_VL, PACODIGO, PCCODIGO, PCCODIGOSUP, SPASCODIGO, ",
                "   SPCODIGO, SPRFCODIGO)", "values",
                "  (:COD_AGL, :COD_CTA_REF, :J150IND_VL, :PACODIGO, :PCCODIGO, :PCCODIGOSUP, ",
                "   :SPASCODIGO, :SPCODIGO, :SPRFCODIGO)"});
    quRegI050I051.updateSql.deleteSql =
        linhas({"delete from AUGC80SPAS", "where", "  SPASCODIGO = :OLD_SPASCODIGO"});

    quRegI050I051.beforeOpen = [this](platform::DataSet&) { quRegI050I051BeforeOpen(); };
    quRegI050I051.onNewRecord = [this](platform::DataSet&) { quRegI050I051NewRecord(); };
    quRegI050I051.beforePost = [this](platform::DataSet&) { quRegI050I051BeforePost(); };
    quRegI050I051.afterPost = [this](platform::DataSet&) { quRegI050I051AfterPost(); };
    quRegI050I051.afterDelete = [this](platform::DataSet&) { quRegI050I051AfterDelete(); };
}

void TdmFCONT::criaSignatarios() {
    quRegJ930old.setSql(linhas({"select *", "from AUGC80SPSG", "where SPCODIGO = :SPCODIGO"}));
    quRegJ930old.addField(obrigatorio(de("SPSGCODIGO", FieldType::Integer)));
    quRegJ930old.addField(de("SPCODIGO", FieldType::Integer));
    quRegJ930old.addField(texto("SPSGREG", 4));
    quRegJ930old.addField(texto("SPSGIDENT_NOM", 255, "Nome do Signatário"));
    quRegJ930old.addField(texto("SPSGIDENT_CPF", 14));
    quRegJ930old.addField(texto("SPSGIDENT_QUALIF", 255, "Qualificação do Assinante"));
    FieldDef codigo = texto("SPSGCOD_ASSIM", 3, "Código Qualificação Assinante");
    codigo.readOnly = true;
    quRegJ930old.addField(codigo);
    quRegJ930old.addField(texto("SPSGIND_CRC", 11, "Número CRC"));
    quRegJ930old.addField(texto("EMAIL", 60, "E-mail"));
    quRegJ930old.addField(texto("FONE", 14, "Telefone"));
    quRegJ930old.addField(texto("UF_CRC", 2));
    quRegJ930old.addField(texto("NUM_SEQ_CRC", 20, "Nº Seq. CRC"));
    quRegJ930old.addField(de("DT_CRC", FieldType::DateTime, "Data CRC"));
    quRegJ930old.fieldByName(QStringLiteral("SPSGIDENT_QUALIF")).onChange = [this](platform::Field&) {
        quRegJ930oldSPSGIDENT_QUALIFChange();
    };

    const char* alfabetica[] = {
        "DT_CRC",        "EMAIL",      "FONE",          "NUM_SEQ_CRC",   "SPCODIGO",
        "SPSGCOD_ASSIM", "SPSGCODIGO", "SPSGIDENT_CPF", "SPSGIDENT_NOM", "SPSGIDENT_QUALIF",
        "SPSGIND_CRC",   "SPSGREG",    "UF_CRC"};
    QStringList sets, colunas, parametros, refresh;
    for (const char* c : alfabetica) {
        sets << QStringLiteral("  %1 = :%1").arg(QLatin1String(c));
        colunas << QLatin1String(c);
        parametros << QStringLiteral(":") + QLatin1String(c);
    }
    for (const platform::Field* f : quRegJ930old.fields())
        refresh << QStringLiteral("  ") + f->name();
    quRegJ930old.updateSql.refreshSql =
        QStringLiteral("Select \r\n") + refresh.join(QStringLiteral(",\r\n")) +
        QStringLiteral("\r\nfrom AUGC80SPSG \r\nwhere\r\n  SPSGCODIGO = :SPSGCODIGO");
    quRegJ930old.updateSql.modifySql = QStringLiteral("update AUGC80SPSG\r\nset\r\n") +
                                       sets.join(QStringLiteral(",\r\n")) +
                                       QStringLiteral("\r\nwhere\r\n  SPSGCODIGO = :OLD_SPSGCODIGO");
    quRegJ930old.updateSql.insertSql =
        QStringLiteral("insert into AUGC80SPSG\r\n  (") + colunas.join(QStringLiteral(", ")) +
        QStringLiteral(")\r\nvalues\r\n  (") + parametros.join(QStringLiteral(", ")) + QStringLiteral(")");
    quRegJ930old.updateSql.deleteSql =
        QStringLiteral("delete from AUGC80SPSG\r\nwhere\r\n  SPSGCODIGO = :OLD_SPSGCODIGO");

    quRegJ930old.beforeOpen = [this](platform::DataSet&) { quRegJ930oldBeforeOpen(); };
    quRegJ930old.onNewRecord = [this](platform::DataSet&) { quRegJ930oldNewRecord(); };
    quRegJ930old.afterPost = [this](platform::DataSet&) { quRegJ930oldAfterPost(); };
    quRegJ930old.afterDelete = [this](platform::DataSet&) { quRegJ930oldAfterDelete(); };
}

} // namespace data
