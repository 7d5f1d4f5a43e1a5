#pragma once

#include <QString>

namespace data {

// Schema helpers of the upkeep, on quExec and IBScript.
bool ExisteCampo(const QString& tabela, const QString& campo);
void AdicionaCampo(const QString& tabela, const QString& definicao);
bool ExecutaScript(const QString& texto);
void CriaIndices();

} // namespace data
