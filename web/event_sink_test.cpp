#include "web/event_sink.h"

#include <gtest/gtest.h>

#include "web/web_request.h"

namespace {

const web::InvokeArguments* seen = nullptr;
int calls = 0;
void Record(const web::InvokeArguments* arguments) {
  seen = arguments;
  ++calls;
}
void Other(const web::InvokeArguments*) {
  calls += 100;
}

// Catches an interface handed out for identifiers other than IID_IDispatch (IID_IUnknown
// included), counts kept per object instead of shared, and wrong answers of the other entries.
TEST(EventSink, EntryPointsShareOneCount) {
  web::sink_ref_count = 0;
  web::EventSink first, second;
  void* object = &second;
  EXPECT_EQ(first.QueryInterface(web::kIidIDispatch, &object), web::kSOk);
  EXPECT_EQ(object, &first);
  EXPECT_EQ(web::sink_ref_count, 1);
  const web::Guid others[] = {web::kIidIUnknown,
                              {0x00020401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}};
  for (const web::Guid& iid : others) {
    object = &second;
    EXPECT_EQ(first.QueryInterface(iid, &object), web::kENoInterface);
    EXPECT_EQ(object, nullptr);
  }
  EXPECT_EQ(second.AddRef(), 2);
  EXPECT_EQ(first.AddRef(), 3);
  EXPECT_EQ(second.Release(), 2);
  EXPECT_EQ(web::sink_ref_count, 2);

  std::uint32_t count = 0;
  EXPECT_EQ(first.GetTypeInfoCount(&count), web::kSOk);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(first.GetTypeInfo(0, 0, nullptr), web::kENotImpl);
  EXPECT_EQ(first.GetIDsOfNames(web::kIidIDispatch, nullptr, 0, 0, nullptr), web::kENotImpl);
}

// Catches an Invoke that does not reach the stored routine with its nine arguments, answers
// anything but S_OK, or a second handler that does not replace the first for every object.
TEST(EventSink, InvokeCallsTheProgramWideRoutine) {
  WebRequest first, second;
  EXPECT_EQ(first.GetEventSink(), nullptr);
  first.SetStateChangeHandler(&Record);
  ASSERT_NE(first.GetEventSink(), nullptr);
  int parameters = 0, result = 0, exception = 0;
  std::uint32_t argument_error = 0;
  calls = 0;
  EXPECT_EQ(first.GetEventSink()->Invoke(5, web::kIidIUnknown, 2052, 1, &parameters, &result,
                                         &exception, &argument_error),
            web::kSOk);
  EXPECT_EQ(calls, 1);

  second.SetStateChangeHandler(&Other);
  EXPECT_EQ(
      first.GetEventSink()->Invoke(0, web::kIidIUnknown, 0, 0, nullptr, nullptr, nullptr, nullptr),
      web::kSOk);
  EXPECT_EQ(calls, 101);
}

// The nine arguments arrive in their order (checked inside the call, while they are alive).
TEST(EventSink, InvokePassesTheNineArgumentsInOrder) {
  web::state_change_handler = [](const web::InvokeArguments* a) {
    EXPECT_EQ(a->member_id, 5);
    EXPECT_EQ(*a->iid, web::kIidIUnknown);
    EXPECT_EQ(a->locale, 2052u);
    EXPECT_EQ(a->flags, 1u);
    EXPECT_EQ(*static_cast<int*>(a->parameters), 11);
    EXPECT_EQ(*static_cast<int*>(a->result), 12);
    EXPECT_EQ(*static_cast<int*>(a->exception_info), 13);
    EXPECT_EQ(*a->argument_error, 14u);
    ++calls;
  };
  web::EventSink sink;
  int parameters = 11, result = 12, exception = 13;
  std::uint32_t argument_error = 14;
  calls = 0;
  EXPECT_EQ(
      sink.Invoke(5, web::kIidIUnknown, 2052, 1, &parameters, &result, &exception, &argument_error),
      web::kSOk);
  EXPECT_EQ(calls, 1);
  web::state_change_handler = nullptr;
}

}  // namespace
