#include "preview/svgWriter.h"
