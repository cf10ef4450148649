#pragma once
// Lint of one drawing in the text form: the walk over the tree the reader
// made, handing each record to the rules of every finding family.
#include <string>

#include "lorvane/lint/lintReport.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane::cli::lint {

// The chain read from a file (null when the file held nothing). Findings
// carry the file name given. The tree is only read, never changed.
void lintChain(const metaTreeC* chain, const std::string& file, lintReportC& report);

}  // namespace lorvane::cli::lint
