#pragma once

#include "platform/DataSet.h"

#include <vector>

namespace data {

struct ColunaSPED {
    const char* nome;
    platform::FieldType tipo;
    int tamanho;
};

const std::vector<ColunaSPED>& ColunasSPED();

} // namespace data
