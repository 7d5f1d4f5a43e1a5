#pragma once

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

} // namespace data
