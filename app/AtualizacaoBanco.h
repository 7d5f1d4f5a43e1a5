#pragma once

#include <vector>

namespace app {

struct ColunaNova {
    const char* tabela;
    const char* definicao;
};

const std::vector<ColunaNova>& ColunasNovas();

// After every successful connection: brings the program's own tables up to date.
void dbBancoAfterConnect();

} // namespace app
