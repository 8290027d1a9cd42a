// The owner of a benchmark's bound handlers, torn down like a form's event object; its handlers may
// count their calls in it, so a run shows that the path was taken.
#pragma once

#include "runtime/VolObject.h"
#include "winframework/EventObjectPointer.h"

class BenchEventOwner : public CVolObject {
 public:
  BenchEventOwner() : events(new CVolEventObjectPointer(this)) {}
  ~BenchEventOwner() override { events->TearDown(); }
  BenchEventOwner(const BenchEventOwner&) = delete;
  BenchEventOwner& operator=(const BenchEventOwner&) = delete;

  CVolEventObjectPointer* events;
  long calls = 0;
};
