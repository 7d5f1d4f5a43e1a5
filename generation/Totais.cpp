#include "generation/Totais.h"

#include "common/Mensagens.h"
#include "generation/Leiaute.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"

#include <initializer_list>
#include <stdexcept>

namespace generation {

namespace {

TdmBlocos& blocos() {
    if (!dmBlocos)
        throw std::logic_error("The record tables do not exist");
    return *dmBlocos;
}

int soma(std::initializer_list<const platform::MemTable*> tabelas) {
    int total = 0;
    for (const platform::MemTable* t : tabelas)
        total += t->recordCount();
    return total;
}

void gravaFechamento(platform::MemTable& tabela, const char* registro, const char* campo, int quantidade) {
    tabela.append();
    tabela.fieldByName(QStringLiteral("REG")).setValue(QString::fromLatin1(registro));
    tabela.fieldByName(QString::fromLatin1(campo)).setValue(quantidade);
    tabela.post();
}

} // namespace

void TotalizaRegistro(const QString& codigo, int quantidade) {
    platform::MemTable& tabela = blocos().cdsReg9900;
    try {
        tabela.append();
        tabela.fieldByName(QStringLiteral("REG")).setValue(QStringLiteral("9900"));
        tabela.fieldByName(QStringLiteral("REG_BLC")).setValue(codigo);
        tabela.fieldByName(QStringLiteral("QTD_REG_BLC")).setValue(quantidade);
        tabela.post();
    } catch (const platform::UserCancel&) {
        tabela.cancel();
        throw;
    } catch (...) {
        tabela.cancel();
        common::MostraMensagem(
            QStringLiteral("Erro: ao totalizar Registros \"") + codigo + QStringLiteral("\"."), true);
    }
}

void GravaI990() {
    TdmBlocos& b = blocos();
    const int linhas =
        soma({&b.cdsRegI001, &b.cdsRegI050, &b.cdsRegI051, &b.cdsRegI075, &b.cdsRegI100, &b.cdsRegI150,
              &b.cdsRegI155, &b.cdsRegI200, &b.cdsRegI250, &b.cdsRegI350, &b.cdsRegI355});
    gravaFechamento(b.cdsRegI990, "I990", "QTD_LIN_I", linhas + 1);
}

void GravaJ990() {
    TdmBlocos& b = blocos();
    gravaFechamento(b.cdsRegJ990, "J990", "QTD_LIN_J", soma({&b.cdsRegJ001, &b.cdsRegJ930}) + 1);
}

void GravaM990() {
    TdmBlocos& b = blocos();
    const int linhas = soma({&b.cdsRegM001, &b.cdsRegM020, &b.cdsRegM025, &b.cdsRegM030, &b.cdsRegM355});
    gravaFechamento(b.cdsRegM990, "M990", "QTD_LIN_M", linhas + 1);
}

void GravaBloco9() {
    TdmBlocos& b = blocos();
    b.cdsReg9001.append();
    b.cdsReg9001.fieldByName(QStringLiteral("REG")).setValue(QStringLiteral("9001"));
    b.cdsReg9001.fieldByName(QStringLiteral("IND_DAD")).setValue(QStringLiteral("0"));
    b.cdsReg9001.post();

    for (const QString& codigo : RegistrosContadosNoBloco9())
        TotalizaRegistro(codigo, b.tabela(codigo)->recordCount());

    // 9990 counts itself and the 9999 that follows it.
    gravaFechamento(b.cdsReg9990, "9990", "QTD_LIN_9", soma({&b.cdsReg9001, &b.cdsReg9900}) + 2);

    int linhas = 0;
    for (const platform::MemTable* t : b.tabelas())
        if (t != &b.cdsReg9999)
            linhas += t->recordCount();
    gravaFechamento(b.cdsReg9999, "9999", "QTD_LIN", linhas + 1);
}

} // namespace generation
