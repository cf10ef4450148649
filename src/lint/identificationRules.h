#pragma once
// What identifies a figure: its table identification (MIDENT) and the names
// the MI file changes.
#include "lintContext.h"

namespace lorvane::cli::lint {

void checkTableIdent(const metaTreeC* midentMember, lintContextC& context);
// A figure's or the drawing's NAME member.
void checkName(const metaTreeC* nameMember, lintContextC& context);

}  // namespace lorvane::cli::lint
