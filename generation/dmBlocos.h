#pragma once

#include "platform/MemTable.h"
#include "platform/Query.h"

#include <QList>
#include <QString>
#include <memory>

namespace generation {

class AssociacaoLida;
class SuperiorDaAssociacao;

// The FCONT record layouts: one in-memory table per record type. A table's visible fields, in
// order, are the fields of the record's line; the field's tag holds its rendering class
// (0 text, 1 digits, 2 date, 3 amount, 4 account code). Storing a row (post) writes its line.
class TdmBlocos {
public:
    TdmBlocos();
    ~TdmBlocos();
    TdmBlocos(const TdmBlocos&) = delete;
    TdmBlocos& operator=(const TdmBlocos&) = delete;

    platform::MemTable cdsReg0000, cdsRegI001, cdsRegI050, cdsRegI051, cdsRegI075, cdsRegI100, cdsRegI150,
        cdsRegI155, cdsRegI200, cdsRegI250, cdsRegI350, cdsRegI355, cdsRegI990, cdsRegJ001, cdsRegJ930,
        cdsRegJ990, cdsRegM001, cdsRegM020, cdsRegM025, cdsRegM030, cdsRegM355, cdsRegM990, cdsReg9001,
        cdsReg9900, cdsReg9990, cdsReg9999;

    // The query of the statement being run by the population (owned by the step that runs it:
    // a child population runs while its parent's query is still being read).
    platform::Query* quAtual = nullptr;
    // The company filter of the running generation (" = 1" or " in (1,2)"), which the balance
    // statements put after "sc.pacodigo" and "lc.pacodigo".
    QString FiltroEmpresas;

    // The association rows read once per generation (by the first account that needs them).
    std::unique_ptr<AssociacaoLida> associacaoI051;
    std::unique_ptr<SuperiorDaAssociacao> superiorDaAssociacao;
    void DescartaAssociacaoLida();

    // Every record table, in file order.
    QList<platform::MemTable*> tabelas();
    // The table of a record code ("I050"), or null.
    platform::MemTable* tabela(const QString& registro);

    // Empties every record table.
    void LimpaBlocos();

    // Hooks around the storing of a row.
    void cdsReg0000AfterPost();
    void cdsRegI050BeforePost();
    void cdsRegI050AfterPost();
    void cdsRegI150AfterPost();
    void cdsRegI350AfterPost();
    void cdsRegM355BeforePost();

private:
    void criaTabelas();
    void ligaEventos();
};

extern TdmBlocos* dmBlocos;

} // namespace generation
