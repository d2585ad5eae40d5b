#include "ConfigurationRecord.h"

ConfigurationRecord configurationRecord{};
