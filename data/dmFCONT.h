#pragma once

#include "data/Banco.h"
#include "db/Script.h"
#include "db/Transaction.h"
#include "platform/MemTable.h"
#include "platform/Query.h"

#include <QStringList>
#include <memory>
#include <optional>

namespace common {
class PromptView;
}

namespace data {

class PlanoContasOrdenado;

// The data module: the one connection and transaction, every query over the ERP's tables and
// the program's own tables, the referential chart and code lists in memory, and the working
// fields that the generator and the main window share.
class TdmFCONT {
public:
    TdmFCONT();
    ~TdmFCONT();
    TdmFCONT(const TdmFCONT&) = delete;
    TdmFCONT& operator=(const TdmFCONT&) = delete;

    Banco dbBanco;
    db::Transaction trBanco;

    // Scratch queries: callers replace the text each time.
    platform::Query quExec, quAux, quAux1, quLaco;
    db::Script IBScript;

    // The ERP's tables (read only).
    platform::Query quEmpresaProc, quPlanoCtb, quCcus, quDadosEmpresa, quACBC15PC, quRegI050;

    // The program's own tables.
    platform::Query quSPED, quRegI050I051, quRegJ930old;

    platform::MemTable cdsPlanoRef, cdsListas;

    // Public working fields, in the order the rest of the system knows them.
    bool Cancelado = false;
    QString NomeArquivo;
    std::unique_ptr<QStringList> slArquivo;
    QStringList slErros;
    QStringList slPlanoRef;
    int ContLinha = 0;

    // Where progress is shown (the main window's prompt, or fcont-cli's); not owned.
    common::PromptView* prompt = nullptr;

    // The company's chart in the order the superior-account rule reads it, loaded once per
    // generation; see RetornaContaSuperior.
    std::unique_ptr<PlanoContasOrdenado> planoOrdenado;

    void DataModuleCreate();
    void DataModuleDestroy();

    // Handlers of the parameter set and its detail rows.
    void quSPEDNewRecord();
    void quSPEDBeforePost();
    void quSPEDAfterPost();
    void quSPEDAfterDelete();
    void quRegI050I051BeforeOpen();
    void quRegI050I051NewRecord();
    void quRegI050I051BeforePost();
    void quRegI050I051AfterPost();
    void quRegI050I051AfterDelete();
    void quRegJ930oldBeforeOpen();
    void quRegJ930oldNewRecord();
    void quRegJ930oldAfterPost();
    void quRegJ930oldAfterDelete();
    void quRegJ930oldSPSGIDENT_QUALIFChange();

private:
    void ligaTabelasDeCodigos();
    QVariant procuraPlanoRef(const QVariant& codigo, const QString& campo) const;
    void criaConsultasErp();
    void criaPlanoRef();
    void criaListas();
    void criaSPED();
    void criaAssociacoes();
    void criaSignatarios();
};

// The one instance, created first at start-up and alive until the program ends.
extern TdmFCONT* dmFCONT;

// "Tabelas Externas\contasref-SRF.txt" and the like: written with the original folder
// separator, resolved against the current folder.
QString CaminhoLocal(const QString& relativo);

} // namespace data
