#pragma once

#include "platform/ColunaGrade.h"

#include <vector>

namespace data {

// The association rows of the open parameter set as the chart page's grid shows them; the
// spreadsheet export and the association report read the same list, each the columns meant for it.
const std::vector<platform::ColunaGrade>& ColunasAssociacao();

// The signatories of record J930 as their grid shows them; the qualification's pick list is
// filled when the window is created, from the code lists.
const std::vector<platform::ColunaGrade>& ColunasSignatarios();

} // namespace data
