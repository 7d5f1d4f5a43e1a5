#pragma once

#include <QString>

namespace data {

// Loading of a parameter set as the main window does it: the set itself (only this system's
// sets, SPID 'T'), its company row, chart and cost centres, and its detail rows. Each step
// reports its failure and ends the action by the silent abort.
void CarregaDadosSPEDFCONT(int codigoConfiguracao);
void CarregaEmpresaProcessada();
void CarregaPlanoContasCtb(int empresa);
void CarregaCentrosCusto(int empresa);
// With a code of 0 or less a new set is started instead. Returns true when the set was found
// and its detail rows were asked to open (the tree menu is the window's business).
bool CarregaConfiguracoes(int codigoConfiguracao);

// After the set `conjunto` was deleted: its association rows and signatories go too, committed
// at once, and their datasets close. Left behind they would come back under the next new set,
// which takes the highest code plus one. A failure shows its message and ends by the silent abort.
void ExcluiLinhasDoConjunto(qint64 conjunto);

// What the lookups of page "Registro 0000" do with the key the lookup window returned (empty
// when the user chose nothing). The company and the branch are left in edit state for
// "Salvar"; the municipality is stored at once so that its name shows.
void EscolheEmpresa(const QString& chave);
void EscolheFilial(const QString& chave);
void EscolheMunicipio(const QString& chave);
// Asks for the set's new name and stores it; a cancelled question changes nothing.
void RenomeiaConfiguracao();

} // namespace data
