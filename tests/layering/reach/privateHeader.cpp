// The tool links lint, but lint's rule context is lint's own.
#include "lorvane/lint/lintContext.h"
