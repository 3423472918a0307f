#include "label/label_layout.h"
