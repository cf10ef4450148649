// Geometry sits below the document layer and cannot see its headers.
#include "lorvane/document/m2dFigure.h"
