#pragma once

#include "tools/bench/BaseGrande.h"

namespace bench {

// Times, over `rodadas` rounds, what the chart page's menu runs on the big company: the chart
// loading into an empty set, a second loading that creates nothing, and the copy of the loaded
// set's rows into another set, each beside its floor (the bare insert of the same rows through
// one prepared statement and one commit; one read of the chart). Prints the figures; returns 0
// when every run left the rows it should.
int MedeCarga(data::TdmFCONT& dm, const BaseGerada& base, int rodadas);

} // namespace bench
