#pragma once

namespace bench {

struct MedidaConferencia {
    double segundos = 0;          // the conferência alone, fastest of the rounds
    double segundosCpu = 0;       // processor time of that round (the embedded engine's included)
    double segundosSugestoes = 0; // the suggestions after it, in that round
    int erros = 0, avisos = 0;
    int semReferencia = 0, sugestoes = 0;
};

// Times the conferência of the open set of dmFCONT `rodadas` times, then the same with one
// analytic account in ten left without its referential account (the accounts the conferência
// lists and the suggestions work on); that change is rolled back afterwards.
struct MedidasConferencia {
    MedidaConferencia mapeado, comLacunas;
};
MedidasConferencia MedeConferencia(int configuracao, int rodadas);

} // namespace bench
