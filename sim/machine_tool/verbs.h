// The verbs of halvern-machine, one file each (verb_NAME.cpp). main.cpp lists them in its table.
#pragma once

#include "sim/machine_tool/tool.h"

namespace halvern_machine {

extern const Verb kInitVerb;
extern const Verb kInfoVerb;
extern const Verb kShowVerb;
extern const Verb kConfigVerb;
extern const Verb kAccessVerb;
extern const Verb kDiskVerb;

}  // namespace halvern_machine
