#include "evenings/terminform.h"
#include "dataset/data_set.h"
