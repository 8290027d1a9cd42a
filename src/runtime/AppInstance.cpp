#include "runtime/AppInstance.h"

// Constructed ahead of every ordinary static object of the program, whatever the link order of the
// translation units, so that static objects may already allocate from the pool.
#if defined(_MSC_VER)
#pragma warning(disable : 4073)  // initializers put in library initialization area
#pragma init_seg(lib)
CVolAppInstance g_appInstance;
#else
CVolAppInstance g_appInstance __attribute__((init_priority(101)));
#endif
