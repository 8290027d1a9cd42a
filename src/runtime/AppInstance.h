// The process-wide runtime record. It is the first program object to be constructed and the last to
// be destroyed, because every other object takes its storage from the pool it holds.
#pragma once

#include "runtime/PoolMem.h"

struct CVolAppInstance {
  // Created first, released last.
  CPoolMem pool;
};

extern CVolAppInstance g_appInstance;
