#include "generation/Instrucoes.h"

#include <QMap>

namespace generation {

// The statements of the generation, one per record, with their {PLACEHOLDERS}. They are the
// contract with the ERP database and are sent as written: lines joined by CR.
QString InstrucaoRegistro(const QString& registro) {
    static const QMap<QString, QString> instrucoes = {
        {QStringLiteral("0000"),
         QStringLiteral(
             "select '0000' as REG, 'LALU' as ID_ARQ, R0000DT_INI as DT_INI, R0000DT_FIN as DT_FIN, R0000NOME as NOME, R0000CNPJ as CNPJ, R0000UF as UF, R0000IE as IE, R0000COD_MUN as COD_MUN, R0000IM as IM, R0000IND_SIT_ESP as IND_SIT_ESP, R0000IND_SIT_INI_PER as IND_SIT_INI_PER from AUGC80SP where SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("I001"),
         QStringLiteral(
             "select 'I001' as REG, '0' as IND_DAD from AUGC80SP where SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("I050"),
         QStringLiteral(
             "select 'I050' as REG, pc.PCCODIGONATUREZA as COD_NAT, pc.pctipo as IND_CTA, pc.pcnivel as NIVEL, pc.pcordenacao as COD_CTA, pc.pcdescricao as CTA, pc.pccodigo, ass.cod_agl from augc80spas ass left outer join acbc15pc pc on (pc.pccodigo = ass.pccodigo and pc.pacodigo = ass.pacodigo) where coalesce(pc.pcordenacao, '') <> ''  and ass.spcodigo = {SPCODIGO} order by pc.pcordenacao, pc.pcnivel"
         )},
        {QStringLiteral("I051"),
         QStringLiteral(
             "select 'I051' as REG, {COD_ENT_REF} as COD_ENT_REF, (Case When CCCODIGO = 0 then null  Else CCCODIGO  End) as COD_CCUS, ass.COD_CTA_REF from AUGC80SPAS ass left outer join ACBC15PC cta on cta.PCCODIGO = ass.PCCODIGO and cta.PACODIGO = ass.PACODIGO where ass.cod_cta_ref is not null  and ass.PACODIGO = {EMPRESA} and ass.PCCODIGO = {PCCODIGO} and ass.SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("I075"),
         QStringLiteral(
             "select 'I075' as REG, hc.hccodigo as COD_HIST, hc.hcdescricao as DESCR_HIST from acbc16hc hc where hc.hcdescricao is not null and hc.hcdescricao <> ' ' order by hc.hccodigo"
         )},
        {QStringLiteral("I100"),
         QStringLiteral(
             "select 'I100' as REG,  (select sp.R0000DT_INI from augc80sp sp where sp.spcodigo = {SPCODIGO} ) as DT_ALT, cc.cccodigo as COD_CCUS, cc.ccdescricao as CCUS from AUGC19CC cc where cc.ccdescricao is not null and cc.ccdescricao <> ' '"
         )},
        {QStringLiteral("I150"),
         QStringLiteral(
             "select 'I150' as REG, {DATA_INI} as DT_INI, {DATA_FIN} as DT_FIN from AUGC80SP where SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("I155"),
         QStringLiteral(
             "select\r"
             "Cast('I155' as varchar(4)) as REG,\r"
             "pc.pcordenacao as COD_CTA,\r"
             "(Case When coalesce(pc.cccodigo, 0) = 0 then ''\r"
             "      Else coalesce(pc.cccodigo, 0)\r"
             " End) as COD_CCUS,\r"
             "SUM(coalesce((select (coalesce(sdi.scsaldoanterior, 0.00))\r"
             " from acbc21sc sdi\r"
             " where sdi.pacodigo =SC.pacodigo\r"
             " and sdi.pccodigo = rf.pccodigo\r"
             " and sdi.scperiodo = '01/01/' || extract(year from sc.scperiodo)), 0.00)) as VL_SLD_INI,\r"
             "(Case When SUM((select (coalesce(sdi.scsaldoanterior, 0.00))\r"
             "                 from acbc21sc sdi\r"
             "                 where sdi.pacodigo =SC.pacodigo\r"
             "                 and sdi.pccodigo = rf.pccodigo\r"
             "                 and sdi.scperiodo = '01/01/' || extract(year from sc.scperiodo))) > 0.00 then 'D'\r"
             "      Else 'C'\r"
             " End) as IND_DC_INI,\r"
             "SUM(coalesce((select sum(coalesce(lc.lcvalordebito, 0.00))\r"
             " from acbm19lc lc\r"
             " where lc.pacodigo =SC.pacodigo\r"
             " and lc.pccodigo = rf.pccodigo\r"
             " and lc.lcdatalancamento >= '01/01/' || extract(year from sc.scperiodo)\r"
             " and lc.lcdatalancamento <= '12/31/' || extract(year from sc.scperiodo)), 0.00)) as Vl_DEB,\r"
             "SUM(coalesce((select sum(coalesce(lc.lcvalorcredito, 0.00))\r"
             " from acbm19lc lc\r"
             " where lc.pacodigo =SC.pacodigo\r"
             " and lc.pccodigo = rf.pccodigo\r"
             " and lc.lcdatalancamento >= '01/01/' || extract(year from sc.scperiodo)\r"
             " and lc.lcdatalancamento <= '12/31/' || extract(year from sc.scperiodo)), 0.00)) as VL_CRED,\r"
             "SUM(coalesce(sc.scsaldoatual, 0.00)) as VL_SLD_FIN,\r"
             "(Case When coalesce(SUM(sc.scsaldoatual), 0.00) > 0.00 then 'D'\r"
             "      Else 'C'\r"
             " End) as IND_DC_FIN\r"
             "from augc80spas rf\r"
             "left outer join acbc15pc pc\r"
             "on(pc.pacodigo = rf.pacodigo\r"
             "   and pc.pccodigo = rf.pccodigo)\r"
             "left outer join acbc21sc sc\r"
             "on(sc.pacodigo {FILTRO}\r"
             "   and sc.pccodigo = rf.pccodigo)\r"
             "where rf.spcodigo = {SPCODIGO}\r"
             " and sc.scperiodo = {PERIODO_I150}\r"
             " and substring(coalesce(pc.pcordenacao, ' ') from 1 for 1) not in(' ', '3', '4', '5')\r"
             " and coalesce(pc.pctipo, '') <> 'S'\r"
             " GROUP BY 2,3\r"
             " order by pc.pcordenacao"
         )},
        {QStringLiteral("I350"),
         QStringLiteral(
             "select 'I350' as REG,\r"
             "{DATA_RES} as DT_RES\r"
             "from AUGC80SP\r"
             "where SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("I355"),
         QStringLiteral(
             "select\r"
             "Cast('I355' as varchar(4)) as REG,\r"
             "pc.pcordenacao as COD_CTA,\r"
             "(Case When coalesce(pc.cccodigo, 0) = 0 then ''\r"
             "      Else coalesce(pc.cccodigo, 0)\r"
             " End) as COD_CCUS,\r"
             "SUM(coalesce((select sum(coalesce(lc.lcvalordebito, 0.00)) - sum(coalesce(lc.lcvalorcredito, 0.00))\r"
             "          from acbm19lc lc\r"
             "          where lc.pacodigo = SC.pacodigo\r"
             "          and lc.pccodigo = rf.pccodigo\r"
             "          and lc.lcdatalancamento >= '12/01/' || extract(year from sc.scperiodo)\r"
             "          and lc.lcdatalancamento <= '12/31/' || extract(year from sc.scperiodo)\r"
             "          and coalesce(lc.lcid, '') <> 'E'), 0.00) + coalesce(sc.scsaldoanterior, 0.00)) as VL_CTA,\r"
             "(Case When SUM(coalesce((select sum(coalesce(lc.lcvalordebito, 0.00)) - sum(coalesce(lc.lcvalorcredito, 0.00))\r"
             "                     from acbm19lc lc\r"
             "                     where lc.pacodigo = SC.pacodigo\r"
             "                     and lc.pccodigo = rf.pccodigo\r"
             "                     and lc.lcdatalancamento >= '12/01/' || extract(year from sc.scperiodo)\r"
             "                     and lc.lcdatalancamento <= '12/31/' || extract(year from sc.scperiodo)\r"
             "                     and coalesce(lc.lcid, '') <> 'E'), 0.00) + coalesce(sc.scsaldoanterior, 0.00)) > 0 then 'D'\r"
             "      Else 'C'\r"
             " End) as IND_DC\r"
             "from augc80spas rf\r"
             "left outer join acbc15pc pc\r"
             "on(pc.pacodigo = rf.pacodigo\r"
             "   and pc.pccodigo = rf.pccodigo)\r"
             "left outer join acbc21sc sc\r"
             "on(sc.pacodigo {FILTRO}\r"
             "   and sc.pccodigo = rf.pccodigo)\r"
             "where rf.spcodigo = {SPCODIGO}\r"
             " and sc.scperiodo = {PERIODO_I350}\r"
             " and substring(coalesce(pc.pcordenacao, ' ') from 1 for 1) >= '3'\r"
             " and coalesce(pc.pctipo, '') <> 'S'\r"
             " GROUP BY 2,3  order by pc.pcordenacao"
         )},
        {QStringLiteral("J001"),
         QStringLiteral(
             "select 'J001' as REG, '0' as IND_DAD from AUGC80SP where SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("J930"),
         QStringLiteral(
             "select SPSGREG as REG, SPSGIDENT_NOM as IDENT_NOM, SPSGIDENT_CPF as IDENT_CPF, SPSGIDENT_QUALIF as IDENT_QUALIF, SPSGCOD_ASSIM as COD_ASSIM, SPSGIND_CRC as IND_CRC  from AUGC80SPSG  where SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("M001"),
         QStringLiteral(
             "select 'M001' as REG, '0' as IND_DAD\r"
             "from AUGC80SP where SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("M020"),
         QStringLiteral(
             "select 'M020' as REG,\r"
             "RM020QUALI_PJ as QUALI_PJ,\r"
             "RM020TIPO_ESCRIT as TIPO_ESCRIT,\r"
             "RM020Nro_Rec_Anterior as Nro_Rec_Anterior,\r"
             "RM020Id_escr_Per_ant as Id_escr_Per_ant,\r"
             "RM020sIT_sLD_PER_ANT as sIT_sLD_PER_ANT,\r"
             "RM020Ind_lcto_ini_sld as Ind_lcto_ini_sld,\r"
             "coalesce(RM020Form_apur, 'A') as Form_apur,\r"
             "RM020Form_tribut as Form_tribut,\r"
             "RM020TRIM_Luc_Arb as TRIM_Luc_Arb,\r"
             "RM020FORM_TRIB_TRI as FORM_TRIB_TRI\r"
             "from AUGC80SP where SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("M025"),
         QStringLiteral(
             "select\r"
             "Cast('M025' as varchar(4)) as REG,\r"
             "pc.pcordenacao as COD_CTA,\r"
             "(Case When coalesce(pc.cccodigo, 0) = 0 then ''\r"
             "      Else coalesce(pc.cccodigo, 0)\r"
             " End) as COD_CCUS,\r"
             "rf.cod_cta_ref,\r"
             "(Case When (coalesce(sum(sc.scsaldoatual), 0.00) < 0) then (coalesce(sum(sc.scsaldoatual), 0.00) * -1)\r"
             "      Else  coalesce(sum(sc.scsaldoatual), 0.00)\r"
             " End) as VL_SLD_FIN_FC,\r"
             "(Case When coalesce(sum(sc.scsaldoatual), 0.00) > 0  then 'D'\r"
             "      When coalesce(sum(sc.scsaldoatual), 0.00) <= 0 then 'C'\r"
             " End) as IND_DC_FIN_FC,\r"
             "(Case When (coalesce(sum(sc.scsaldoatual), 0.00) < 0) then (coalesce(sum(sc.scsaldoatual), 0.00) * -1)\r"
             "      Else  coalesce(sum(sc.scsaldoatual), 0.00)\r"
             " End) as VL_SLD_FIN_SOC,\r"
             "(Case When coalesce(sum(sc.scsaldoatual), 0.00) > 0  then 'D'\r"
             "      When coalesce(sum(sc.scsaldoatual), 0.00) <= 0 then 'C'\r"
             " End) as IND_DC_FIN_SOC\r"
             "from augc80spas rf\r"
             "left outer join acbc15pc pc\r"
             "on(pc.pacodigo = rf.pacodigo\r"
             "   and pc.pccodigo = rf.pccodigo)\r"
             "left outer join acbc21sc sc\r"
             "on(sc.pacodigo {FILTRO}\r"
             "   and sc.pccodigo = rf.pccodigo)\r"
             "where rf.spcodigo = {SPCODIGO}\r"
             " and rf.cod_cta_ref is not null\r"
             " and sc.scperiodo = {PERIODO_ANT}\r"
             " and substring(coalesce(pc.pcordenacao, ' ') from 1 for 1) not in(' ', '3', '4', '5')\r"
             " and coalesce(pc.pctipo, '') <> 'S'\r"
             " group by 2,3,4\r"
             " order by pc.pcordenacao"
         )},
        {QStringLiteral("M030"),
         QStringLiteral(
             "select 'M030' as REG,\r"
             "Cast('A00' as varchar(3)) as IND_PER,\r"
             "coalesce(RM030VL_LUC_LIQ, 0.00) as VL_LUC_LIQ,\r"
             "(Case When coalesce(RM030VL_LUC_LIQ, 0.00) > 0 then 'D'\r"
             "      Else 'C'\r"
             " End) as IND_LUC_LIQ\r"
             "from AUGC80SP where SPCODIGO = {SPCODIGO}"
         )},
        {QStringLiteral("M355"),
         QStringLiteral(
             "select\r"
             "Cast('M355' as varchar(4)) as REG,\r"
             "pc.pcordenacao as COD_CTA,\r"
             "(Case When coalesce(pc.cccodigo, 0) = 0 then ''\r"
             "      Else coalesce(pc.cccodigo, 0)\r"
             " End) as COD_CCUS,\r"
             "rf.cod_cta_ref,\r"
             "coalesce((select sum(coalesce(lc.lcvalordebito, 0.00)) - sum(coalesce(lc.lcvalorcredito, 0.00))\r"
             "          from acbm19lc lc\r"
             "          where lc.pacodigo = rf.pacodigo\r"
             "          and lc.pccodigo = rf.pccodigo\r"
             "          and lc.lcdatalancamento >= '12/01/' || extract(year from sc.scperiodo)\r"
             "          and lc.lcdatalancamento <= '12/31/' || extract(year from sc.scperiodo)\r"
             "          and coalesce(lc.lcid, '') <> 'E'), 0.00) + coalesce(sc.scsaldoanterior, 0.00) as VL_SLD_FIN_SOC,\r"
             "(Case When coalesce((select sum(coalesce(lc.lcvalordebito, 0.00)) - sum(coalesce(lc.lcvalorcredito, 0.00))\r"
             "                          from acbm19lc lc\r"
             "                          where lc.pacodigo {FILTRO}\r"
             "                          and lc.pccodigo = rf.pccodigo\r"
             "                          and lc.lcdatalancamento >= '12/01/' || extract(year from sc.scperiodo)\r"
             "                          and lc.lcdatalancamento <= '12/31/' || extract(year from sc.scperiodo)\r"
             "                          and coalesce(lc.lcid, '') <> 'E'), 0.00) + coalesce(sc.scsaldoanterior, 0.00) > 0 then 'D'\r"
             "      Else 'C'\r"
             " End) as IND_DC_FIN_SOC,\r"
             "0.00 as VL_DEB_FCONT_E,\r"
             "0.00 as VL_CRED_FCONT_E,\r"
             "0.00 as VL_DEB_FCONT_I,\r"
             "0.00 as VL_CRED_FCONT_I,\r"
             "coalesce((select sum(coalesce(lc.lcvalordebito, 0.00)) - sum(coalesce(lc.lcvalorcredito, 0.00))\r"
             "          from acbm19lc lc\r"
             "          where lc.pacodigo {FILTRO}\r"
             "          and lc.pccodigo = rf.pccodigo\r"
             "          and lc.lcdatalancamento >= '12/01/' || extract(year from sc.scperiodo)\r"
             "          and lc.lcdatalancamento <= '12/31/' || extract(year from sc.scperiodo)\r"
             "          and coalesce(lc.lcid, '') <> 'E'), 0.00) + coalesce(sc.scsaldoanterior, 0.00) as VL_SLD_FIN_FC_AL,\r"
             "(Case When coalesce((select sum(coalesce(lc.lcvalordebito, 0.00)) - sum(coalesce(lc.lcvalorcredito, 0.00))\r"
             "                          from acbm19lc lc\r"
             "                          where lc.pacodigo {FILTRO}\r"
             "                          and lc.pccodigo = rf.pccodigo\r"
             "                          and lc.lcdatalancamento >= '12/01/' || extract(year from sc.scperiodo)\r"
             "                          and lc.lcdatalancamento <= '12/31/' || extract(year from sc.scperiodo)\r"
             "                          and coalesce(lc.lcid, '') <> 'E'), 0.00) + coalesce(sc.scsaldoanterior, 0.00) > 0 then 'D'\r"
             "      Else 'C'\r"
             " End) as IND_DC_FIN_FC_AL\r"
             "from augc80spas rf\r"
             "left outer join acbc15pc pc\r"
             "on(pc.pacodigo = rf.pacodigo\r"
             "   and pc.pccodigo = rf.pccodigo)\r"
             "left outer join acbc21sc sc\r"
             "on(sc.pacodigo {FILTRO}\r"
             "   and sc.pccodigo = rf.pccodigo)\r"
             "where rf.spcodigo = {SPCODIGO}\r"
             " and sc.scperiodo = {PERIODO}\r"
             " and substring(coalesce(pc.pcordenacao, ' ') from 1 for 1) >= '3'\r"
             " and coalesce(pc.pctipo, '') <> 'S'\r"
             " order by pc.pcordenacao"
         )},
    };
    return instrucoes.value(registro);
}

} // namespace generation
