#include "world/save_block.h"

SaveBlock Save{};
