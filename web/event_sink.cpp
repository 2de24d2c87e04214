#include "web/event_sink.h"

namespace web {

HResult EventSink::QueryInterface(const Guid& iid, void** object) {
  if (iid == kIidIDispatch) {
    if (object != nullptr) {
      *object = this;
    }
    ++sink_ref_count;
    return kSOk;
  }
  if (object != nullptr) {
    *object = nullptr;
  }
  return kENoInterface;
}

std::int32_t EventSink::AddRef() {
  return ++sink_ref_count;
}

std::int32_t EventSink::Release() {
  return --sink_ref_count;
}

HResult EventSink::GetTypeInfoCount(std::uint32_t* count) {
  if (count != nullptr) {
    *count = 1;
  }
  return kSOk;
}

HResult EventSink::GetTypeInfo(std::uint32_t, std::uint32_t, void**) {
  return kENotImpl;
}

HResult EventSink::GetIDsOfNames(const Guid&, char16_t**, std::uint32_t, std::uint32_t,
                                 std::int32_t*) {
  return kENotImpl;
}

HResult EventSink::Invoke(std::int32_t member_id, const Guid& iid, std::uint32_t locale,
                          std::uint16_t flags, void* parameters, void* result, void* exception_info,
                          std::uint32_t* argument_error) {
  if (state_change_handler != nullptr) {
    InvokeArguments arguments{this,       member_id, &iid,           locale,        flags,
                              parameters, result,    exception_info, argument_error};
    state_change_handler(&arguments);
  }
  return kSOk;
}

}  // namespace web
