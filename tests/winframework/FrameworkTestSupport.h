// Test doubles for the framework's events: an owner object whose handlers log what they receive,
// and a form with the designed client size of the program's form.
#pragma once

#include "runtime/VolObject.h"
#include "winframework/EventObjectPointer.h"
#include "winframework/WinCreateInfo.h"
#include "winframework/WinForm.h"

#include <string>
#include <vector>

// The owner of the handlers; they log into it, so a test can read what arrived.
class HandlerOwner : public CVolObject {
 public:
  HandlerOwner() : events(new CVolEventObjectPointer(this)) {}
  ~HandlerOwner() override {
    if (events != nullptr) events->TearDown();
  }
  HandlerOwner(const HandlerOwner&) = delete;
  HandlerOwner& operator=(const HandlerOwner&) = delete;

  static HandlerOwner& Of(CVolObject* owner) { return *static_cast<HandlerOwner*>(owner); }

  std::vector<std::string> log;
  int32_t answer = 0;  // what the logging handlers answer
  CVolEventObjectPointer* events;
};

// Handlers that log their name and arguments and answer the owner's answer.
template <const char* Name>
int32_t LogPlain(CVolObject* owner, CVolObject*, int32_t) {
  HandlerOwner::Of(owner).log.push_back(Name);
  return HandlerOwner::Of(owner).answer;
}

template <const char* Name>
int32_t LogOne(CVolObject* owner, CVolObject*, int32_t, int32_t a) {
  HandlerOwner::Of(owner).log.push_back(std::string(Name) + " " + std::to_string(a));
  return HandlerOwner::Of(owner).answer;
}

template <const char* Name>
int32_t LogTwo(CVolObject* owner, CVolObject*, int32_t, int32_t a, int32_t b) {
  HandlerOwner::Of(owner).log.push_back(std::string(Name) + " " + std::to_string(a) + " " + std::to_string(b));
  return HandlerOwner::Of(owner).answer;
}

template <const char* Name>
int32_t LogThree(CVolObject* owner, CVolObject*, int32_t, int32_t a, int32_t b, int32_t c) {
  HandlerOwner::Of(owner).log.push_back(std::string(Name) + " " + std::to_string(a) + " " + std::to_string(b) + " " +
                                        std::to_string(c));
  return HandlerOwner::Of(owner).answer;
}

// A creation record for a child control of form at a place of its client area.
inline CVolWinCreateInfo ChildCreateInfo(CVolWinForm& form, int left, int top, int width, int height, int id) {
  CVolWinCreateInfo info;
  info.parentWindow = form.Adapter();
  info.parentControl = &form;
  info.left = left;
  info.top = top;
  info.width = width;
  info.height = height;
  info.controlId = id;
  return info;
}

// A form designed with a client area of width x height.
class DesignedForm : public CVolWinForm {
 public:
  explicit DesignedForm(int32_t width = 256, int32_t height = 75) : width_(width), height_(height) {}
  int32_t GetDefaultClientWidth() override { return width_; }
  int32_t GetDefaultClientHeight() override { return height_; }

 private:
  int32_t width_;
  int32_t height_;
};
