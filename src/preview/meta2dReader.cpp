#include "preview/fileReaders.h"
